#include "core/app/UpdateChecker.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>

#include <limits>

namespace velmora {
namespace {

// A whole decimal integer with an optional sign, ASCII digits only, that fits
// in 64 bits; anything else is not a version piece.
std::optional<qint64> parsePiece(QStringView text) {
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    // Accumulate negatively so that the most negative value fits too.
    qint64 value = 0;
    constexpr qint64 lowest = std::numeric_limits<qint64>::min();
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        const int digit = c - u'0';
        if (value < (lowest + digit) / 10)
            return std::nullopt;
        value = value * 10 - digit;
    }
    if (!negative) {
        if (value == lowest)
            return std::nullopt;
        value = -value;
    }
    return value;
}

QList<qint64> versionPieces(const QString& version) {
    QList<qint64> pieces;
    for (const QStringView piece : QStringView(version).split(u'.', Qt::SkipEmptyParts))
        if (const auto n = parsePiece(piece))
            pieces.append(*n);
    return pieces;
}

std::optional<QString> requiredString(const QJsonObject& object, QLatin1StringView key) {
    const QJsonValue value = object.value(key);
    if (!value.isString())
        return std::nullopt;
    return value.toString();
}

} // namespace

std::optional<VersionInfo> decodeVersionInfo(QByteArrayView body) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(body.toByteArray(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return std::nullopt;
    const QJsonObject object = doc.object();
    const auto version = requiredString(object, QLatin1StringView("version"));
    const auto download = requiredString(object, QLatin1StringView("download_url"));
    const auto notes = requiredString(object, QLatin1StringView("release_notes"));
    if (!version || !download || !notes)
        return std::nullopt;
    return VersionInfo{*version, *download, *notes};
}

bool isNewerVersion(const QString& candidate, const QString& current) {
    const QList<qint64> a = versionPieces(candidate);
    const QList<qint64> b = versionPieces(current);
    const qsizetype length = std::max(a.size(), b.size());
    for (qsizetype i = 0; i < length; ++i) {
        const qint64 x = i < a.size() ? a[i] : 0;
        const qint64 y = i < b.size() ? b[i] : 0;
        if (x != y)
            return x > y;
    }
    return false;
}

QString runningVersion() {
    const QString version = QStringLiteral(VELMORA_VERSION);
    return version.isEmpty() ? QStringLiteral("0") : version;
}

QUrl defaultUpdateManifestUrl() {
    return QUrl(QStringLiteral("https://updates.velmora.app/version.json"));
}

QUrl updateManifestUrl() {
    const QString override = qEnvironmentVariable("VELMORA_UPDATE_URL").trimmed();
    if (!override.isEmpty()) {
        const QUrl url(override, QUrl::StrictMode);
        if (url.isValid() && !url.scheme().isEmpty() && !url.host().isEmpty())
            return url;
    }
    return defaultUpdateManifestUrl();
}

UpdateChecker::UpdateChecker(HttpFetcher& fetcher, QString currentVersion, QObject* parent)
    : QObject(parent), m_fetcher(fetcher), m_currentVersion(std::move(currentVersion)) {}

void UpdateChecker::setVersionURL(const QUrl& url) {
    if (m_versionUrl == url)
        return;
    m_versionUrl = url;
    emit versionURLChanged();
}

void UpdateChecker::checkForUpdates() {
    QPointer<UpdateChecker> self(this);
    m_fetcher.get(m_versionUrl, m_timeout, [self](std::optional<QByteArray> body) {
        if (!self)
            return;
        if (body)
            self->applyManifest(*body);
        emit self->checkFinished();
    });
}

bool UpdateChecker::applyManifest(QByteArrayView body) {
    const auto info = decodeVersionInfo(body);
    if (!info)
        return false;
    const auto assign = [this](QString& field, const QString& value,
                               void (UpdateChecker::*changed)()) {
        if (field == value)
            return;
        field = value;
        emit(this->*changed)();
    };
    assign(m_latestVersion, info->version, &UpdateChecker::latestVersionChanged);
    assign(m_downloadUrl, info->downloadUrl, &UpdateChecker::downloadURLChanged);
    assign(m_releaseNotes, info->releaseNotes, &UpdateChecker::releaseNotesChanged);
    const bool newer = isNewerVersion(info->version, m_currentVersion);
    if (newer != m_updateAvailable) {
        m_updateAvailable = newer;
        emit updateAvailableChanged();
    }
    return true;
}

} // namespace velmora
