#include "cli/Command.h"

#include "core/accounting/ExpenseList.h"
#include "core/model/IsoDate.h"

#include <QJsonArray>
#include <QJsonObject>

namespace velmora::cli {
namespace {

int expenses(CliContext& ctx) {
    ExpenseFilter filter;
    if (const auto year = ctx.value(QStringLiteral("year"))) {
        filter.year = boundedNumber(*year, 1, 9999);
        if (!filter.year)
            return usage(QStringLiteral("L’année doit être un nombre entier : %1").arg(*year));
    }
    if (const auto month = ctx.value(QStringLiteral("month"))) {
        if (!filter.year)
            return usage(QStringLiteral("L’option --month s’emploie avec --year."));
        filter.month = boundedNumber(*month, 1, 12);
        if (!filter.month)
            return usage(QStringLiteral("Le mois doit être un nombre de 1 à 12 : %1").arg(*month));
    }
    if (const auto type = ctx.value(QStringLiteral("type"))) {
        if (!isExpenseTypeKey(*type))
            return usage(QStringLiteral("Type inconnu : %1 (purchase, monthly, quarterly ou "
                                        "yearly).")
                             .arg(*type));
        filter.typeKey = *type;
    }
    const auto db = ctx.loadSession(ctx.args[0]);
    if (!db)
        return fail(db.error());

    QJsonArray entries;
    const QList<AccountingPurchaseItem> kept = filterExpenses(
        expenseEntries(db.value(), ctx.clock->now()), filter, db->recurringPurchases);
    for (const AccountingPurchaseItem& entry : kept) {
        entries.append(QJsonObject{
            {QStringLiteral("id"), uuidText(entry.id)},
            {QStringLiteral("name"), expenseDisplayName(entry, db->stockItems)},
            {QStringLiteral("date"), isoDateString(entry.purchaseDate)},
            {QStringLiteral("amount"), entry.priceTTC},
            {QStringLiteral("isRecurringEntry"), entry.isRecurringEntry},
        });
    }
    printJson(QJsonObject{{QStringLiteral("entries"), entries}});
    return Success;
}

} // namespace

QList<Command> expenseCommands() {
    return {
        {.name = QStringLiteral("expenses"),
         .arguments = {QStringLiteral("FICHIER")},
         .options = {{.name = QStringLiteral("year"),
                      .valueName = QStringLiteral("ANNÉE"),
                      .valueKind = QStringLiteral("une année"),
                      .help = QStringLiteral("les dépenses de cette année (heure locale)")},
                     {.name = QStringLiteral("month"),
                      .valueName = QStringLiteral("MOIS"),
                      .valueKind = QStringLiteral("un mois"),
                      .help = QStringLiteral("de ce mois de l’année (1 à 12), avec --year")},
                     {.name = QStringLiteral("type"),
                      .valueName = QStringLiteral("TYPE"),
                      .valueKind = QStringLiteral("un type"),
                      .help = QStringLiteral("purchase, monthly, quarterly ou yearly")}},
         .help = QStringLiteral("Les dépenses enregistrées et les prélèvements des abonnements, "
                                "les plus récents d’abord : {\"entries\": [{\"id\", \"name\", "
                                "\"date\", \"amount\", \"isRecurringEntry\"}]}."),
         .run = expenses},
    };
}

} // namespace velmora::cli
