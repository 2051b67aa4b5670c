#include "core/model/JsonWriter.h"

#include <QIODevice>
#include <QtDebug>

#include <charconv>
#include <cmath>

namespace velmora {
namespace {

constexpr qsizetype kFlushThreshold = 1 << 20;

bool needsEscape(unsigned char c) {
    return c < 0x20 || c == '"' || c == '\\';
}

} // namespace

JsonWriter::JsonWriter(QByteArray* out, Style style) : m_out(out), m_style(style) {}

JsonWriter::JsonWriter(QIODevice* device, Style style)
    : m_out(&m_buffer), m_device(device), m_style(style) {
    m_buffer.reserve(kFlushThreshold + 4096);
}

JsonWriter::~JsonWriter() = default;

void JsonWriter::append(std::string_view bytes) {
    m_out->append(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

void JsonWriter::newlineIndent() {
    m_out->append('\n');
    m_out->append(static_cast<qsizetype>(m_levels.size()) * 2, ' ');
}

void JsonWriter::beforeValue() {
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (m_levels.empty())
        return;
    Level& level = m_levels.back();
    if (level.count++ > 0)
        m_out->append(',');
    if (m_style == Style::Pretty)
        newlineIndent();
}

void JsonWriter::open(char bracket, bool isObject) {
    beforeValue();
    m_out->append(bracket);
    m_levels.push_back({isObject, 0});
}

void JsonWriter::close(char bracket) {
    const bool hadMembers = m_levels.back().count > 0;
    m_levels.pop_back();
    if (m_style == Style::Pretty && hadMembers)
        newlineIndent();
    m_out->append(bracket);
    flushIfLarge();
}

void JsonWriter::beginObject() {
    open('{', true);
}
void JsonWriter::endObject() {
    close('}');
}
void JsonWriter::beginArray() {
    open('[', false);
}
void JsonWriter::endArray() {
    close(']');
}

void JsonWriter::key(std::string_view asciiKey) {
    beforeValue();
    m_out->append('"');
    append(asciiKey);
    append(m_style == Style::Pretty ? std::string_view("\": ") : std::string_view("\":"));
    m_afterKey = true;
}

void JsonWriter::key(const QString& key) {
    beforeValue();
    const QByteArray utf8 = key.toUtf8();
    writeEscaped(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
    append(m_style == Style::Pretty ? std::string_view(": ") : std::string_view(":"));
    m_afterKey = true;
}

void JsonWriter::value(bool v) {
    beforeValue();
    append(v ? "true" : "false");
}

void JsonWriter::value(qint64 v) {
    beforeValue();
    char text[24];
    const auto end = std::to_chars(text, text + sizeof text, v).ptr;
    append(std::string_view(text, static_cast<std::size_t>(end - text)));
}

void JsonWriter::value(double v) {
    beforeValue();
    if (!std::isfinite(v)) {
        qWarning("JsonWriter: nombre non fini remplacé par 0");
        v = 0;
    }
    char text[32];
    // The shortest form of a large whole number can be a plain integer wider
    // than 64 bits, which readers refuse; the exponent form always reads back.
    char* end;
    if (std::abs(v) < 1e18)
        end = std::to_chars(text, text + sizeof text, v).ptr;
    else
        end = std::to_chars(text, text + sizeof text, v, std::chars_format::scientific).ptr;
    append(std::string_view(text, static_cast<std::size_t>(end - text)));
}

void JsonWriter::value(const QString& v) {
    beforeValue();
    // Most texts are plain ASCII with nothing to escape: copy them directly.
    const qsizetype n = v.size();
    const QChar* chars = v.constData();
    bool simple = true;
    for (qsizetype i = 0; i < n && simple; ++i) {
        const char16_t c = chars[i].unicode();
        simple = c < 0x80 && !needsEscape(static_cast<unsigned char>(c));
    }
    if (simple) {
        m_out->append('"');
        const qsizetype start = m_out->size();
        m_out->resize(start + n);
        char* dst = m_out->data() + start;
        for (qsizetype i = 0; i < n; ++i)
            dst[i] = static_cast<char>(chars[i].unicode());
        m_out->append('"');
    } else {
        const QByteArray utf8 = v.toUtf8();
        writeEscaped(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
    }
    flushIfLarge();
}

void JsonWriter::rawValue(std::string_view json) {
    beforeValue();
    if (m_device && json.size() > static_cast<std::size_t>(kFlushThreshold)) {
        flush();
        if (!m_failed && m_device->write(json.data(), static_cast<qint64>(json.size())) !=
                             static_cast<qint64>(json.size())) {
            m_failed = true;
            m_error = m_device->errorString();
        }
    } else {
        append(json);
    }
}

void JsonWriter::rawString(std::string_view safe) {
    beforeValue();
    m_out->append('"');
    if (m_device && safe.size() > static_cast<std::size_t>(kFlushThreshold)) {
        flush();
        if (!m_failed && m_device->write(safe.data(), static_cast<qint64>(safe.size())) !=
                             static_cast<qint64>(safe.size())) {
            m_failed = true;
            m_error = m_device->errorString();
        }
    } else {
        append(safe);
    }
    m_out->append('"');
    flushIfLarge();
}

void JsonWriter::writeEscaped(std::string_view utf8) {
    static constexpr char hex[] = "0123456789abcdef";
    m_out->append('"');
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (!needsEscape(c))
            continue;
        append(utf8.substr(runStart, i - runStart));
        runStart = i + 1;
        switch (c) {
        case '"':
            append("\\\"");
            break;
        case '\\':
            append("\\\\");
            break;
        case '\n':
            append("\\n");
            break;
        case '\r':
            append("\\r");
            break;
        case '\t':
            append("\\t");
            break;
        case '\b':
            append("\\b");
            break;
        case '\f':
            append("\\f");
            break;
        default: {
            const char esc[] = {'\\', 'u', '0', '0', hex[c >> 4], hex[c & 0xF]};
            append(std::string_view(esc, sizeof esc));
        }
        }
    }
    append(utf8.substr(runStart));
    m_out->append('"');
}

void JsonWriter::flushIfLarge() {
    if (m_device && m_buffer.size() >= kFlushThreshold)
        flush();
}

void JsonWriter::flush() {
    if (!m_device || m_buffer.isEmpty())
        return;
    if (!m_failed && m_device->write(m_buffer) != m_buffer.size()) {
        m_failed = true;
        m_error = m_device->errorString();
    }
    m_buffer.resize(0);
}

bool JsonWriter::finish() {
    flush();
    return !m_failed;
}

} // namespace velmora
