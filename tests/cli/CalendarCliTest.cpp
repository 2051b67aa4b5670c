// velmora-cli calendar: the JSON of each kind of item, the filters of the
// preferences and --all.

#include "CliRun.h"

#include "core/accounting/RecipeBookFixture.h"
#include "core/model/SessionDecoder.h"
#include "core/model/SessionFile.h"
#include "core/platform/Clock.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QTemporaryDir>

using namespace velmora;
using namespace velmora::test;

namespace {

TEST(CalendarCli, EventsFilteredUnlessAll) {
    QTemporaryDir dir;
    RecipeSession s;
    s.invoice(u"F-1"_s, u"Envoyé"_s, {}, {serviceLine(120)}).dueDays = 30;
    ProjectItem p;
    p.id = QUuid::createUuid();
    p.title = u"Atelier"_s;
    p.status = u"En cours"_s;
    p.events = {{.id = QUuid::createUuid(),
                 .name = u"Séance"_s,
                 .date = QDateTime(QDate(2025, 6, 12), QTime(8, 0), Qt::UTC),
                 .location = u"Lyon"_s,
                 .duration = u"2 h"_s},
                {.id = QUuid::createUuid(),
                 .name = u"Bilan"_s,
                 .date = QDateTime(QDate(2025, 6, 14), QTime(8, 0), Qt::UTC),
                 .location = {},
                 .duration = {}}};
    s.db.projects = {p};
    const CustomCalendarTag tag{QUuid::createUuid(), u"Perso"_s, u"#112233"_s};
    s.db.customCalendarTags = {tag};
    CustomCalendarEvent event;
    event.id = QUuid::createUuid();
    event.title = u"Rendez-vous"_s;
    event.date = QDateTime(QDate(2025, 6, 20), QTime(7, 30), Qt::UTC);
    event.customTagID = tag.id;
    event.isAllDay = true;
    s.db.customCalendarEvents = {event};
    s.db.preferences.calendarDisabledCategories = {u"Échéances factures"_s};
    const QString file = dir.filePath(u"s.cdb"_s);
    ASSERT_TRUE(writeSessionFile(s.db, SessionFormat::Compact, file).ok());
    const auto run = [&](const QStringList& extra) {
        const CliRun r =
            runCli(QStringList{u"--now"_s, u"2025-06-10T09:00:00Z"_s, u"calendar"_s, file} + extra);
        EXPECT_EQ(r.exitCode, 0) << r.err.constData();
        return parseOutput(r)[u"events"_s].toArray();
    };

    const QJsonObject sub{
        {u"title"_s, u"Séance"_s},          {u"date"_s, u"2025-06-12T08:00:00Z"_s},
        {u"subtitle"_s, u"Atelier"_s},      {u"location"_s, u"Lyon"_s},
        {u"durationString"_s, u"2 h"_s},    {u"category"_s, u"Projets"_s},
        {u"linkedMenuKey"_s, u"projects"_s}};
    const QJsonArray filtered = run({});
    ASSERT_EQ(filtered.size(), 2);
    QJsonObject group = filtered[0].toObject();
    const QJsonArray subEvents = group.take(u"subEvents"_s).toArray();
    EXPECT_EQ(group, (QJsonObject{{u"date"_s, u"2025-06-12T08:00:00Z"_s},
                                  {u"title"_s, u"Atelier"_s},
                                  {u"subtitle"_s, u"2 événements"_s},
                                  {u"amount"_s, QJsonValue()},
                                  {u"category"_s, u"Projets"_s},
                                  {u"linkedMenuKey"_s, u"projects"_s},
                                  {u"location"_s, u""_s},
                                  {u"isAllDay"_s, false},
                                  {u"durationString"_s, u""_s},
                                  {u"customTagHex"_s, QJsonValue()}}));
    ASSERT_EQ(subEvents.size(), 2);
    EXPECT_EQ(subEvents[0].toObject(), sub);
    EXPECT_EQ(subEvents[1].toObject()[u"title"_s], u"Bilan"_s);
    const QJsonObject custom = filtered[1].toObject();
    EXPECT_EQ(custom[u"category"_s], u"Projets"_s);
    EXPECT_EQ(custom[u"linkedMenuKey"_s], u"custom"_s);
    EXPECT_EQ(custom[u"customTagHex"_s], u"#112233"_s);
    EXPECT_EQ(custom[u"isAllDay"_s], true);
    EXPECT_EQ(custom[u"subEvents"_s], QJsonArray());

    const QJsonArray all = run({u"--all"_s});
    ASSERT_EQ(all.size(), 3);
    const QJsonObject due = all[2].toObject();
    EXPECT_EQ(due[u"category"_s], u"Échéances factures"_s);
    EXPECT_EQ(due[u"amount"_s], 120);
    EXPECT_EQ(due[u"subtitle"_s], u"Atelier Lumen"_s);
}

// A session with one user event, repeated weekly and announced a day ahead.
QString userEventSession(const QTemporaryDir& dir) {
    AppDatabase db;
    CustomCalendarEvent event;
    event.id = QUuid::createUuid();
    event.title = u"Réunion — équipe"_s;
    event.date = QDateTime(QDate(2025, 6, 20), QTime(7, 30), Qt::UTC);
    event.alertMinutes = 1440;
    event.recurrence = u"weekly"_s;
    db.customCalendarEvents = {event};
    const QString file = dir.filePath(u"s.cdb"_s);
    EXPECT_TRUE(writeSessionFile(db, SessionFormat::Compact, file).ok());
    return file;
}

TEST(CalendarCli, IcsWritesOneCalendar) {
    QTemporaryDir dir;
    const QString file = userEventSession(dir);
    const QString out = dir.filePath(u"out.ics"_s);
    const CliRun r = runCli({u"--now"_s, u"2025-06-10T09:00:00Z"_s, u"ics"_s, file, out});
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_TRUE(r.out.isEmpty());
    const QString text = QString::fromUtf8(contentsOf(out));
    EXPECT_EQ(text.count(u"BEGIN:VCALENDAR"_s), 1);
    // The weekly occurrences are one event with its rule.
    EXPECT_EQ(text.count(u"BEGIN:VEVENT"_s), 1);
    EXPECT_TRUE(text.contains(u"SUMMARY:Réunion — équipe"_s));
    EXPECT_TRUE(text.contains(u"RRULE:FREQ=WEEKLY"_s));
    EXPECT_TRUE(text.contains(u"TRIGGER:-P1D"_s) || text.contains(u"TRIGGER:-PT86400S"_s));
}

TEST(CalendarCli, SyncCalendarTwiceSavesThePreferences) {
    QTemporaryDir dir;
    const QString file = userEventSession(dir);
    const QString store = dir.filePath(u"calendars"_s);
    const auto sync = [&] {
        const CliRun r = runCli(
            {u"--now"_s, u"2025-06-10T09:00:00Z"_s, u"sync-calendar"_s, file, u"--store"_s, store});
        EXPECT_EQ(r.exitCode, 0) << r.err.constData();
        return parseOutput(r);
    };
    EXPECT_EQ(sync(), (QJsonObject{{u"added"_s, 1},
                                   {u"updated"_s, 0},
                                   {u"message"_s, u"1 événement ajouté, 0 mis à jour."_s}}));
    EXPECT_EQ(sync()[u"updated"_s], 1);
    const FixedClock clock(QDateTime::currentDateTimeUtc());
    const Result<AppDatabase> db = decodeSession(readSessionBytes(file).value(), clock);
    ASSERT_TRUE(db.ok()) << db.error().toStdString();
    ASSERT_TRUE(db->preferences.calendarICloudCalendarID);
    EXPECT_TRUE(QFileInfo::exists(store + u'/' + *db->preferences.calendarICloudCalendarID));
    EXPECT_EQ(db->preferences.calendarLastSyncDate,
              QDateTime(QDate(2025, 6, 10), QTime(9, 0), Qt::UTC));
    EXPECT_EQ(db->preferences.calendarSyncError, std::nullopt);
}

} // namespace
