#include "core/model/SessionDecoder.h"

#include "core/model/IsoDate.h"

#include <QUrl>
#include <QVarLengthArray>

#include <simdjson.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>
#include <string>
#include <type_traits>
#include <vector>

namespace velmora {
namespace {

namespace dom = simdjson::dom;
namespace ondemand = simdjson::ondemand;

static_assert(kDecodePadding >= simdjson::SIMDJSON_PADDING);

// Raised inside the decoder only; decodeSession turns it into a message. The
// path is gathered while unwinding so that success costs nothing.
struct DecodeError {
    QString reason;
    QList<QString> reversedPath;

    void prependKey(std::string_view key) {
        reversedPath.append(QString::fromUtf8(key.data(), qsizetype(key.size())));
    }
    void prependIndex(qsizetype index) { reversedPath.append(QStringLiteral("[%1]").arg(index)); }
    void prependMapKey(std::string_view key) {
        reversedPath.append(
            QStringLiteral("[\"%1\"]").arg(QString::fromUtf8(key.data(), qsizetype(key.size()))));
    }

    QString message() const {
        QString path;
        for (auto it = reversedPath.crbegin(); it != reversedPath.crend(); ++it) {
            if (!path.isEmpty() && !it->startsWith(QLatin1Char('[')))
                path += QLatin1Char('.');
            path += *it;
        }
        if (path.isEmpty())
            path = QStringLiteral("racine");
        return QStringLiteral("Fichier de session illisible : %1 — %2").arg(path, reason);
    }
};

[[noreturn]] void fail(QString reason) {
    throw DecodeError{std::move(reason), {}};
}

QString excerpt(std::string_view text) {
    constexpr std::size_t kMax = 40;
    QString shown = QString::fromUtf8(text.data(), qsizetype(std::min(text.size(), kMax)));
    if (text.size() > kMax)
        shown += QStringLiteral("…");
    return shown;
}

struct Context {
    QDateTime now;
};

std::string_view stringOf(dom::element el, const char* expected) {
    std::string_view text;
    if (el.get_string().get(text) != simdjson::SUCCESS)
        fail(QString::fromUtf8(expected));
    return text;
}

void decodeValue(dom::element el, QString& out, Context&) {
    const std::string_view text = stringOf(el, "texte attendu");
    out = QString::fromUtf8(text.data(), qsizetype(text.size()));
}

void decodeValue(dom::element el, bool& out, Context&) {
    if (el.get_bool().get(out) != simdjson::SUCCESS)
        fail(QStringLiteral("booléen attendu"));
}

void decodeValue(dom::element el, double& out, Context&) {
    switch (el.type()) {
    case dom::element_type::DOUBLE:
        out = el.get_double().value_unsafe();
        break;
    case dom::element_type::INT64:
        out = double(el.get_int64().value_unsafe());
        break;
    case dom::element_type::UINT64:
        out = double(el.get_uint64().value_unsafe());
        break;
    default:
        fail(QStringLiteral("nombre attendu"));
    }
}

void decodeValue(dom::element el, qint64& out, Context&) {
    switch (el.type()) {
    case dom::element_type::INT64:
        out = el.get_int64().value_unsafe();
        return;
    case dom::element_type::UINT64:
        fail(QStringLiteral("entier hors limites"));
    case dom::element_type::DOUBLE: {
        const double v = el.get_double().value_unsafe();
        if (std::trunc(v) != v)
            fail(QStringLiteral("nombre entier attendu"));
        // 2^63 itself does not fit; every double below it does.
        if (v < -9223372036854775808.0 || v >= 9223372036854775808.0)
            fail(QStringLiteral("entier hors limites"));
        out = static_cast<qint64>(v);
        return;
    }
    default:
        fail(QStringLiteral("nombre entier attendu"));
    }
}

bool isHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

void decodeValue(dom::element el, QUuid& out, Context&) {
    const std::string_view text = stringOf(el, "identifiant attendu");
    bool valid = text.size() == 36;
    for (std::size_t i = 0; valid && i < text.size(); ++i)
        valid = (i == 8 || i == 13 || i == 18 || i == 23) ? text[i] == '-' : isHex(text[i]);
    if (!valid)
        fail(QStringLiteral("identifiant invalide « %1 »").arg(excerpt(text)));
    out = QUuid::fromString(QLatin1StringView(text.data(), qsizetype(text.size())));
}

void decodeValue(dom::element el, QDateTime& out, Context&) {
    const std::string_view text = stringOf(el, "date attendue");
    auto date = parseIsoDate(text);
    if (!date)
        fail(QStringLiteral("date invalide « %1 » (format AAAA-MM-JJThh:mm:ssZ attendu)")
                 .arg(excerpt(text)));
    out = *date;
}

void decodeValue(dom::element el, QUrl& out, Context&) {
    const std::string_view text = stringOf(el, "adresse attendue");
    out = QUrl(QString::fromUtf8(text.data(), qsizetype(text.size())), QUrl::StrictMode);
    if (text.empty() || !out.isValid())
        fail(QStringLiteral("adresse invalide « %1 »").arg(excerpt(text)));
}

void decodeValue(dom::element el, Base64Data& out, Context&) {
    const std::string_view text = stringOf(el, "données Base64 attendues");
    auto data = Base64Data::fromEncoded(text);
    if (!data)
        fail(QStringLiteral("données Base64 invalides"));
    out = std::move(*data);
}

template <class E>
requires std::is_enum_v<E>
void decodeValue(dom::element el, E& out, Context&) {
    const std::string_view text = stringOf(el, "texte attendu");
    const auto value = enumFromRaw<E>(text);
    if (!value)
        fail(QStringLiteral("valeur inconnue « %1 »").arg(excerpt(text)));
    out = *value;
}

template <class T> void decodeValue(dom::element el, QList<T>& out, Context& ctx) {
    dom::array array;
    if (el.get_array().get(array) != simdjson::SUCCESS)
        fail(QStringLiteral("tableau attendu"));
    out.clear();
    out.reserve(qsizetype(array.size()));
    qsizetype index = 0;
    for (dom::element item : array) {
        try {
            decodeValue(item, out.emplace_back(), ctx);
        } catch (DecodeError& e) {
            e.prependIndex(index);
            throw;
        }
        ++index;
    }
}

template <class T> void decodeValue(dom::element el, QMap<QString, T>& out, Context& ctx) {
    dom::object object;
    if (el.get_object().get(object) != simdjson::SUCCESS)
        fail(QStringLiteral("objet attendu"));
    out.clear();
    for (const dom::key_value_pair field : object) {
        const QString key = QString::fromUtf8(field.key.data(), qsizetype(field.key.size()));
        if (out.contains(key))
            continue; // a repeated key: the first one wins, as for record fields
        try {
            decodeValue(field.value, out[key], ctx);
        } catch (DecodeError& e) {
            e.prependMapKey(field.key);
            throw;
        }
    }
}

// The reading side of describe(): looks fields up by key, applies fallbacks.
class FieldReader {
public:
    static constexpr bool reading = true;

