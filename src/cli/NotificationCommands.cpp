#include "cli/Command.h"

#include "core/model/IsoDate.h"
#include "core/notifications/NotificationRules.h"
#include "core/notifications/NotificationTexts.h"

#include <QJsonArray>
#include <QJsonObject>

namespace velmora::cli {
namespace {

QJsonObject itemJson(const NotificationItem& item) {
    const NotificationAction& action = item.action;
    return {
        {QStringLiteral("id"), item.id},
        {QStringLiteral("kind"), QString::fromLatin1(rawName(item.kind))},
        {QStringLiteral("severity"), QString::fromLatin1(rawName(item.severity))},
        {QStringLiteral("title"), item.title},
        {QStringLiteral("message"), item.message},
        {QStringLiteral("date"), item.date ? QJsonValue(isoDateString(*item.date)) : QJsonValue()},
        {QStringLiteral("systemIcon"), item.systemIcon},
        {QStringLiteral("action"),
         QJsonObject{{QStringLiteral("type"), QString::fromLatin1(rawName(action.kind))},
                     {QStringLiteral("id"),
                      action.recordID ? QJsonValue(uuidText(*action.recordID)) : QJsonValue()}}},
    };
}

// Read-only: listing never marks an item as toasted.
int notifications(CliContext& ctx) {
    const auto db = ctx.loadSession(ctx.args[0]);
    if (!db)
        return fail(db.error());
    const QList<NotificationItem> items = visibleNotifications(db.value(), ctx.clock->now());
    QJsonArray list;
    for (const NotificationItem& item : items)
        list.append(itemJson(item));
    printJson(QJsonObject{{QStringLiteral("header"), notificationCentreHeader(items.size())},
                          {QStringLiteral("items"), list}});
    return Success;
}

} // namespace

QList<Command> notificationCommands() {
    return {
        {.name = QStringLiteral("notifications"),
         .arguments = {QStringLiteral("FICHIER")},
         .help = QStringLiteral("Les notifications visibles, les plus urgentes d'abord : "
                                "{\"header\", \"items\": [{\"id\", \"kind\", \"severity\", "
                                "\"title\", \"message\", \"date\", \"systemIcon\", "
                                "\"action\": {\"type\", \"id\"}}]}."),
         .run = notifications},
    };
}

} // namespace velmora::cli
