#pragma once

#include <QByteArray>
#include <QString>

#include <string_view>
#include <vector>

class QIODevice;

namespace velmora {

// A small streaming JSON writer: compact, or indented by two spaces. It writes
// into a byte array or through a buffer into a device, so that megabytes of
// media go to disk without being gathered in memory first.
class JsonWriter {
public:
    enum class Style { Compact, Pretty };

    JsonWriter(QByteArray* out, Style style);
    JsonWriter(QIODevice* device, Style style);
    ~JsonWriter();
    JsonWriter(const JsonWriter&) = delete;
    JsonWriter& operator=(const JsonWriter&) = delete;

    Style style() const { return m_style; }

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    // A key of the schema: plain ASCII, written as it is.
    void key(std::string_view asciiKey);
    // A key chosen by the user (file names, notification ids): escaped.
    void key(const QString& key);

    void value(bool v);
    void value(qint64 v);
    // Shortest text that reads back to the same double. A non-finite number
    // would make the file unreadable, so it is written as 0.
    void value(double v);
    void value(const QString& v);
    // Text already known to need no escaping (Base64, fixed-format dates, ids).
    void rawString(std::string_view safe);
    // A whole value already written by another writer of the same style.
    void rawValue(std::string_view json);

    // Flushes what is buffered. False when the device refused a write.
    bool finish();
    bool failed() const { return m_failed; }
    QString errorString() const { return m_error; }

private:
    struct Level {
        bool isObject;
        qint64 count;
    };

    void beforeValue();
    void open(char bracket, bool isObject);
    void close(char bracket);
    void newlineIndent();
    void writeEscaped(std::string_view utf8);
    void append(std::string_view bytes);
    void flushIfLarge();
    void flush();

    QByteArray* m_out;
    QByteArray m_buffer;
    QIODevice* m_device = nullptr;
    Style m_style;
    std::vector<Level> m_levels;
    bool m_afterKey = false;
    bool m_failed = false;
    QString m_error;
};

} // namespace velmora
