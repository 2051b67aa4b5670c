// What a synchronisation writes for each calendar item: skip rules, times,
// notes, alarms and recurrence, and uids that survive a rebuild of the list.

#include "core/calendar/CalendarSyncMapping.h"
#include "core/calendar/CalendarEvents.h"
#include "core/documents/DocumentsFixture.h"
#include "core/text/MoneyFormat.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::test;

namespace {

const QDateTime kNow = localNoon(2026, 3, 15);

CalendarEventItem derived(const QString& location, const QString& duration, bool allDay = false) {
    CalendarEventItem e;
    e.id = QUuid::createUuid();
    e.date = kNow.addDays(3);
    e.title = u"Atelier"_s;
    e.subtitle = u"Séance"_s;
    e.category = CalendarEventCategory::projectEvent;
    e.location = location;
    e.durationString = duration;
    e.isAllDay = allDay;
    e.linkedProjectID = QUuid::createUuid();
    return e;
}

TEST(CalendarSyncMappingTest, DerivedItemTimes) {
    struct Case {
        const char16_t* location;
        const char16_t* duration;
        bool allDay;
        bool storeAllDay;
        qint64 minutes;
    };
    const Case cases[] = {
        {u"Salle 2", u"1h30", false, false, 90}, {u"Salle 2", u"2 h", false, false, 120},
        {u"Salle 2", u"", false, false, 60},     {u"", u"", false, true, 0},
        {u"", u"1:30", false, false, 90},        {u"Salle 2", u"1h30", true, true, 0},
    };
    for (const Case& c : cases) {
        const CalendarEventItem item =
            derived(QString::fromUtf16(c.location), QString::fromUtf16(c.duration), c.allDay);
        const QList<CalendarStoreEvent> out = calendarStoreEvents({item}, AppDatabase{}, kNow);
        ASSERT_EQ(out.size(), 1);
        EXPECT_EQ(out[0].allDay, c.storeAllDay) << QString::fromUtf16(c.duration).toStdString();
        EXPECT_EQ(out[0].start.secsTo(out[0].end), c.minutes * 60);
        EXPECT_EQ(out[0].location, c.storeAllDay ? QString() : item.location);
        EXPECT_EQ(out[0].notes, u"[Projets] Séance"_s);
    }
}

TEST(CalendarSyncMappingTest, NotesCarryTheAmount) {
    CalendarEventItem item = derived({}, {});
    item.category = CalendarEventCategory::invoiceDue;
    item.subtitle = u"F-001"_s;
    item.amount = 1234.5;
    const QList<CalendarStoreEvent> out = calendarStoreEvents({item}, AppDatabase{}, kNow);
    ASSERT_EQ(out.size(), 1);
    EXPECT_EQ(out[0].notes, u"[Échéances factures] F-001 — "_s + formatMoney(1234.5));
}

TEST(CalendarSyncMappingTest, OldAndDisabledItemsAreSkipped) {
    CalendarEventItem old = derived({}, {});
    old.date = kNow.addDays(-40);
    CalendarEventItem recent = derived({}, {});
    recent.date = kNow.addDays(-20);
    recent.title = u"Récent"_s;
    CalendarEventItem urssaf = derived({}, {});
    urssaf.category = CalendarEventCategory::urssaf;
    AppDatabase db;
    db.preferences.calendarDisabledCategories = {u"URSSAF"_s};
    const QList<CalendarStoreEvent> out = calendarStoreEvents({old, recent, urssaf}, db, kNow);
    ASSERT_EQ(out.size(), 1);
    EXPECT_EQ(out[0].title, u"Récent"_s);
}

struct UserCase {
    std::optional<qint64> alertMinutes;
    std::optional<QString> recurrence;
    bool allDay;
    std::optional<qint64> alarm;
    std::optional<RecurrenceFrequency> frequency;
    qint64 seconds;
};

TEST(CalendarSyncMappingTest, UserEvents) {
    const UserCase cases[] = {
        {1440, std::nullopt, false, -86400, std::nullopt, 3600},
        {std::nullopt, std::nullopt, false, std::nullopt, std::nullopt, 3600},
        {0, u"weekly"_s, true, 0, RecurrenceFrequency::weekly, 0},
        {std::nullopt, u"yearly"_s, false, std::nullopt, RecurrenceFrequency::yearly, 3600},
        {std::nullopt, u"sometimes"_s, false, std::nullopt, std::nullopt, 3600},
    };
    for (const UserCase& c : cases) {
        AppDatabase db;
        CustomCalendarEvent record;
        record.id = QUuid::createUuid();
        record.title = u"Rendez-vous"_s;
        record.notes = u"Apporter le devis"_s;
        record.location = u"Lyon"_s;
        record.date = kNow.addDays(2);
        record.isAllDay = c.allDay;
        record.alertMinutes = c.alertMinutes;
        record.recurrence = c.recurrence;
        db.customCalendarEvents = {record};
        const QList<CalendarStoreEvent> out =
            calendarStoreEvents(buildCalendarEvents(db, kNow), db, kNow);
        // Repeated events are written once; the store repeats them.
        ASSERT_EQ(out.size(), 1) << c.recurrence.value_or(QString()).toStdString();
        EXPECT_EQ(out[0].start, record.date);
        EXPECT_EQ(out[0].start.secsTo(out[0].end), c.seconds);
        EXPECT_EQ(out[0].allDay, c.allDay);
        EXPECT_EQ(out[0].alarmOffsetSeconds, c.alarm);
        EXPECT_EQ(out[0].recurrence, c.frequency);
        EXPECT_EQ(out[0].notes, record.notes);
        EXPECT_EQ(out[0].location, record.location);
    }
}

TEST(CalendarSyncMappingTest, UidsSurviveARebuildAndDifferBetweenItems) {
    const CalendarEventItem first = derived({}, {});
    CalendarEventItem next = derived({}, {});
    next.linkedProjectID = first.linkedProjectID;
    next.date = first.date.addDays(1);
    // A rebuild gives the same items new random ids.
    CalendarEventItem rebuilt = first;
    rebuilt.id = QUuid::createUuid();
    EXPECT_EQ(calendarStoreUid(rebuilt), calendarStoreUid(first));
    EXPECT_NE(calendarStoreUid(next), calendarStoreUid(first));
    CalendarEventItem user = first;
    user.customEventID = QUuid::createUuid();
    EXPECT_NE(calendarStoreUid(user), calendarStoreUid(first));
}

} // namespace
