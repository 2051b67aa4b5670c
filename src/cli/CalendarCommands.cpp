#include "cli/Command.h"

#include "core/calendar/CalendarEvents.h"
#include "core/calendar/CalendarFilters.h"
#include "core/model/IsoDate.h"

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
    };
}

} // namespace velmora::cli