    FieldReader(dom::object object, Context& ctx) : m_ctx(ctx) {
        for (const dom::key_value_pair field : object)
            m_fields.append({field.key, field.value});
    }

    using Fields = std::vector<std::pair<std::string_view, dom::element>>;
    FieldReader(const Fields& fields, Context& ctx) : m_ctx(ctx) {
        for (const auto& field : fields)
            m_fields.append(field);
    }

    template <class T> void required(std::string_view key, T& out) {
        const dom::element* el = find(key);
        if (!el) {
            DecodeError e{QStringLiteral("clé obligatoire absente"), {}};
            e.prependKey(key);
            throw e;
        }
        decodeAt(key, *el, out);
    }

    template <class T> void optional(std::string_view key, std::optional<T>& out) {
        T value;
        if (readIfPresent(key, value))
            out = std::move(value);
        else
            out.reset();
    }

    template <class T>
    void fallback(std::string_view key, T& out, const std::type_identity_t<T>& value = T{}) {
        if (!readIfPresent(key, out))
            out = value;
    }

    template <class T>
    void fallbackOrLegacy(std::string_view key, std::string_view legacyKey, T& out,
                          const std::type_identity_t<T>& value) {
        if (!readIfPresent(key, out) && !readIfPresent(legacyKey, out))
            out = value;
    }

