#pragma once

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include <optional>

namespace velmora::bench {

// What reading a session would cost with Qt alone: the whole document through
// QJsonDocument, then every media entry decoded from Base64. Returns the
// decoded media size, or nothing with the parser's message.
inline std::optional<qsizetype> qtBaselineDecode(const QByteArray& bytes, QString* error) {
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &parseError);
    if (doc.isNull()) {
        *error = parseError.errorString();
        return std::nullopt;
    }
    const QJsonObject media = doc.object().value(QLatin1String("embeddedMedia")).toObject();
    qsizetype decoded = 0;
    for (auto it = media.constBegin(); it != media.constEnd(); ++it)
        decoded += QByteArray::fromBase64(it.value().toString().toLatin1()).size();
    return decoded;
}

} // namespace velmora::bench
