// A synchronisation run against the vdir store: the calendar is created once
// and found again, a second run over the same events only rewrites them, and
// a calendar deleted outside the application is created again and refilled.

#include "core/calendar/CalendarSync.h"
#include "core/store/SessionEdit.h"
#include "desktop/VdirCalendarStore.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace velmora;

namespace {

const QDateTime kNow(QDate(2026, 3, 10), QTime(12, 0), Qt::UTC);

QList<CalendarStoreEvent> events() {
    QList<CalendarStoreEvent> list;
    for (int day = 1; day <= 3; ++day) {
        CalendarStoreEvent e;
        e.uid = u"item-%1"_s.arg(day);
        e.title = u"Séance %1"_s.arg(day);
        e.start = kNow.addDays(day);
        e.end = e.start.addSecs(3600);
        list.append(e);
    }
    return list;
}

class CalendarSyncTest : public ::testing::Test {
protected:
    QTemporaryDir m_dir;
    FixedClock m_clock{kNow};
    VdirCalendarStore m_store{m_dir.path() + u"/calendars"_s, m_clock};
};

TEST_F(CalendarSyncTest, SecondRunRewritesWhatTheFirstAdded) {
    const CalendarSyncOutcome first = synchroniseCalendar(m_store, events(), std::nullopt, kNow);
    ASSERT_TRUE(first.completed) << first.error.value_or(QString()).toStdString();
    ASSERT_TRUE(first.calendarId);
    EXPECT_EQ(first.counts, (SyncCounts{3, 0}));
    EXPECT_EQ(first.error, std::nullopt);

    const CalendarSyncOutcome second =
        synchroniseCalendar(m_store, events(), first.calendarId, kNow);
    EXPECT_EQ(second.calendarId, first.calendarId);
    EXPECT_EQ(second.counts, (SyncCounts{0, 3}));
    EXPECT_EQ(second.message(), u"0 événements ajoutés, 3 mis à jour."_s);
    EXPECT_EQ(m_store.calendars()->size(), 1);
}

TEST_F(CalendarSyncTest, FoundByTitleWhenTheStoredIdIsUnknownToTheStore) {
    const Result<CalendarInfo> created = m_store.createCalendar(u"Velmora Core"_s);
    ASSERT_TRUE(created.ok());
    const CalendarSyncOutcome outcome = synchroniseCalendar(m_store, events(), std::nullopt, kNow);
    EXPECT_EQ(outcome.calendarId, created->id);
}

TEST_F(CalendarSyncTest, DeletedCalendarIsCreatedAgainAndRefilled) {
    const CalendarSyncOutcome first = synchroniseCalendar(m_store, events(), std::nullopt, kNow);
    ASSERT_TRUE(first.calendarId);
    ASSERT_TRUE(QDir(m_dir.path() + u"/calendars/"_s + *first.calendarId).removeRecursively());

    const CalendarSyncOutcome again =
        synchroniseCalendar(m_store, events(), first.calendarId, kNow);
    ASSERT_TRUE(again.completed) << again.error.value_or(QString()).toStdString();
    ASSERT_TRUE(again.calendarId);
    EXPECT_NE(*again.calendarId, *first.calendarId);
    EXPECT_EQ(again.counts, (SyncCounts{3, 0}));
    EXPECT_EQ(again.error, std::nullopt);
    ASSERT_TRUE(m_store.calendar(*again.calendarId));

    AppDatabase db;
    db.preferences.calendarICloudCalendarID = first.calendarId;
    db.preferences.calendarSyncError = u"ancienne erreur"_s;
    SessionEdit edit(db);
    ASSERT_TRUE(applyCalendarSyncOutcome(edit, again, kNow).ok());
    EXPECT_EQ(edit.session().preferences.calendarICloudCalendarID, again.calendarId);
    EXPECT_EQ(edit.session().preferences.calendarLastSyncDate, kNow);
    EXPECT_EQ(edit.session().preferences.calendarSyncError, std::nullopt);
}

} // namespace
