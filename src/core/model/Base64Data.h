#pragma once

#include <QByteArray>

#include <optional>
#include <string_view>

namespace velmora {

// Binary data as it travels in a session file. It keeps the Base64 text so that
// a session can be written again without re-encoding megabytes of media; the
// bytes are decoded only when someone needs them.
class Base64Data {
public:
    Base64Data() = default;

    static Base64Data fromBytes(const QByteArray& bytes);
    // Standard alphabet with padding, nothing else; nullopt otherwise.
    static std::optional<Base64Data> fromEncoded(std::string_view encoded);
    static bool isValid(std::string_view encoded);

    const QByteArray& encoded() const { return m_encoded; }
    QByteArray decoded() const;
    qsizetype decodedSize() const;
    bool isEmpty() const { return m_encoded.isEmpty(); }

    friend bool operator==(const Base64Data&, const Base64Data&) = default;

private:
    explicit Base64Data(QByteArray encoded) : m_encoded(std::move(encoded)) {}
    QByteArray m_encoded;
};

} // namespace velmora
