// The one date form of session files: "YYYY-MM-DDThh:mm:ssZ".

#include "core/model/IsoDate.h"
#include "support/QtPrinters.h"

#include <QTimeZone>

#include <gtest/gtest.h>

#include <optional>

namespace velmora {
namespace {

QDateTime utc(int y, int m, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
    return QDateTime(QDate(y, m, d), QTime(h, mi, s, ms), Qt::UTC);
}

std::optional<QDateTime> parse(const char* text) {
    return parseIsoDate(text);
}

TEST(IsoDateTest, ParsesValidDates) {
    EXPECT_EQ(parse("2025-06-10T09:05:07Z"), utc(2025, 6, 10, 9, 5, 7));
    EXPECT_EQ(parse("1970-01-01T00:00:00Z"), QDateTime::fromSecsSinceEpoch(0, Qt::UTC));
    EXPECT_EQ(parse("1969-12-31T23:59:59Z"), QDateTime::fromSecsSinceEpoch(-1, Qt::UTC));
    EXPECT_EQ(parse("2025-12-31T23:59:59Z"), utc(2025, 12, 31, 23, 59, 59));
    EXPECT_EQ(parse("0000-01-01T00:00:00Z"), QDateTime::fromSecsSinceEpoch(-62167219200, Qt::UTC));
    EXPECT_EQ(parse("9999-12-31T23:59:59Z"), QDateTime::fromSecsSinceEpoch(253402300799, Qt::UTC));
    EXPECT_EQ(parse("1600-03-01T12:00:00Z"), utc(1600, 3, 1, 12));
    const auto read = parse("2025-06-10T09:05:07Z");
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->timeSpec(), Qt::UTC);
}

TEST(IsoDateTest, LeapYears) {
    EXPECT_EQ(parse("2024-02-29T00:00:00Z"), utc(2024, 2, 29));
    EXPECT_EQ(parse("2000-02-29T00:00:00Z"), utc(2000, 2, 29));
    EXPECT_EQ(parse("1600-02-29T00:00:00Z"), utc(1600, 2, 29));
    EXPECT_EQ(parse("0000-02-29T00:00:00Z"),
              QDateTime::fromSecsSinceEpoch(-62167219200 + 59 * 86400, Qt::UTC));
    EXPECT_FALSE(parse("2023-02-29T00:00:00Z"));
    EXPECT_FALSE(parse("1900-02-29T00:00:00Z"));
    EXPECT_FALSE(parse("2100-02-29T00:00:00Z"));
    EXPECT_FALSE(parse("2024-02-30T00:00:00Z"));
}

TEST(IsoDateTest, MonthAndTimeBoundaries) {
    const char* lastDays[] = {"2025-01-31", "2025-03-31", "2025-04-30", "2025-05-31",
                              "2025-06-30", "2025-07-31", "2025-08-31", "2025-09-30",
                              "2025-10-31", "2025-11-30", "2025-12-31"};
    const char* overDays[] = {"2025-01-32", "2025-03-32", "2025-04-31", "2025-05-32",
                              "2025-06-31", "2025-07-32", "2025-08-32", "2025-09-31",
                              "2025-10-32", "2025-11-31", "2025-12-32"};
    for (const char* day : lastDays)
        EXPECT_TRUE(parseIsoDate(std::string(day) + "T00:00:00Z")) << day;
    for (const char* day : overDays)
        EXPECT_FALSE(parseIsoDate(std::string(day) + "T00:00:00Z")) << day;
    for (const char* text : {"2025-00-01T00:00:00Z", "2025-13-01T00:00:00Z", "2025-01-00T00:00:00Z",
                             "2025-01-01T24:00:00Z", "2025-01-01T23:60:00Z", "2025-01-01T23:59:60Z",
                             "2025-01-01T99:99:99Z"})
        EXPECT_FALSE(parse(text)) << text;
}

TEST(IsoDateTest, RefusesOtherForms) {
    for (const char* text :
         {"2025-06-10T09:05:07.000Z", "2025-06-10T09:05:07+02:00", "2025-06-10T09:05:07",
          "2025-06-10T09:05Z", "2025-06-10", "2025-06-10 09:05:07Z", "2025/06/10T09:05:07Z",
          "2025-06-10T09:05:07z", "2025-06-10t09:05:07Z", " 2025-06-10T09:05:07Z",
          "2025-06-10T09:05:07Z ", "+025-06-10T09:05:07Z", "-025-06-10T09:05:07Z",
          "2025-06-1aT09:05:07Z", "2025-06-10T09:0:507Z", "", "Z"})
        EXPECT_FALSE(parse(text)) << text;
    EXPECT_FALSE(parseIsoDate(std::string_view("2025-06-10T09:05:07\0", 20)));
}

TEST(IsoDateTest, FormatsUtcWithWholeSeconds) {
    EXPECT_EQ(isoDateString(utc(2025, 6, 10, 9, 5, 7)), QStringLiteral("2025-06-10T09:05:07Z"));
    EXPECT_EQ(isoDateString(utc(2025, 6, 10, 9, 5, 7, 999)),
              QStringLiteral("2025-06-10T09:05:07Z"));
    EXPECT_EQ(isoDateString(QDateTime(QDate(2025, 7, 1), QTime(0, 30), QTimeZone("Europe/Paris"))),
              QStringLiteral("2025-06-30T22:30:00Z"));
    EXPECT_EQ(isoDateString(QDateTime(QDate(2025, 1, 1), QTime(0, 30), QTimeZone("Europe/Paris"))),
              QStringLiteral("2024-12-31T23:30:00Z"));
    EXPECT_EQ(isoDateString(utc(2024, 2, 29, 23, 59, 59)), QStringLiteral("2024-02-29T23:59:59Z"));
    EXPECT_EQ(isoDateString(utc(1, 1, 1)), QStringLiteral("0001-01-01T00:00:00Z"));
    EXPECT_EQ(isoDateString(utc(1969, 7, 20, 20, 17, 40)), QStringLiteral("1969-07-20T20:17:40Z"));
}

TEST(IsoDateTest, FractionsBefore1970AreDroppedDownwards) {
    // Dropping the fraction moves a date back to its second, never forward.
    EXPECT_EQ(isoDateString(QDateTime::fromMSecsSinceEpoch(-500, Qt::UTC)),
              QStringLiteral("1969-12-31T23:59:59Z"));
    EXPECT_EQ(isoDateString(utc(1969, 7, 20, 20, 17, 40, 900)),
              QStringLiteral("1969-07-20T20:17:40Z"));
    EXPECT_EQ(truncatedToSeconds(QDateTime::fromMSecsSinceEpoch(-1, Qt::UTC)),
              QDateTime::fromSecsSinceEpoch(-1, Qt::UTC));
    EXPECT_EQ(truncatedToSeconds(utc(2025, 1, 1, 0, 0, 0, 999)), utc(2025, 1, 1));
}

TEST(IsoDateTest, YearsOutsideFourDigitsAreClamped) {
    EXPECT_EQ(isoDateString(utc(10000, 1, 1)), QStringLiteral("9999-12-31T23:59:59Z"));
    EXPECT_EQ(isoDateString(utc(123456, 6, 1)), QStringLiteral("9999-12-31T23:59:59Z"));
    // QDate has no year 0: its year -1 is the year 0000 of the file.
    EXPECT_EQ(isoDateString(utc(-1, 1, 1)), QStringLiteral("0000-01-01T00:00:00Z"));
    EXPECT_EQ(isoDateString(utc(-1, 12, 31, 23, 59, 59)), QStringLiteral("0000-12-31T23:59:59Z"));
    EXPECT_EQ(isoDateString(utc(-2, 12, 31, 23, 59, 59)), QStringLiteral("0000-01-01T00:00:00Z"));
    EXPECT_EQ(isoDateString(utc(-4713, 1, 2)), QStringLiteral("0000-01-01T00:00:00Z"));
    // What is written always reads back.
    for (const QDateTime& date :
         {utc(10000, 1, 1), utc(-2, 1, 1), utc(9999, 12, 31, 23, 59, 59, 999)})
        EXPECT_TRUE(parseIsoDate(isoDateString(date).toStdString()))
            << isoDateString(date).toStdString();
}

TEST(IsoDateTest, InvalidDateIsWrittenAsTheEpoch) {
    EXPECT_EQ(isoDateString(QDateTime()), QStringLiteral("1970-01-01T00:00:00Z"));
}

TEST(IsoDateTest, EveryDayOfFourHundredYearsRoundTrips) {
    // One whole Gregorian cycle, so every leap rule is crossed.
    QDate day(2000, 1, 1);
    const QDate end(2400, 1, 1);
    int failures = 0;
    for (; day < end && failures < 5; day = day.addDays(1)) {
        const QDateTime date(day, QTime(23, 59, 58), Qt::UTC);
        const QString text = isoDateString(date);
        const QString expected = day.toString(Qt::ISODate) + QStringLiteral("T23:59:58Z");
        const auto back = parseIsoDate(text.toStdString());
        if (text != expected || back != date) {
            ADD_FAILURE() << expected.toStdString() << " written " << text.toStdString();
            ++failures;
        }
    }
}

} // namespace
} // namespace velmora
