#include "core/model/SessionEncoder.h"

#include "core/model/IsoDate.h"
#include "core/model/JsonWriter.h"

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
template <class T> void encodeValue(JsonWriter& w, const QList<T>& list);

} // namespace

class EncodedListCacheAccess {
public:
    template <class T>
    static void write(EncodedListCache& cache, JsonWriter& w, std::string_view key,
                      const QList<T>& list) {
        EncodedListCache::Entry& e =
            cache.m_entries[QByteArray(key.data(), static_cast<qsizetype>(key.size()))];
        if (e.list && e.data == list.constData() && e.size == list.size()) {
            ++cache.m_reused;
        } else {
            e.text.resize(0);
            JsonWriter text(&e.text, JsonWriter::Style::Compact);
            encodeValue(text, list);
            text.finish();
            e.list = std::make_shared<const QList<T>>(list);
            e.data = list.constData();
            e.size = list.size();
        }
        w.rawValue(std::string_view(e.text.constData(), static_cast<std::size_t>(e.text.size())));
    }
    static void startSave(EncodedListCache& cache) { cache.m_reused = 0; }
};

EncodedListCache::EncodedListCache() = default;
EncodedListCache::~EncodedListCache() = default;

namespace {

template <class T>
concept Record = requires(FieldWriter& io, T& r) {
    describe(io, r);
};

// Declared up front so that containers of records find the record overload.
template <class E>
requires std::is_enum_v<E>
void encodeValue(JsonWriter& w, E v);
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

    explicit FieldWriter(JsonWriter& w, EncodedListCache* cache = nullptr)
        : m_w(w), m_sorted(w.style() == JsonWriter::Style::Pretty),
          m_cache(m_sorted ? nullptr : cache) {}

    template <class T> void required(std::string_view key, const T& v) {
        add(key, &v,
            [](JsonWriter& w, const void* p) { encodeValue(w, *static_cast<const T*>(p)); });
    }
    template <class T> void required(std::string_view key, const QList<T>& v) {
        if (!m_cache) {
            add(key, &v, [](JsonWriter& w, const void* p) {
                encodeValue(w, *static_cast<const QList<T>*>(p));
            });
            return;
        }
        m_w.key(key);
        EncodedListCacheAccess::write(*m_cache, m_w, key, v);
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
    // Only for the lists of the root record.
    EncodedListCache* m_cache;
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

void encodeSession(const AppDatabase& db, SessionFormat format, QByteArray& out,
                   EncodedListCache* cache) {
    out.resize(0);
    out.reserve(estimatedSize(db));
    JsonWriter writer(&out, styleOf(format));
    if (!cache) {
        encodeValue(writer, db);
    } else {
        EncodedListCacheAccess::startSave(*cache);
        writer.beginObject();
        FieldWriter fields(writer, cache);
        describe(fields, const_cast<AppDatabase&>(db));
        fields.finish();
        writer.endObject();
    }
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
