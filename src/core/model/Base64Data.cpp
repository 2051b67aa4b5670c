#include "core/model/Base64Data.h"

namespace velmora {
bool Base64Data::isValid(std::string_view text) {
    if (text.size() % 4 != 0)
        return false;
    std::size_t end = text.size();
    if (end > 0 && text[end - 1] == '=') {
        --end;
        if (text[end - 1] == '=')
            --end;
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    // Range tests over fixed-size blocks rather than a table: the compiler
    // turns the inner loop into vector code, which matters on a hundred
    // megabytes of media.
    const auto inAlphabet = [](unsigned char c) -> unsigned char {
        return static_cast<unsigned char>(static_cast<unsigned char>(c - 'A') < 26) |
               static_cast<unsigned char>(static_cast<unsigned char>(c - 'a') < 26) |
               static_cast<unsigned char>(static_cast<unsigned char>(c - '0') < 10) |
               static_cast<unsigned char>(c == '+') | static_cast<unsigned char>(c == '/');
    };
    constexpr std::size_t kBlock = 64;
    unsigned char valid = 1;
    std::size_t i = 0;
    for (; i + kBlock <= end && valid; i += kBlock) {
        unsigned char block = 1;
        for (std::size_t j = 0; j < kBlock; ++j)
            block &= inAlphabet(bytes[i + j]);
        valid &= block;
    }
    for (; i < end; ++i)
        valid &= inAlphabet(bytes[i]);
    return valid != 0;
}

Base64Data Base64Data::fromBytes(const QByteArray& bytes) {
    QByteArray text = bytes.toBase64();
    const qsizetype size = text.size();
    return Base64Data(std::move(text), 0, size);
}

std::optional<Base64Data> Base64Data::fromEncoded(std::string_view encoded) {
    if (!isValid(encoded))
        return std::nullopt;
    const auto size = static_cast<qsizetype>(encoded.size());
    return Base64Data(QByteArray(encoded.data(), size), 0, size);
}

std::optional<Base64Data> Base64Data::fromEncodedSlice(const QByteArray& buffer, qsizetype offset,
                                                       qsizetype size) {
    if (offset < 0 || size < 0 || offset + size > buffer.size() ||
        !isValid(std::string_view(buffer.constData() + offset, std::size_t(size))))
        return std::nullopt;
    return Base64Data(buffer, offset, size);
}

QByteArray Base64Data::decoded() const {
    return QByteArray::fromBase64(QByteArray::fromRawData(encoded().data(), m_size));
}

qsizetype Base64Data::decodedSize() const {
    const QByteArrayView text = encoded();
    qsizetype size = text.size() / 4 * 3;
    if (text.endsWith("=="))
        size -= 2;
    else if (text.endsWith('='))
        size -= 1;
    return size;
}

} // namespace velmora
