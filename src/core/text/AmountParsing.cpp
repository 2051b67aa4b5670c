#include "core/text/AmountParsing.h"

#include <charconv>
#include <cmath>
#include <string>

namespace velmora {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// sign? digits ('.' digits?)? | sign? '.' digits, then (e|E sign? digits)?
bool isDecimalNumber(const std::string& s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    std::size_t mantissaDigits = 0;
    while (i < s.size() && isDigit(s[i]))
        ++i, ++mantissaDigits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i]))
            ++i, ++mantissaDigits;
    }
    if (mantissaDigits == 0)
        return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        std::size_t exponentDigits = 0;
        while (i < s.size() && isDigit(s[i]))
            ++i, ++exponentDigits;
        if (exponentDigits == 0)
            return false;
    }
    return i == s.size();
}

} // namespace

std::optional<double> parseAmount(QStringView text) {
    const QStringView trimmed = text.trimmed();
    std::string ascii;
    ascii.reserve(std::size_t(trimmed.size()));
    for (const QChar c : trimmed) {
        if (c.unicode() >= 0x80)
            return std::nullopt;
        ascii.push_back(c == QLatin1Char(',') ? '.' : char(c.unicode()));
    }
    if (!isDecimalNumber(ascii))
        return std::nullopt;
    // from_chars does not take a leading '+'.
    const char* begin = ascii.data() + (ascii.front() == '+' ? 1 : 0);
    const char* end = ascii.data() + ascii.size();
    double value = 0;
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace velmora
