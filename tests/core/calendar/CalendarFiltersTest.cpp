// Filtering the calendar by category or tag, the order of the filter bar,
// the day map and the upcoming list.

#include "core/calendar/CalendarFilters.h"
#include "core/calendar/CalendarEvents.h"
#include "core/documents/DocumentsFixture.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::test;

namespace {

struct FilterSession {
    AppDatabase db;
    CustomCalendarTag tag{QUuid::createUuid(), u"Perso"_s, u"#112233"_s};

    FilterSession() {
        db.customCalendarTags = {tag};
        ProjectItem p;
        p.id = QUuid::createUuid();
        p.title = u"Atelier"_s;
        p.events = {{.id = QUuid::createUuid(),
                     .name = u"Séance"_s,
                     .date = localNoon(2025, 6, 12),
                     .location = {},
                     .duration = {}}};
        db.projects = {p};
        db.customCalendarEvents = {userEvent(u"Tagué"_s, tag.id), userEvent(u"Libre"_s, {})};
    }

    static CustomCalendarEvent userEvent(const QString& title, std::optional<QUuid> tagID) {
        CustomCalendarEvent e;
        e.id = QUuid::createUuid();
        e.title = title;
        e.date = localNoon(2025, 6, 13);
        e.customTagID = tagID;
        return e;
    }

    QStringList shown(const QList<QString>& disabled) const {
        QStringList titles;
        for (const CalendarEventItem& e :
             filterCalendarEvents(buildCalendarEvents(db, localNoon(2025, 6, 10)), db, disabled))
            titles << e.title;
        return titles;
    }
};

TEST(CalendarFilters, CategoriesAndTagsFilterSeparately) {
    FilterSession s;
    const QString tagUpper = s.tag.id.toString(QUuid::WithBraces).toUpper();
    const QList<std::pair<QList<QString>, QStringList>> cases = {
        {{}, {u"Séance"_s, u"Tagué"_s, u"Libre"_s}},
        // User events share the activities' category but never its filter.
        {{u"Projets"_s}, {u"Tagué"_s, u"Libre"_s}},
        {{tagUpper}, {u"Séance"_s, u"Libre"_s}},
        {{u"custom_untagged"_s}, {u"Séance"_s, u"Tagué"_s}},
    };
    for (const auto& [disabled, expected] : cases)
        EXPECT_EQ(s.shown(disabled), expected) << disabled.join(u',').toStdString();
}

TEST(CalendarFilters, ItemOfDeletedUserEventStays) {
    FilterSession s;
    const auto events = buildCalendarEvents(s.db, localNoon(2025, 6, 10));
    s.db.customCalendarEvents.clear();
    EXPECT_EQ(filterCalendarEvents(events, s.db, {u"custom_untagged"_s}).size(), 3);
}

QStringList ids(const QList<CalendarFilter>& filters) {
    QStringList list;
    for (const CalendarFilter& f : filters)
        list << f.id;
    return list;
}

TEST(CalendarFilters, OrderPutsUnlistedFiltersAtTheEnd) {
    const CustomCalendarTag older{QUuid::createUuid(), u"A"_s, u"#000001"_s};
    const CustomCalendarTag fresh{QUuid::createUuid(), u"B"_s, u"#000002"_s};
    const QString olderId = older.id.toString(QUuid::WithoutBraces);
    const QString freshId = fresh.id.toString(QUuid::WithoutBraces);
    const QList<CalendarFilter> all = calendarFilters({older, fresh});
    ASSERT_EQ(all.size(), 12);
    EXPECT_EQ(all[5], (CalendarFilter{u"Projets"_s, u"Activités"_s, u"#30D158"_s}));
    EXPECT_EQ(all[11], (CalendarFilter{u"custom_untagged"_s, u"Sans tags"_s, u"#8E8E93"_s}));

    // A saved order from before the second tag, with a stale identifier.
    const QList<QString> order = {u"custom_untagged"_s,
                                  olderId,
                                  u"Achats"_s,
                                  u"URSSAF"_s,
                                  u"Ancien filtre"_s,
                                  u"Abonnements"_s,
                                  u"Projets"_s,
                                  u"Validité devis"_s,
                                  u"Échéances factures"_s,
                                  u"Débuts d'activité"_s,
                                  u"Fins de projet"_s,
                                  u"Encaissements"_s};
    EXPECT_EQ(
        ids(orderedCalendarFilters(all, order, {u"URSSAF"_s})),
        (QStringList{u"custom_untagged"_s, olderId, u"Achats"_s, u"Abonnements"_s, u"Projets"_s,
                     u"Validité devis"_s, u"Échéances factures"_s, u"Débuts d'activité"_s,
                     u"Fins de projet"_s, u"Encaissements"_s, freshId}));
}

TEST(CalendarFilters, DaysAndUpcomingUseLocalDays) {
    const auto at = [](const QDateTime& date) {
        CalendarEventItem e;
        e.date = date;
        return e;
    };
    const QTimeZone zone = QTimeZone::systemTimeZone();
    // 23:30 local is already the next day in UTC during summer time... or
    // the previous one: either way the local day decides.
    const QDateTime lateEvening(QDate(2025, 6, 9), QTime(23, 30), zone);
    const QList<CalendarEventItem> events = {at(lateEvening.toUTC()), at(localNoon(2025, 6, 10)),
                                             at(localNoon(2025, 7, 10)),
                                             at(localNoon(2025, 7, 11))};
    const auto days = calendarEventsByDay(events);
    EXPECT_EQ(days.keys(),
              (QList<QDate>{{2025, 6, 9}, {2025, 6, 10}, {2025, 7, 10}, {2025, 7, 11}}));

    const QDateTime now(QDate(2025, 6, 10), QTime(20, 0), zone);
    EXPECT_EQ(upcomingCalendarEvents(events, now).size(), 2); // today, and day 30
}

} // namespace
