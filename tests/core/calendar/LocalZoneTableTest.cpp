// The local zone table against the conversions of QDateTime, around the two
// changes of offset of 2026 in Paris (the tests run in Europe/Paris).

#include "core/calendar/LocalZoneTable.h"

#include <gtest/gtest.h>

using namespace velmora;

namespace {

const LocalZoneTable kYear(QDateTime(QDate(2026, 1, 1), QTime(0, 0), Qt::UTC),
                           QDateTime(QDate(2027, 1, 1), QTime(0, 0), Qt::UTC));

struct WallCase {
    QDate day;
    QTime time;
    std::optional<QDateTime> utc;
};

TEST(LocalZoneTable, WallTimesAwayFromAChangeOnly) {
    const auto utc = [](int month, int day, int hour, int minute = 0) {
        return QDateTime(QDate(2026, month, day), QTime(hour, minute), Qt::UTC);
    };
    const WallCase cases[] = {
        {QDate(2026, 3, 28), QTime(1, 59), utc(3, 28, 0, 59)},
        {QDate(2026, 3, 28), QTime(2, 0), std::nullopt},
        {QDate(2026, 3, 29), QTime(2, 30), std::nullopt}, // skipped
        {QDate(2026, 3, 30), QTime(2, 59), std::nullopt},
        {QDate(2026, 3, 30), QTime(3, 0), utc(3, 30, 1)},
        {QDate(2026, 10, 24), QTime(2, 59), utc(10, 24, 0, 59)},
        {QDate(2026, 10, 24), QTime(3, 0), std::nullopt},
        {QDate(2026, 10, 25), QTime(2, 30), std::nullopt}, // repeated
        {QDate(2026, 10, 26), QTime(1, 59), std::nullopt},
        {QDate(2026, 10, 26), QTime(2, 0), utc(10, 26, 1)},
        {QDate(2026, 1, 1), QTime(12, 0), std::nullopt},   // before the table
        {QDate(2026, 12, 31), QTime(12, 0), std::nullopt}, // after it
        {QDate(), QTime(12, 0), std::nullopt},
    };
    for (const WallCase& c : cases)
        EXPECT_EQ(kYear.utc(c.day, c.time), c.utc) << c.day.toString().toStdString();
}

TEST(LocalZoneTable, AgreesWithQDateTimeAllYear) {
    int unanswered = 0;
    for (QDateTime t(QDate(2026, 1, 1), QTime(0, 7), Qt::UTC); t.date().year() == 2026;
         t = t.addSecs(1511)) {
        const QDateTime local = t.toLocalTime();
        ASSERT_EQ(kYear.local(t), std::pair(local.date(), local.time()))
            << t.toString().toStdString();
        const std::optional<QDateTime> back = kYear.utc(local.date(), local.time());
        if (back) {
            ASSERT_EQ(back->toMSecsSinceEpoch(), t.toMSecsSinceEpoch());
        }
        unanswered += !back;
    }
    // The two days on each side of both changes, and those at the ends.
    EXPECT_LT(unanswered, 6 * 24 * 3600 / 1511 + 2);
}

} // namespace
