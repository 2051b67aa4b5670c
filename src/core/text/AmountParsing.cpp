#include "core/text/AmountParsing.h"

#include <charconv>
#include <cmath>
#include <string>

namespace velmora {
namespace {

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The spaces the French money format puts between thousands and before "€".
bool isGroupSpace(QChar c) {
    return c == QLatin1Char(' ') || c == QChar(0x00A0) || c == QChar(0x202F);
}

// Reads sign? integer? (mark digits?)? exponent? into plain ASCII, where the
// integer is either bare digits or groups of three after a first group of one
// to three. Returns false on anything else.
bool toAscii(QStringView s, std::string& out) {
    qsizetype i = 0;
    const qsizetype n = s.size();
    if (i < n && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-') || s[i] == QChar(0x2212))) {
        if (s[i] != QLatin1Char('+'))
            out.push_back('-');
        ++i;
    }
    std::size_t mantissaDigits = 0;
    qsizetype run = 0;
    while (i < n && isDigit(s[i]))
        out.push_back(char(s[i++].unicode())), ++run;
    mantissaDigits += std::size_t(run);
    if (i < n && isGroupSpace(s[i])) {
        if (run == 0 || run > 3)
            return false;
        while (i < n && isGroupSpace(s[i])) {
            ++i;
            qsizetype group = 0;
            while (i < n && isDigit(s[i]))
                out.push_back(char(s[i++].unicode())), ++group;
            if (group != 3)
                return false;
            mantissaDigits += 3;
        }
    }
    if (i < n && (s[i] == QLatin1Char(',') || s[i] == QLatin1Char('.'))) {
        out.push_back('.');
        ++i;
        while (i < n && isDigit(s[i]))
            out.push_back(char(s[i++].unicode())), ++mantissaDigits;
    }
    if (mantissaDigits == 0)
        return false;
    if (i < n && (s[i] == QLatin1Char('e') || s[i] == QLatin1Char('E'))) {
        out.push_back('e');
        ++i;
        if (i < n && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-')))
            out.push_back(char(s[i++].unicode()));
        qsizetype exponentDigits = 0;
        while (i < n && isDigit(s[i]))
            out.push_back(char(s[i++].unicode())), ++exponentDigits;
        if (exponentDigits == 0)
            return false;
    }
    return i == n;
}

} // namespace

std::optional<double> parseAmount(QStringView text) {
    QStringView number = text.trimmed();
    if (number.endsWith(QChar(0x20AC))) {
        number.chop(1);
        if (!number.isEmpty() && isGroupSpace(number.back()))
            number.chop(1);
    }
    std::string ascii;
    ascii.reserve(std::size_t(number.size()));
    if (!toAscii(number, ascii))
        return std::nullopt;
    const char* begin = ascii.data();
    const char* end = ascii.data() + ascii.size();
    double value = 0;
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace velmora