    void fallbackFreshId(std::string_view key, QUuid& out) {
        if (!readIfPresent(key, out))
            out = QUuid::createUuid();
    }

    void fallbackNow(std::string_view key, QDateTime& out) {
        if (!readIfPresent(key, out))
            out = m_ctx.now;
    }

    void fallbackCurrentYear(std::string_view key, qint64& out) {
        if (!readIfPresent(key, out))
            out = m_ctx.now.toLocalTime().date().year();
    }

    // Older files held a single id where there is now a list.
    void idsOrLegacy(std::string_view key, std::string_view legacyKey, QList<QUuid>& out) {
        if (readIfPresent(key, out))
            return;
        out.clear();
        QUuid single;
        if (readIfPresent(legacyKey, single))
            out.append(single);
    }

    // Absent and null both count as missing.
    template <class T> bool readIfPresent(std::string_view key, T& out) {
        const dom::element* el = find(key);
        if (!el || el->is_null())
            return false;
        decodeAt(key, *el, out);
        return true;
    }

private:
    template <class T> void decodeAt(std::string_view key, dom::element el, T& out) {
        try {
            decodeValue(el, out, m_ctx);
        } catch (DecodeError& e) {
            e.prependKey(key);
            throw;
        }
    }

    // Files list keys in declaration order, so the search starts where the
    // previous one ended: one pass over the object in the common case.
    const dom::element* find(std::string_view key) {
        const qsizetype n = m_fields.size();
        for (qsizetype step = 0; step < n; ++step) {
            const qsizetype i = (m_cursor + step) % n;
            if (m_fields[i].first == key) {
                // A repeated key: the first copy wins, as for maps. Only an
                // object read out of order can hide one before the cursor.
                qsizetype first = i;
                if (m_skipped && i >= m_cursor) {
                    for (qsizetype j = 0; j < m_cursor; ++j) {
                        if (m_fields[j].first == key) {
                            first = j;
                            break;
                        }
                    }
                }
                m_skipped |= step > 0;
                m_cursor = i + 1;
                return &m_fields[first].second;
            }
        }
        return nullptr;
    }

