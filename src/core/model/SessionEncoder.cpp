#include "model/SessionEncoder.h"

#include "model/IsoDate.h"
#include "model/JsonWriter.h"

#include <QUrl>
#include <QVarLengthArray>

#include <algorithm>
#include <type_traits>

namespace velmora {
namespace {

void encodeValue(JsonWriter& w, const QString& v) {
    w.value(v);
}
void encodeValue(JsonWriter& w, bool v) {
    w.value(v);
}
void encodeValue(JsonWriter& w, double v) {
    w.value(v);
}
void encodeValue(JsonWriter& w, qint64 v) {
    w.value(v);
}

void encodeValue(JsonWriter& w, const QUuid& v) {
    static constexpr char hex[] = "0123456789ABCDEF";
    const QByteArray bytes = v.toRfc4122();
    char text[36];
    int pos = 0;
    for (int i = 0; i < 16; ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10)
            text[pos++] = '-';
        const auto b = static_cast<unsigned char>(bytes[i]);
        text[pos++] = hex[b >> 4];
        text[pos++] = hex[b & 0xF];
    }
    w.rawString(std::string_view(text, sizeof text));
}

void encodeValue(JsonWriter& w, const QDateTime& v) {
    char text[20];
    formatIsoDate(v, text);
    w.rawString(std::string_view(text, sizeof text));
}

void encodeValue(JsonWriter& w, const QUrl& v) {
    w.value(QString::fromUtf8(v.toEncoded()));
}

void encodeValue(JsonWriter& w, const Base64Data& v) {
    const QByteArrayView text = v.encoded();
    w.rawString(std::string_view(text.constData(), std::size_t(text.size())));
}

class FieldWriter;

template <class T>
concept Record = requires(FieldWriter& io, T& r) {
    describe(io, r);
};

// Declared up front so that containers of records find the record overload.
template <class E>
requires std::is_enum_v<E>
void encodeValue(JsonWriter& w, E v);
template <class T> void encodeValue(JsonWriter& w, const QList<T>& list);
template <class T> void encodeValue(JsonWriter& w, const QMap<QString, T>& map);
template <Record T> void encodeValue(JsonWriter& w, const T& record);

template <class E>
requires std::is_enum_v<E>
void encodeValue(JsonWriter& w, E v) {
    w.rawString(rawName(v));
}

template <class T> void encodeValue(JsonWriter& w, const QList<T>& list) {
    w.beginArray();
    for (const T& item : list)
        encodeValue(w, item);
    w.endArray();
}

template <class T> void encodeValue(JsonWriter& w, const QMap<QString, T>& map) {
    w.beginObject();
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        w.key(it.key());
        encodeValue(w, it.value());
    }
    w.endObject();
}

// The writing side of describe(): every field is written except absent
// optionals; legacy keys never are. For the export, the fields of each object
// are gathered first and written in key order.
class FieldWriter {
public:
    static constexpr bool reading = false;

    explicit FieldWriter(JsonWriter& w)
        : m_w(w), m_sorted(w.style() == JsonWriter::Style::Pretty) {}

    template <class T> void required(std::string_view key, const T& v) {
        add(key, &v,
            [](JsonWriter& w, const void* p) { encodeValue(w, *static_cast<const T*>(p)); });
    }
    template <class T> void optional(std::string_view key, const std::optional<T>& v) {
        if (v)
            required(key, *v);
    }
    template <class T>
    void fallback(std::string_view key, const T& v, const std::type_identity_t<T>& = T{}) {
        required(key, v);
    }
    template <class T>
    void fallbackOrLegacy(std::string_view key, std::string_view, const T& v,
                          const std::type_identity_t<T>&) {
        required(key, v);
    }
    void fallbackFreshId(std::string_view key, const QUuid& v) { required(key, v); }
    void fallbackNow(std::string_view key, const QDateTime& v) { required(key, v); }
    void fallbackCurrentYear(std::string_view key, const qint64& v) { required(key, v); }
    void idsOrLegacy(std::string_view key, std::string_view, const QList<QUuid>& v) {
        required(key, v);
    }

    void finish() {
        std::sort(m_pending.begin(), m_pending.end(),
                  [](const Pending& a, const Pending& b) { return a.key < b.key; });
        for (const Pending& p : m_pending) {
            m_w.key(p.key);
            p.write(m_w, p.field);
        }
    }

private:
    using WriteFn = void (*)(JsonWriter&, const void*);
    struct Pending {
        std::string_view key;
        const void* field;
        WriteFn write;
    };

    void add(std::string_view key, const void* field, WriteFn write) {
        if (m_sorted) {
            m_pending.append({key, field, write});
        } else {
            m_w.key(key);
            write(m_w, field);
        }
    }

    JsonWriter& m_w;
    bool m_sorted;
    QVarLengthArray<Pending, 48> m_pending;
};

template <Record T> void encodeValue(JsonWriter& w, const T& record) {
    w.beginObject();
    FieldWriter fields(w);
    // describe() is shared with the reader and takes a mutable record; the
    // writer only ever reads through it.
    describe(fields, const_cast<T&>(record));
    fields.finish();
    w.endObject();
}

JsonWriter::Style styleOf(SessionFormat format) {
    return format == SessionFormat::Compact ? JsonWriter::Style::Compact
                                            : JsonWriter::Style::Pretty;
}

qsizetype estimatedSize(const AppDatabase& db) {
    qsizetype size = 64 * 1024 + db.documents.size() * 4096 + db.clients.size() * 512;
    for (const Base64Data& media : db.embeddedMedia)
        size += media.encoded().size() + 64;
    return size;
}

} // namespace

QByteArray encodeSession(const AppDatabase& db, SessionFormat format) {
    QByteArray out;
    encodeSession(db, format, out);
    return out;
}

void encodeSession(const AppDatabase& db, SessionFormat format, QByteArray& out) {
    out.resize(0);
    out.reserve(estimatedSize(db));
    JsonWriter writer(&out, styleOf(format));
    encodeValue(writer, db);
    writer.finish();
}

bool encodeSession(const AppDatabase& db, SessionFormat format, QIODevice& device, QString* error) {
    JsonWriter writer(&device, styleOf(format));
    encodeValue(writer, db);
    const bool ok = writer.finish();
    if (!ok && error)
        *error = writer.errorString();
    return ok;
}

} // namespace velmora
