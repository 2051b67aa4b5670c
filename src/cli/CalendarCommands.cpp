#include "cli/Command.h"

#include "core/calendar/CalendarEvents.h"
#include "core/calendar/CalendarFilters.h"
#include "core/calendar/CalendarSync.h"
#include "core/calendar/CalendarSyncMapping.h"
#include "core/model/IsoDate.h"
#include "core/store/SessionEdit.h"
#include "desktop/VdirCalendarStore.h"

#include <QFileInfo>

#include <QJsonArray>
#include <QJsonObject>

namespace velmora::cli {
namespace {

QJsonObject subEventJson(const CalendarEventItem& e) {
    return {
        {QStringLiteral("title"), e.title},
        {QStringLiteral("date"), isoDateString(e.date)},
        {QStringLiteral("subtitle"), e.subtitle},
        {QStringLiteral("location"), e.location},
        {QStringLiteral("durationString"), e.durationString},
        {QStringLiteral("category"), calendarCategoryRawValue(e.category)},
        {QStringLiteral("linkedMenuKey"), e.linkedMenuKey},
    };
}

QJsonObject eventJson(const CalendarEventItem& e) {
    QJsonArray subEvents;
    for (const CalendarEventItem& sub : e.subEvents)
        subEvents.append(subEventJson(sub));
    QJsonObject json = subEventJson(e);
    json.insert(QStringLiteral("amount"), e.amount ? QJsonValue(*e.amount) : QJsonValue());
    json.insert(QStringLiteral("isAllDay"), e.isAllDay);
    json.insert(QStringLiteral("customTagHex"),
                e.customTagHex ? QJsonValue(*e.customTagHex) : QJsonValue());
    json.insert(QStringLiteral("subEvents"), subEvents);
    return json;
}

int calendar(CliContext& ctx) {
    const auto db = ctx.loadSession(ctx.args[0]);
    if (!db)
        return fail(db.error());
    QList<CalendarEventItem> events = buildCalendarEvents(db.value(), ctx.clock->now());
    if (!ctx.isSet(QStringLiteral("all")))
        events =
            filterCalendarEvents(events, db.value(), db->preferences.calendarDisabledCategories);
    QJsonArray list;
    for (const CalendarEventItem& e : events)
        list.append(eventJson(e));
    printJson(QJsonObject{{QStringLiteral("events"), list}});
    return Success;
}

int exportIcs(CliContext& ctx) {
    const auto db = ctx.loadSession(ctx.args[0]);
    if (!db)
        return fail(db.error());
    const QDateTime now = ctx.clock->now();
    const QList<CalendarStoreEvent> events =
        calendarStoreEvents(buildCalendarEvents(db.value(), now), db.value(), now);
    const QFileInfo target(ctx.args[1]);
    ctx.fileSystem.removeWriteLeftovers(target.absolutePath(), target.fileName());
    const Result<> written = ctx.fileSystem.writeFileAtomically(
        ctx.args[1], VdirCalendarStore::calendarText(events, now));
    return written ? Success : fail(written.error());
}

int syncCalendar(CliContext& ctx) {
    const std::optional<QString> root = ctx.value(QStringLiteral("store"));
    if (!root)
        return usage(missingOption(QStringLiteral("store")));
    const auto db = ctx.loadSession(ctx.args[0]);
    if (!db)
        return fail(db.error());
    const QDateTime now = ctx.clock->now();
    VdirCalendarStore store(*root, *ctx.clock);
    const CalendarSyncOutcome outcome = synchroniseCalendar(
        store, calendarStoreEvents(buildCalendarEvents(db.value(), now), db.value(), now),
        db->preferences.calendarICloudCalendarID, now);
    const Result<> saved = ctx.editSession(ctx.args[0], [&](SessionEdit& edit) {
        return applyCalendarSyncOutcome(edit, outcome, now);
    });
    if (!saved && saved.kind() != ResultKind::unchanged)
        return fail(saved.error());
    if (!outcome.completed)
        return fail(outcome.message());
    printJson(QJsonObject{{QStringLiteral("added"), outcome.counts.added},
                          {QStringLiteral("updated"), outcome.counts.updated},
                          {QStringLiteral("message"), outcome.message()}});
    return Success;
}

} // namespace

QList<Command> calendarCommands() {
    return {
        {.name = QStringLiteral("calendar"),
         .arguments = {QStringLiteral("FICHIER")},
         .options = {{.name = QStringLiteral("all"),
                      .help = QStringLiteral("sans appliquer les filtres désactivés")}},
         .help = QStringLiteral("Les événements du calendrier par date : {\"events\": [{\"date\", "
                                "\"title\", \"subtitle\", \"amount\", \"category\", "
                                "\"linkedMenuKey\", \"location\", \"isAllDay\", "
                                "\"durationString\", \"customTagHex\", \"subEvents\"}]}."),
         .run = calendar},
        {.name = QStringLiteral("ics"),
         .arguments = {QStringLiteral("FICHIER"), QStringLiteral("SORTIE.ics")},
         .help = QStringLiteral("Écrit les événements synchronisés (filtres appliqués) dans un "
                                "fichier iCalendar."),
         .run = exportIcs},
        {.name = QStringLiteral("sync-calendar"),
         .arguments = {QStringLiteral("FICHIER")},
         .options = {{.name = QStringLiteral("store"),
                      .valueName = QStringLiteral("DOSSIER"),
                      .valueKind = QStringLiteral("un dossier"),
                      .help = QStringLiteral("le dossier vdir des calendriers")}},
         .help = QStringLiteral("Synchronise le calendrier « Velmora Core » du dossier vdir : "
                                "{\"added\", \"updated\", \"message\"}."),
         .run = syncCalendar},
    };
}

} // namespace velmora::cli