    Context& m_ctx;
    QVarLengthArray<std::pair<std::string_view, dom::element>, 32> m_fields;
    qsizetype m_cursor = 0;
    bool m_skipped = false;
};

template <class T>
concept Record = requires(FieldReader& io, T& r) {
    describe(io, r);
};

template <Record T> void decodeValue(dom::element el, T& out, Context& ctx) {
    dom::object object;
    if (el.get_object().get(object) != simdjson::SUCCESS)
        fail(QStringLiteral("objet attendu"));
    FieldReader reader(object, ctx);
    describe(reader, out);
}

struct ParseFailure {
    simdjson::error_code code;
};

QString parseReason(simdjson::error_code code, bool wholeFile = false) {
    QString reason;
    switch (code) {
    case simdjson::EMPTY:
        reason = QStringLiteral("le fichier est vide");
        break;
    case simdjson::DEPTH_ERROR:
        reason = QStringLiteral("imbrication trop profonde");
        break;
    case simdjson::UTF8_ERROR:
        reason = QStringLiteral("texte UTF-8 invalide");
        break;
    case simdjson::NUMBER_ERROR:
    case simdjson::NUMBER_OUT_OF_RANGE:
        reason = QStringLiteral("nombre invalide ou hors limites");
        break;
    case simdjson::CAPACITY:
        reason = QStringLiteral("fichier trop volumineux");
        break;
    case simdjson::MEMALLOC:
        reason = QStringLiteral("mémoire insuffisante");
        break;
    case simdjson::UNCLOSED_STRING:
        reason = QStringLiteral("texte non terminé");
        break;
    case simdjson::INCOMPLETE_ARRAY_OR_OBJECT:
        reason = wholeFile ? QStringLiteral("fichier tronqué (le document s'arrête avant sa fin)")
                           : QStringLiteral("JSON mal formé");
        break;
    case simdjson::STRING_ERROR:
    case simdjson::UNESCAPED_CHARS:
        reason = QStringLiteral("texte mal formé");
        break;
    default:
        reason = wholeFile ? QStringLiteral("ce n'est pas un document JSON valide")
                           : QStringLiteral("JSON mal formé");
    }
    return reason;
}

// A fault that no root key can be blamed for: the file as a whole.
QString parseErrorMessage(simdjson::error_code code) {
    return QStringLiteral("Fichier de session illisible : %1").arg(parseReason(code, true));
}

[[noreturn]] void failParse(simdjson::error_code code) {
    throw ParseFailure{code};
}

void check(simdjson::error_code code) {
    if (code != simdjson::SUCCESS)
        failParse(code);
}

// Runs f, so that a failure inside it names where it happened: place(e)
// prepends the key or index f works under.
template <class Place, class F> void naming(Place&& place, F&& f) {
    try {
        f();
    } catch (DecodeError& e) {
        place(e);
        throw;
    } catch (const ParseFailure& p) {
        DecodeError e{parseReason(p.code), {}};
        place(e);
        throw e;
    }
}

template <class F> void atKey(std::string_view key, F&& f) {
    naming([key](DecodeError& e) { e.prependKey(key); }, std::forward<F>(f));
}

// The DOM parser tells what is wrong in a value, not where. On that rare road
// the value is walked again on demand, as the records describe it, so that the
// message names the element and key as the decoder would: maps by ["key"],
// records by .key, unknown keys as they are written.
struct Walk {
    int depth = 0;
    Walk deeper() const { return {depth + 1}; }
    // As deep as the DOM parser goes; deeper is its own fault.
    bool tooDeep() const { return depth > int(simdjson::DEFAULT_MAX_DEPTH); }
};

void walkAny(ondemand::value value, Walk walk) {
    ondemand::json_type type;
    check(value.type().get(type));
    switch (type) {
    case ondemand::json_type::object: {
        ondemand::object object;
        check(value.get_object().get(object));
        for (auto result : object) {
            ondemand::field field;
            check(std::move(result).get(field));
            std::string_view key;
            check(field.unescaped_key().get(key));
            if (!walk.tooDeep())
                atKey(key, [&] { walkAny(field.value(), walk.deeper()); });
        }
        break;
    }
    case ondemand::json_type::array: {
        ondemand::array array;
        check(value.get_array().get(array));
        qsizetype index = 0;
        for (auto result : array) {
            ondemand::value item;
            check(std::move(result).get(item));
            if (!walk.tooDeep())
                naming([index](DecodeError& e) { e.prependIndex(index); },
                       [&] { walkAny(item, walk.deeper()); });
            ++index;
        }
        break;
    }
    case ondemand::json_type::number: {
        ondemand::number number;
        check(value.get_number().get(number));
        break;
    }
    case ondemand::json_type::string: {
        std::string_view text;
        check(value.get_string().get(text));
        break;
    }
    case ondemand::json_type::boolean: {
        bool flag = false;
        check(value.get_bool().get(flag));
        break;
    }
    case ondemand::json_type::null: {
        bool isNull = false;
        check(value.is_null().get(isNull));
        break;
    }
    }
}

// Collects what describe() reads from a record: its keys and their types.
class FieldWalker {
public:
    static constexpr bool reading = true;
    using WalkAs = void (*)(ondemand::value, Walk);

    template <class T> void required(std::string_view key, T&) { add<T>(key); }
    template <class T> void optional(std::string_view key, std::optional<T>&) { add<T>(key); }
    template <class T>
    void fallback(std::string_view key, T&, const std::type_identity_t<T>& = T{}) {
        add<T>(key);
    }
    template <class T>
    void fallbackOrLegacy(std::string_view key, std::string_view legacyKey, T&,
                          const std::type_identity_t<T>&) {
        add<T>(key);
        add<T>(legacyKey);
    }
    void fallbackFreshId(std::string_view key, QUuid&) { add<QUuid>(key); }
    void fallbackNow(std::string_view key, QDateTime&) { add<QDateTime>(key); }
    void fallbackCurrentYear(std::string_view key, qint64&) { add<qint64>(key); }
    void idsOrLegacy(std::string_view key, std::string_view legacyKey, QList<QUuid>&) {
        add<QList<QUuid>>(key);
        add<QUuid>(legacyKey);
    }
    template <class T> bool readIfPresent(std::string_view key, T&) {
        add<T>(key);
        return false;
    }

