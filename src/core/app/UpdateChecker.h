#pragma once

#include "core/platform/HttpFetcher.h"

#include <QByteArrayView>
#include <QObject>
#include <QString>
#include <QUrl>

#include <chrono>
#include <optional>

namespace velmora {

// The update manifest: all three members are required strings.
struct VersionInfo {
    QString version;
    QString downloadUrl;
    QString releaseNotes;

    bool operator==(const VersionInfo&) const = default;
};

std::optional<VersionInfo> decodeVersionInfo(QByteArrayView body);

// Numeric, piece by piece: 0.9.10 is newer than 0.9.9; 1.0 equals 1.0.0;
// pieces that are not integers are dropped (1.2b.3 reads as 1.3).
bool isNewerVersion(const QString& candidate, const QString& current);

// The version of this build, from the project version; "0" when it is blank.
QString runningVersion();

// The vendor's manifest, unless VELMORA_UPDATE_URL names another address.
QUrl defaultUpdateManifestUrl();
QUrl updateManifestUrl();

// Asks the update server whether a newer version exists. Silent on every
// failure: a transport error or a manifest that does not decode leaves every
// field as it was.
class UpdateChecker : public QObject {
    Q_OBJECT
    Q_PROPERTY(QUrl versionURL READ versionURL WRITE setVersionURL NOTIFY versionURLChanged)
    Q_PROPERTY(bool updateAvailable READ updateAvailable NOTIFY updateAvailableChanged)
    Q_PROPERTY(QString latestVersion READ latestVersion NOTIFY latestVersionChanged)
    Q_PROPERTY(QString downloadURL READ downloadURL NOTIFY downloadURLChanged)
    Q_PROPERTY(QString releaseNotes READ releaseNotes NOTIFY releaseNotesChanged)

public:
    static constexpr std::chrono::milliseconds defaultTimeout{10'000};

    explicit UpdateChecker(HttpFetcher& fetcher, QString currentVersion = runningVersion(),
                           QObject* parent = nullptr);

    const QUrl& versionURL() const { return m_versionUrl; }
    bool updateAvailable() const { return m_updateAvailable; }
    const QString& latestVersion() const { return m_latestVersion; }
    const QString& downloadURL() const { return m_downloadUrl; }
    const QString& releaseNotes() const { return m_releaseNotes; }
    const QString& currentVersion() const { return m_currentVersion; }

    void setVersionURL(const QUrl& url);
    void setTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }

    // Returns at once; the fields change when the answer has come.
    void checkForUpdates();
    // The result of an answer, as checkForUpdates applies it.
    bool applyManifest(QByteArrayView body);

signals:
    void versionURLChanged();
    void updateAvailableChanged();
    void latestVersionChanged();
    void downloadURLChanged();
    void releaseNotesChanged();
    // After every check, whether it changed anything or not.
    void checkFinished();

private:
    HttpFetcher& m_fetcher;
    QString m_currentVersion;
    QUrl m_versionUrl = updateManifestUrl();
    std::chrono::milliseconds m_timeout = defaultTimeout;
    bool m_updateAvailable = false;
    QString m_latestVersion;
    QString m_downloadUrl;
    QString m_releaseNotes;
};

} // namespace velmora
