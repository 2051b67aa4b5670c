#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>
#include <string_view>

namespace velmora {

// Binary data as it travels in a session file. It keeps the Base64 text so that
// a session can be written again without re-encoding megabytes of media; the
// bytes are decoded only when someone needs them. The text may be a slice of
// a larger shared buffer (the session file it was read from), which spares a
// copy of every media file when a session is read.
class Base64Data {
public:
    Base64Data() = default;

    static Base64Data fromBytes(const QByteArray& bytes);
    // Standard alphabet with padding, nothing else; nullopt otherwise.
    static std::optional<Base64Data> fromEncoded(std::string_view encoded);
    // The same check, for text that stays inside `buffer`.
    static std::optional<Base64Data> fromEncodedSlice(const QByteArray& buffer, qsizetype offset,
                                                      qsizetype size);
    static bool isValid(std::string_view encoded);

    QByteArrayView encoded() const { return {m_buffer.constData() + m_offset, m_size}; }
    QByteArray decoded() const;
    qsizetype decodedSize() const;
    bool isEmpty() const { return m_size == 0; }

    friend bool operator==(const Base64Data& a, const Base64Data& b) {
        return a.encoded() == b.encoded();
    }

private:
    Base64Data(QByteArray buffer, qsizetype offset, qsizetype size)
        : m_buffer(std::move(buffer)), m_offset(offset), m_size(size) {}
    QByteArray m_buffer;
    qsizetype m_offset = 0;
    qsizetype m_size = 0;
};

} // namespace velmora