    WalkAs find(std::string_view key) const {
        for (const auto& [known, walkAs] : m_fields) {
            if (known == key)
                return walkAs;
        }
        return nullptr;
    }

    // The fields in file order, each as its type says.
    void walk(ondemand::object object, Walk walk) const {
        for (auto result : object) {
            ondemand::field field;
            check(std::move(result).get(field));
            std::string_view key;
            check(field.unescaped_key().get(key));
            const WalkAs walkAs = find(key);
            atKey(key,
                  [&] { walkAs ? walkAs(field.value(), walk) : walkAny(field.value(), walk); });
        }
    }

private:
    template <class T> void add(std::string_view key);

    std::vector<std::pair<std::string_view, WalkAs>> m_fields;
};

template <class T>
concept Walkable = requires(FieldWalker& io, T& r) {
    describe(io, r);
};

// Anything that is neither a record, a list nor a map is checked as it is.
template <class T> void walkAs(ondemand::value value, T*, Walk walk) {
    ondemand::json_type type;
    check(value.type().get(type));
    if constexpr (Walkable<T>) {
        if (type == ondemand::json_type::object && !walk.tooDeep()) {
            ondemand::object object;
            check(value.get_object().get(object));
            FieldWalker fields;
            T record{};
            describe(fields, record);
            fields.walk(object, walk.deeper());
            return;
        }
    }
    walkAny(value, walk);
}

template <class T> void walkAs(ondemand::value value, QList<T>*, Walk walk) {
    ondemand::json_type type;
    check(value.type().get(type));
    if (type != ondemand::json_type::array || walk.tooDeep())
        return walkAny(value, walk);
    ondemand::array array;
    check(value.get_array().get(array));
    qsizetype index = 0;
    for (auto result : array) {
        ondemand::value item;
        check(std::move(result).get(item));
        naming([index](DecodeError& e) { e.prependIndex(index); },
               [&] { walkAs(item, static_cast<T*>(nullptr), walk.deeper()); });
        ++index;
    }
}

template <class T> void walkAs(ondemand::value value, QMap<QString, T>*, Walk walk) {
    ondemand::json_type type;
    check(value.type().get(type));
    if (type != ondemand::json_type::object || walk.tooDeep())
        return walkAny(value, walk);
    ondemand::object object;
    check(value.get_object().get(object));
    for (auto result : object) {
        ondemand::field field;
        check(std::move(result).get(field));
        std::string_view key;
        check(field.unescaped_key().get(key));
        naming([key](DecodeError& e) { e.prependMapKey(key); },
               [&] { walkAs(field.value(), static_cast<T*>(nullptr), walk.deeper()); });
    }
}

template <class T> void FieldWalker::add(std::string_view key) {
    m_fields.emplace_back(key, [](ondemand::value value, Walk walk) {
        walkAs(value, static_cast<T*>(nullptr), walk);
    });
}

// Where in the root value under key the DOM parser's fault lies, as a
// refusal; the key alone when the walk does not find it.
DecodeError faultIn(std::string_view key, std::string_view text, std::size_t capacity,
                    simdjson::error_code code) {
    DecodeError fault{parseReason(code), {}};
    ondemand::parser parser;
    ondemand::document doc;
    ondemand::value value;
    if (code != simdjson::DEPTH_ERROR &&
        parser.iterate(text.data(), text.size(), capacity).get(doc) == simdjson::SUCCESS &&
        doc.get_value().get(value) == simdjson::SUCCESS) {
        FieldWalker root;
        AppDatabase db;
        describe(root, db);
        try {
            const FieldWalker::WalkAs walkAs = root.find(key);
            walkAs ? walkAs(value, Walk{1}) : walkAny(value, Walk{1});
        } catch (DecodeError& e) {
            fault = std::move(e);
        } catch (const ParseFailure& p) {
            fault.reason = parseReason(p.code);
        }
    }
    fault.prependKey(key);
    return fault;
}

// Base64 text of a media value. Text without escapes is checked where it lies
// and shared with the input; escaped text ("\/" is common) is unescaped first.
Base64Data mediaValue(ondemand::value value, const QByteArray& input) {
    ondemand::json_type type;
    check(value.type().get(type));
    if (type != ondemand::json_type::string)
        fail(QStringLiteral("données Base64 attendues"));
    const std::string_view token = value.raw_json_token();
    const std::size_t close = token.rfind('"');
    if (close == 0 || close == std::string_view::npos)
        failParse(simdjson::STRING_ERROR);
    const std::string_view content = token.substr(1, close - 1);
    std::optional<Base64Data> data;
    if (content.find('\\') == std::string_view::npos) {
        data = Base64Data::fromEncodedSlice(input, qsizetype(content.data() - input.constData()),
                                            qsizetype(content.size()));
    } else {
        std::string_view unescaped;
        check(value.get_string().get(unescaped));
        data = Base64Data::fromEncoded(unescaped);
    }
    if (!data)
        fail(QStringLiteral("données Base64 invalides"));
    return std::move(*data);
}

std::string_view rawJsonOf(ondemand::value value) {
    ondemand::json_type type;
    check(value.type().get(type));
    std::string_view raw;
    if (type == ondemand::json_type::object) {
        ondemand::object object;
        check(value.get_object().get(object));
        check(object.raw_json().get(raw));
    } else if (type == ondemand::json_type::array) {
        ondemand::array array;
        check(value.get_array().get(array));
        check(array.raw_json().get(raw));
    } else {
        raw = value.raw_json_token();
    }
    return raw;
}

// The root of a session file, split with simdjson's on-demand API: media,
// which are most of a session's bytes, are checked in place instead of being
// copied by the parser; every other root value is parsed in full with the DOM
// parser, straight from the input buffer.
class SessionRoot {
public:
    SessionRoot(const QByteArray& input, bool withMedia)
        : m_bufferEnd(input.constData() + input.capacity()) {
        // A byte-order mark, as some text editors add, is not part of the JSON.
        const std::size_t skip = input.startsWith("\xEF\xBB\xBF") ? 3 : 0;
        ondemand::document doc;
        check(m_onDemand
                  .iterate(input.constData() + skip, std::size_t(input.size()) - skip,
                           std::size_t(input.capacity()) - skip)
                  .get(doc));
        ondemand::json_type rootType;
        check(doc.type().get(rootType));
        if (rootType != ondemand::json_type::object)
            fail(QStringLiteral("objet attendu"));
        ondemand::object root;
        check(doc.get_object().get(root));
        std::vector<std::pair<std::string, std::string_view>> raw;
        for (auto result : root) {
            ondemand::field field;
            check(std::move(result).get(field));
            std::string_view key;
            check(field.unescaped_key().get(key));
            std::string name(key);
            bool seen = false;
            for (const auto& [existing, text] : raw)
                seen |= existing == name;
            if (seen)
                continue; // a repeated key: the first one wins
            ondemand::value value = field.value();
            atKey(name, [&] {
                if (withMedia && name == "embeddedMedia") {
                    readMediaMap(value, input);
                    raw.emplace_back(name, std::string_view());
                } else if (withMedia && name == "sessionProfilePhotoData") {
                    bool isNull = false;
                    check(value.is_null().get(isNull));
                    if (!isNull)
                        m_photo = mediaValue(value, input);
                    raw.emplace_back(name, std::string_view());
                } else {
                    raw.emplace_back(name, rawJsonOf(value));
                }
            });
        }
        // Only white space may follow the root object.
        doc.rewind();
        std::string_view whole;
        check(doc.raw_json().get(whole));
        const char* end = input.constData() + input.size();
        for (const char* p = whole.data() + whole.size(); p < end; ++p) {
            if (*p != ' ' && *p != '\n' && *p != '\r' && *p != '\t')
                failParse(simdjson::TRAILING_CONTENT);
        }
        m_raw = std::move(raw);
    }

