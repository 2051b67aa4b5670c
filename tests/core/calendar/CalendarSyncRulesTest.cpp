// The synchronisation's rules that need no event list: durations, the result
// message and the window written.

#include "core/calendar/CalendarSyncRules.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(CalendarSyncRulesTest, DurationTextInMinutes) {
    struct Case {
        const char16_t* text;
        int minutes;
    };
    const Case cases[] = {
        {u"1h30", 90},      {u"2 h", 120},  {u"2h", 120},  {u" 1 h 05 \n", 65},
        {u"durée 3h", 180}, {u"1:30", 90},  {u"0:45", 45}, {u"2 : 15", 135},
        {u"", 60},          {u"  \n", 60},  {u"90", 60},   {u"une heure", 60},
        {u"a:b", 60},       {u"-1:30", 60}, {u"2H", 60},
    };
    for (const Case& c : cases)
        EXPECT_EQ(durationMinutes(QString::fromUtf16(c.text)), c.minutes)
            << QString::fromUtf16(c.text).toStdString();
}

TEST(CalendarSyncRulesTest, CountsAndMessage) {
    struct Case {
        int saved;
        int removed;
        SyncCounts counts;
        const char16_t* message;
    };
    const Case cases[] = {
        {0, 0, {0, 0}, u"0 événements ajoutés, 0 mis à jour."},
        {1, 0, {1, 0}, u"1 événement ajouté, 0 mis à jour."},
        {5, 3, {2, 3}, u"2 événements ajoutés, 3 mis à jour."},
        {4, 4, {0, 4}, u"0 événements ajoutés, 4 mis à jour."},
        {2, 7, {0, 2}, u"0 événements ajoutés, 2 mis à jour."},
        {8, 7, {1, 7}, u"1 événement ajouté, 7 mis à jour."},
    };
    for (const Case& c : cases) {
        const SyncCounts counts = syncCounts(c.saved, c.removed);
        EXPECT_EQ(counts, c.counts) << c.saved << " " << c.removed;
        EXPECT_EQ(syncResultMessage(counts), QString::fromUtf16(c.message));
    }
}

TEST(CalendarSyncRulesTest, WindowAndOldestDate) {
    const QDateTime now(QDate(2026, 3, 15), QTime(10, 0), Qt::UTC);
    const SyncWindow window = syncWindow(now);
    EXPECT_EQ(window.from, QDateTime(QDate(2024, 3, 15), QTime(10, 0), Qt::UTC));
    EXPECT_EQ(window.to, QDateTime(QDate(2031, 3, 15), QTime(10, 0), Qt::UTC));
    EXPECT_EQ(oldestSyncedDate(now), QDateTime(QDate(2026, 2, 13), QTime(10, 0), Qt::UTC));
}

} // namespace
} // namespace velmora
