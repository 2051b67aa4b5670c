#include "core/store/RecentEntry.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <string_view>

namespace velmora {
namespace {

QLatin1StringView keyOf(std::string_view key) {
    return QLatin1StringView(key.data(), qsizetype(key.size()));
}

class EntryReader {
public:
    explicit EntryReader(const QJsonObject& object) : m_object(object) {}
    bool ok() const { return m_ok; }

    template <class T> void required(std::string_view key, T& out) {
        if (!read(m_object.value(keyOf(key)), out))
            m_ok = false;
    }
    // Absent and null both read as no value.
    template <class T> void optional(std::string_view key, std::optional<T>& out) {
        const QJsonValue value = m_object.value(keyOf(key));
        out.reset();
        if (value.isUndefined() || value.isNull())
            return;
        T read_;
        if (!read(value, read_)) {
            m_ok = false;
            return;
        }
        out = std::move(read_);
    }

private:
    static bool read(const QJsonValue& value, QString& out) {
        if (!value.isString())
            return false;
        out = value.toString();
        return true;
    }
    static bool read(const QJsonValue& value, Base64Data& out) {
        if (!value.isString())
            return false;
        const QByteArray text = value.toString().toLatin1();
        auto data = Base64Data::fromEncoded(std::string_view(text.constData(), text.size()));
        if (!data)
            return false;
        out = std::move(*data);
        return true;
    }

    const QJsonObject& m_object;
    bool m_ok = true;
};

class EntryWriter {
public:
    QJsonObject object;

    void required(std::string_view key, const QString& value) { object.insert(keyOf(key), value); }
    void required(std::string_view key, const Base64Data& value) {
        const QByteArrayView text = value.encoded();
        object.insert(keyOf(key), QString::fromLatin1(text.constData(), text.size()));
    }
    template <class T> void optional(std::string_view key, const std::optional<T>& value) {
        if (value)
            required(key, *value);
    }
};

} // namespace

QByteArray encodeRecentEntries(const QList<RecentEntry>& entries) {
    QJsonArray array;
    for (const RecentEntry& entry : entries) {
        EntryWriter writer;
        describe(writer, const_cast<RecentEntry&>(entry));
        array.append(writer.object);
    }
    return QJsonDocument(array).toJson(QJsonDocument::Compact);
}

std::optional<QList<RecentEntry>> decodeRecentEntries(const QByteArray& json) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isArray())
        return std::nullopt;
    QList<RecentEntry> entries;
    const QJsonArray array = document.array();
    for (const QJsonValue& value : array) {
        if (!value.isObject())
            return std::nullopt;
        const QJsonObject object = value.toObject();
        EntryReader reader(object);
        RecentEntry entry;
        describe(reader, entry);
        if (!reader.ok())
            return std::nullopt;
        entries.append(std::move(entry));
    }
    return entries;
}

} // namespace velmora