    // The DOM of the named root values (all when empty), for FieldReader.
    FieldReader::Fields fields(std::initializer_list<std::string_view> only = {}) {
        FieldReader::Fields result;
        for (const auto& [key, text] : m_raw) {
            if (text.empty() ||
                (only.size() > 0 && std::find(only.begin(), only.end(), key) == only.end()))
                continue;
            auto& parser = m_parsers.emplace_back(std::make_unique<dom::parser>());
            dom::element element;
            const auto error = parser->parse(text.data(), text.size(), false).get(element);
            if (error != simdjson::SUCCESS)
                throw faultIn(key, text, std::size_t(m_bufferEnd - text.data()), error);
            result.emplace_back(key, element);
        }
        return result;
    }

    QMap<QString, Base64Data> takeMedia() { return std::move(m_media); }
    std::optional<Base64Data> takePhoto() { return std::move(m_photo); }

private:
    void readMediaMap(ondemand::value value, const QByteArray& input) {
        bool isNull = false;
        check(value.is_null().get(isNull));
        if (isNull)
            return;
        ondemand::object object;
        if (const auto error = value.get_object().get(object); error == simdjson::INCORRECT_TYPE)
            fail(QStringLiteral("objet attendu"));
        else
            check(error);
        for (auto result : object) {
            ondemand::field field;
            check(std::move(result).get(field));
            std::string_view key;
            check(field.unescaped_key().get(key));
            const QString name = QString::fromUtf8(key.data(), qsizetype(key.size()));
            if (m_media.contains(name))
                continue;
            naming([key](DecodeError& e) { e.prependMapKey(key); },
                   [&] { m_media.insert(name, mediaValue(field.value(), input)); });
        }
    }

