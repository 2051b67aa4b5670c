#include "cli/Command.h"

#include "core/stock/StockLevels.h"

#include <QJsonArray>
#include <QJsonObject>

namespace velmora::cli {
namespace {

int stock(CliContext& ctx) {
    std::optional<StockLevel> only;
    if (const auto level = ctx.value(QStringLiteral("level"))) {
        if (*level == u"out")
            only = StockLevel::out;
        else if (*level == u"low")
            only = StockLevel::low;
        else if (*level == u"ok")
            only = StockLevel::ok;
        else
            return usage(QStringLiteral("L'option --level attend out, low ou ok."));
    }
    const auto db = ctx.loadSession(ctx.args[0]);
    if (!db)
        return fail(db.error());
    QJsonArray items;
    for (const StockItem& item : db->stockItems) {
        const StockLevel level = stockLevel(item, db->stockSettings);
        if (only && level != *only)
            continue;
        items.append(QJsonObject{
            {QStringLiteral("id"), uuidText(item.id)},
            {QStringLiteral("title"), item.title},
            {QStringLiteral("quantity"), item.quantity ? QJsonValue(*item.quantity) : QJsonValue()},
            {QStringLiteral("status"), stockLevelText(level)},
        });
    }
    printJson(QJsonObject{{QStringLiteral("items"), items}});
    return Success;
}

} // namespace

QList<Command> stockCommands() {
    return {
        {.name = QStringLiteral("stock"),
         .arguments = {QStringLiteral("FICHIER")},
         .options = {{.name = QStringLiteral("level"),
                      .valueName = QStringLiteral("NIVEAU"),
                      .valueKind = QStringLiteral("un niveau"),
                      .help = QStringLiteral("seulement ce niveau : out, low ou ok")}},
         .help = QStringLiteral("Les articles du stock avec leur niveau : {\"items\": [{\"id\", "
                                "\"title\", \"quantity\", \"status\"}]}."),
         .run = stock},
    };
}

} // namespace velmora::cli
