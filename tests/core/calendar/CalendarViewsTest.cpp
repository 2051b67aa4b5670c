// What the calendar screen reads from core: the month grid, the filter
// switches, the link pickers' summaries and the synchronisation's status.

#include "core/calendar/CalendarEventLinks.h"
#include "core/calendar/CalendarFilters.h"
#include "core/calendar/CalendarMonthModel.h"
#include "core/calendar/CalendarSearch.h"
#include "core/calendar/CalendarSyncStatus.h"

#include <QTimeZone>

#include <gtest/gtest.h>

using namespace velmora;
using namespace Qt::StringLiterals;

namespace {

TEST(CalendarMonthModel, SixWeeksFromTheMondayWithTheDaysItems) {
    CalendarMonthModel model;
    model.setMonth(QDate(2026, 12, 24));
    EXPECT_EQ(model.month(), QDate(2026, 12, 1));
    // 1 December 2026 is a Tuesday: the grid opens on Monday 30 November.
    EXPECT_EQ(model.dateAt(model.index(0, 0)), QDate(2026, 11, 30));
    EXPECT_EQ(model.dateAt(model.index(5, 6)), QDate(2027, 1, 10));
    EXPECT_FALSE(model.indexOf(QDate(2026, 11, 29)).isValid());
    EXPECT_FALSE(model.indexOf(QDate(2027, 1, 11)).isValid());
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), u"lun."_s);

    CalendarEventItem due;
    due.title = u"Échéance — F-12"_s;
    due.category = CalendarEventCategory::invoiceDue;
    CalendarEventItem own = due;
    own.title = u"Banque"_s;
    own.customTagHex = u"#112233"_s;
    model.setEvents({{QDate(2026, 12, 8), {due, own}}});
    const QModelIndex cell = model.indexOf(QDate(2026, 12, 8));
    EXPECT_EQ(cell.data(CalendarMonthModel::ColorsRole).toStringList(),
              (QStringList{u"#FF453A"_s, u"#112233"_s}));
    EXPECT_EQ(cell.data(Qt::AccessibleTextRole).toString(),
              u"mardi 8 décembre 2026 : 2 événements"_s);
    EXPECT_FALSE(model.indexOf(QDate(2026, 11, 30)).data(CalendarMonthModel::InMonthRole).toBool());
}

TEST(CalendarSearch, EveryWordFoldedInTitleSubtitlePlaceOrGroupedDates) {
    CalendarEventItem lesson;
    lesson.id = QUuid::createUuid();
    lesson.title = u"Cours à l’École Dupont"_s;
    lesson.subtitle = u"Atelier"_s;
    CalendarEventItem group;
    group.id = QUuid::createUuid();
    group.title = u"Tournage"_s;
    CalendarEventItem date;
    date.location = u"Château de Vaux"_s;
    group.subEvents = {date};
    const QList<CalendarEventItem> items{lesson, group};
    const QHash<QUuid, QString> texts = calendarSearchTexts(items);
    const auto titles = [&](const QString& query) {
        QStringList found;
        for (const CalendarEventItem& item : searchCalendarEvents(items, texts, query))
            found << item.title;
        return found;
    };
    EXPECT_EQ(titles(u"ECOLE atelier"_s), QStringList{lesson.title});
    EXPECT_EQ(titles(u"chateau"_s), QStringList{u"Tournage"_s});
    EXPECT_TRUE(titles(u"ecole chateau"_s).isEmpty());
    EXPECT_EQ(titles(u"   "_s).size(), 2);
}

TEST(CalendarFilterSwitches, TagsCompareAsUuidsAndSwitchingTwiceChangesNothing) {
    AppPreferences prefs;
    const QUuid tag = QUuid::createUuid();
    setCalendarFilterEnabled(prefs, tag.toString(QUuid::WithoutBraces).toUpper(), false);
    EXPECT_FALSE(isCalendarFilterEnabled(prefs, tag.toString()));
    setCalendarFilterEnabled(prefs, tag.toString(), false);
    EXPECT_EQ(prefs.calendarDisabledCategories.size(), 1);
    setCalendarFilterEnabled(prefs, tag.toString(QUuid::WithoutBraces), true);
    EXPECT_TRUE(prefs.calendarDisabledCategories.isEmpty());
    setCalendarFilterShown(prefs, u"URSSAF"_s, false);
    EXPECT_EQ(prefs.calendarHiddenFilters, QList<QString>{u"URSSAF"_s});
    EXPECT_TRUE(isCalendarFilterEnabled(prefs, u"URSSAF"_s));
}

TEST(CalendarLinks, SummariesWriteTheirPlurals) {
    const struct {
        CalendarLink link;
        qsizetype count;
        QString text;
    } cases[] = {
        {CalendarLink::clients, 0, u"Clients"_s},
        {CalendarLink::clients, 1, u"1 client sélectionné"_s},
        {CalendarLink::clients, 2, u"2 clients sélectionnés"_s},
        {CalendarLink::projects, 1, u"1 activité sélectionnée"_s},
        {CalendarLink::projects, 3, u"3 activités sélectionnées"_s},
        {CalendarLink::documents, 0, u"Devis / Factures"_s},
        {CalendarLink::documents, 4, u"4 documents sélectionnés"_s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(calendarLinkSummary(c.link, c.count), c.text) << c.count;
}

TEST(CalendarSyncStatus, EachStateSaysWhereItStands) {
    AppPreferences prefs;
    CalendarSyncStatus status = calendarSyncStatus(prefs, std::nullopt, std::nullopt);
    EXPECT_EQ(status.phase, CalendarSyncPhase::notConnected);
    EXPECT_EQ(calendarScreenSyncText(prefs), u"Connecter le calendrier système"_s);

    prefs.calendarICloudCalendarID = u"velmora"_s;
    prefs.calendarLastSyncDate =
        QDateTime(QDate(2026, 12, 8), QTime(14, 30), QTimeZone::systemTimeZone());
    prefs.calendarSyncError = u"Disque plein"_s;
    status = calendarSyncStatus(prefs, std::nullopt, u"Velmora Core"_s);
    EXPECT_EQ(status.headline, u"Connecté au calendrier système"_s);
    EXPECT_EQ(status.details, (QStringList{u"Calendrier : Velmora Core"_s,
                                           u"La synchronisation est automatique à chaque "
                                           u"modification."_s,
                                           u"Dernière synchronisation : 08/12/2026 à 14:30"_s}));
    EXPECT_EQ(status.error, u"Erreur : Disque plein"_s);
    EXPECT_EQ(calendarScreenSyncText(prefs),
              u"Connecté au calendrier système · Dernière sync. : 08/12/2026 à 14:30"_s);
    EXPECT_EQ(calendarSyncStatus(prefs, CalendarSyncPhase::syncing, std::nullopt).headline,
              u"Synchronisation en cours…"_s);
    EXPECT_EQ(calendarSyncStatus({}, CalendarSyncPhase::creating, std::nullopt).headline,
              u"Création du calendrier en cours…"_s);
}

} // namespace