    const char* m_bufferEnd; // end of the spare bytes the parsers may read ahead into
    ondemand::parser m_onDemand;
    std::vector<std::pair<std::string, std::string_view>> m_raw;
    std::vector<std::unique_ptr<dom::parser>> m_parsers;
    QMap<QString, Base64Data> m_media;
    std::optional<Base64Data> m_photo;
};

// The decoder reads in place from a buffer with spare bytes at its end.
QByteArray padded(const QByteArray& bytes) {
    if (bytes.capacity() - bytes.size() >= kDecodePadding)
        return bytes;
    QByteArray copy;
    copy.reserve(bytes.size() + kDecodePadding);
    copy.append(bytes);
    return copy;
}

// Whether the text stops with an object or an array still open: the parser
// says "ended early" as well for anything that follows a complete document.
// Read only once a file was refused.
bool endsOpen(const QByteArray& bytes) {
    qsizetype depth = 0;
    bool inString = false;
    bool escaped = false;
    for (const char c : bytes) {
        if (inString) {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '{' || c == '[') {
            ++depth;
        } else if ((c == '}' || c == ']') && --depth == 0) {
            return false;
        }
    }
    return depth > 0;
}

template <class T, class F> Result<T> guarded(const QByteArray& bytes, F&& decode) {
    try {
        return decode();
    } catch (const DecodeError& e) {
        return Result<T>::failure(e.message());
    } catch (const ParseFailure& e) {
        if (e.code == simdjson::INCOMPLETE_ARRAY_OR_OBJECT && !endsOpen(bytes))
            return Result<T>::failure(parseErrorMessage(simdjson::TAPE_ERROR));
        return Result<T>::failure(parseErrorMessage(e.code));
    } catch (const std::bad_alloc&) {
        return Result<T>::failure(parseErrorMessage(simdjson::MEMALLOC));
    }
}

} // namespace

Result<AppDatabase> decodeSession(const QByteArray& bytes, const Clock& clock) {
    return guarded<AppDatabase>(bytes, [&] {
        const QByteArray input = padded(bytes);
        SessionRoot root(input, true);
        Context ctx{truncatedToSeconds(clock.now())};
        FieldReader reader(root.fields(), ctx);
        AppDatabase db;
        describe(reader, db);
        db.embeddedMedia = root.takeMedia();
        db.sessionProfilePhotoData = root.takePhoto();
        return db;
    });
}

Result<CDBPreview> decodePreview(const QByteArray& bytes) {
    return guarded<CDBPreview>(bytes, [&] {
        const QByteArray input = padded(bytes);
        SessionRoot root(input, false);
        Context ctx;
        FieldReader reader(root.fields({"preferences"}), ctx);
        CDBPreview preview;
        describe(reader, preview);
        return preview;
    });
}

} // namespace velmora
