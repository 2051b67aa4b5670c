#include "core/model/IsoDate.h"

#include <algorithm>

namespace velmora {
namespace {

constexpr qint64 kMinSeconds = -62167219200; // 0000-01-01T00:00:00Z
constexpr qint64 kMaxSeconds = 253402300799; // 9999-12-31T23:59:59Z

bool digits(std::string_view text, std::size_t pos, std::size_t count, int& out) {
    int v = 0;
    for (std::size_t i = pos; i < pos + count; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    out = v;
    return true;
}

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
qint64 daysFromCivil(qint64 y, unsigned m, unsigned d) {
    y -= m <= 2;
    const qint64 era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<qint64>(doe) - 719468;
}

void civilFromDays(qint64 z, qint64& y, unsigned& m, unsigned& d) {
    z += 719468;
    const qint64 era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    y = static_cast<qint64>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y += m <= 2;
}

bool isLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(int y, int m) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : days[m - 1];
}

// QDateTime::toSecsSinceEpoch() rounds towards zero, which moves a date
// before 1970 forward to the next second; dropping a fraction must not.
qint64 wholeSeconds(const QDateTime& date) {
    const qint64 ms = date.toMSecsSinceEpoch();
    return ms >= 0 ? ms / 1000 : -((999 - ms) / 1000);
}

void put(char* out, unsigned value, int width) {
    for (int i = width - 1; i >= 0; --i) {
        out[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
}

} // namespace

std::optional<QDateTime> parseIsoDate(std::string_view t) {
    if (t.size() != 20 || t[4] != '-' || t[7] != '-' || t[10] != 'T' || t[13] != ':' ||
        t[16] != ':' || t[19] != 'Z')
        return std::nullopt;
    int y, mo, d, h, mi, s;
    if (!digits(t, 0, 4, y) || !digits(t, 5, 2, mo) || !digits(t, 8, 2, d) ||
        !digits(t, 11, 2, h) || !digits(t, 14, 2, mi) || !digits(t, 17, 2, s))
        return std::nullopt;
    if (mo < 1 || mo > 12 || d < 1 || d > daysInMonth(y, mo) || h > 23 || mi > 59 || s > 59)
        return std::nullopt;
    const qint64 secs =
        daysFromCivil(y, static_cast<unsigned>(mo), static_cast<unsigned>(d)) * 86400 + h * 3600 +
        mi * 60 + s;
    return QDateTime::fromSecsSinceEpoch(secs, Qt::UTC);
}

void formatIsoDate(const QDateTime& date, char out[20]) {
    const qint64 secs =
        date.isValid() ? std::clamp(wholeSeconds(date), kMinSeconds, kMaxSeconds) : 0;
    qint64 days = secs / 86400;
    qint64 rem = secs % 86400;
    if (rem < 0) {
        rem += 86400;
        --days;
    }
    qint64 y;
    unsigned m, d;
    civilFromDays(days, y, m, d);
    put(out, static_cast<unsigned>(y), 4);
    out[4] = '-';
    put(out + 5, m, 2);
    out[7] = '-';
    put(out + 8, d, 2);
    out[10] = 'T';
    put(out + 11, static_cast<unsigned>(rem / 3600), 2);
    out[13] = ':';
    put(out + 14, static_cast<unsigned>(rem / 60 % 60), 2);
    out[16] = ':';
    put(out + 17, static_cast<unsigned>(rem % 60), 2);
    out[19] = 'Z';
}

QString isoDateString(const QDateTime& date) {
    char text[20];
    formatIsoDate(date, text);
    return QString::fromLatin1(text, 20);
}

QDateTime truncatedToSeconds(const QDateTime& date) {
    return QDateTime::fromSecsSinceEpoch(wholeSeconds(date), Qt::UTC);
}

} // namespace velmora
