// The one date form of session files: "YYYY-MM-DDThh:mm:ssZ".

#include "core/model/IsoDate.h"
#include "support/SessionJson.h"

#include <QTimeZone>

#include <gtest/gtest.h>

#include <optional>

namespace velmora {
namespace {

using test::utc;
using namespace Qt::StringLiterals;

QDateTime paris(int y, int m, int d, int h, int mi) {
    return QDateTime(QDate(y, m, d), QTime(h, mi), QTimeZone("Europe/Paris"));
}

TEST(IsoDateTest, ParsesValidDates) {
    const std::pair<std::string, QDateTime> cases[] = {
        {"2025-06-10T09:05:07Z", utc(2025, 6, 10, 9, 5, 7)},
        {"1970-01-01T00:00:00Z", QDateTime::fromSecsSinceEpoch(0, Qt::UTC)},
        {"1969-12-31T23:59:59Z", QDateTime::fromSecsSinceEpoch(-1, Qt::UTC)},
        {"2025-12-31T23:59:59Z", utc(2025, 12, 31, 23, 59, 59)},
        {"0000-01-01T00:00:00Z", QDateTime::fromSecsSinceEpoch(-62167219200, Qt::UTC)},
        {"9999-12-31T23:59:59Z", QDateTime::fromSecsSinceEpoch(253402300799, Qt::UTC)},
        {"1600-03-01T12:00:00Z", utc(1600, 3, 1, 12)},
        // Leap years before the cycle of EveryDayOfFourHundredYearsRoundTrips.
        {"1600-02-29T00:00:00Z", utc(1600, 2, 29)},
        {"0000-02-29T00:00:00Z", QDateTime::fromSecsSinceEpoch(-62167219200 + 59 * 86400, Qt::UTC)},
    };
    for (const auto& [text, date] : cases) {
        const std::optional<QDateTime> read = parseIsoDate(text);
        ASSERT_TRUE(read.has_value()) << text;
        EXPECT_EQ(*read, date) << text;
        EXPECT_EQ(read->timeSpec(), Qt::UTC) << text;
    }
}

TEST(IsoDateTest, RefusesEveryOtherForm) {
    for (const char* day :
         {"2025-01-32", "2025-03-32", "2025-04-31", "2025-05-32", "2025-06-31", "2025-07-32",
          "2025-08-32", "2025-09-31", "2025-10-32", "2025-11-31", "2025-12-32", "2023-02-29",
          "1900-02-29", "2100-02-29", "2024-02-30", "2025-00-01", "2025-13-01", "2025-01-00"})
        EXPECT_FALSE(parseIsoDate(std::string(day) + "T00:00:00Z")) << day;
    for (const char* text :
         {"2025-01-01T24:00:00Z",      "2025-01-01T23:60:00Z",      "2025-01-01T23:59:60Z",
          "2025-01-01T99:99:99Z",      "2025-06-10T09:05:07.000Z",  "2025-06-10T09:05:07.5Z",
          "2025-06-10T09:05:07+02:00", "2025-06-10T09:05:07+00:00", "2025-06-10T09:05:07",
          "2025-06-10T09:05Z",         "2025-06-10 09:05:07Z",      "2025/06/10T09:05:07Z",
          "2025-06-10T09:05:07z",      "2025-06-10t09:05:07Z",      " 2025-06-10T09:05:07Z",
          "2025-06-10T09:05:07Z ",     "+025-06-10T09:05:07Z",      "-025-06-10T09:05:07Z",
          "+2025-06-10T09:05:07Z",     "2025-6-10T09:05:07Z",       "25-06-10T09:05:07Z",
          "2025-06-1aT09:05:07Z",      "2025-06-10T09:0:507Z"})
        EXPECT_FALSE(parseIsoDate(text)) << text;
    for (const char* text : {"2025-06-10", "", "Z"})
        EXPECT_FALSE(parseIsoDate(text)) << text;
    EXPECT_FALSE(parseIsoDate(std::string_view("2025-06-10T09:05:07\0", 20)));
}

TEST(IsoDateTest, WritesUtcWithWholeSeconds) {
    const std::pair<QDateTime, const char*> cases[] = {
        {utc(2025, 6, 10, 9, 5, 7), "2025-06-10T09:05:07Z"},
        {utc(2025, 6, 10, 9, 5, 7, 999), "2025-06-10T09:05:07Z"},
        {paris(2025, 7, 1, 0, 30), "2025-06-30T22:30:00Z"},
        {paris(2025, 1, 1, 0, 30), "2024-12-31T23:30:00Z"},
        {utc(2024, 2, 29, 23, 59, 59), "2024-02-29T23:59:59Z"},
        {utc(1, 1, 1), "0001-01-01T00:00:00Z"},
        {utc(1969, 7, 20, 20, 17, 40), "1969-07-20T20:17:40Z"},
        // Dropping the fraction moves a date back to its second, never forward.
        {QDateTime::fromMSecsSinceEpoch(-500, Qt::UTC), "1969-12-31T23:59:59Z"},
        {utc(1969, 7, 20, 20, 17, 40, 900), "1969-07-20T20:17:40Z"},
        // Years outside four digits are clamped. QDate has no year 0: its
        // year -1 is the year 0000 of the file.
        {utc(10000, 1, 1), "9999-12-31T23:59:59Z"},
        {utc(123456, 6, 1), "9999-12-31T23:59:59Z"},
        {utc(9999, 12, 31, 23, 59, 59, 999), "9999-12-31T23:59:59Z"},
        {utc(-1, 1, 1), "0000-01-01T00:00:00Z"},
        {utc(-1, 12, 31, 23, 59, 59), "0000-12-31T23:59:59Z"},
        {utc(-2, 12, 31, 23, 59, 59), "0000-01-01T00:00:00Z"},
        {utc(-4713, 1, 2), "0000-01-01T00:00:00Z"},
        {QDateTime(), "1970-01-01T00:00:00Z"},
    };
    for (const auto& [date, text] : cases) {
        EXPECT_EQ(isoDateString(date), QLatin1String(text));
        // What is written always reads back.
        EXPECT_TRUE(parseIsoDate(text)) << text;
    }
    EXPECT_EQ(truncatedToSeconds(QDateTime::fromMSecsSinceEpoch(-1, Qt::UTC)),
              QDateTime::fromSecsSinceEpoch(-1, Qt::UTC));
    EXPECT_EQ(truncatedToSeconds(utc(2025, 1, 1, 0, 0, 0, 999)), utc(2025, 1, 1));
}

TEST(IsoDateTest, EveryDayOfFourHundredYearsRoundTrips) {
    // One whole Gregorian cycle, so every leap rule is crossed.
    int failures = 0;
    for (QDate day(2000, 1, 1); day < QDate(2400, 1, 1) && failures < 5; day = day.addDays(1)) {
        const QDateTime date(day, QTime(23, 59, 58), Qt::UTC);
        const QString text = isoDateString(date);
        const QString expected = day.toString(Qt::ISODate) + u"T23:59:58Z"_s;
        if (text != expected || parseIsoDate(text.toStdString()) != date) {
            ADD_FAILURE() << expected.toStdString() << " written " << text.toStdString();
            ++failures;
        }
    }
}

} // namespace
} // namespace velmora
