#include "cli/Command.h"

#include "core/accounting/SubscriptionSchedule.h"
#include "core/model/IsoDate.h"

#include <QJsonArray>
#include <QJsonObject>

namespace velmora::cli {
namespace {

int subscriptions(CliContext& ctx) {
    const auto db = ctx.loadSession(ctx.args[0]);
    if (!db)
        return fail(db.error());
    const QDateTime now = ctx.clock->now();
    const QList<RecurringPurchase>& records = db->recurringPurchases;

    QJsonArray debits;
    for (const AccountingPurchaseItem& debit : subscriptionDebits(records, now)) {
        debits.append(QJsonObject{
            {QStringLiteral("id"), uuidText(debit.id)},
            {QStringLiteral("subscriptionID"),
             uuidText(debit.recurringPurchaseID.value_or(QUuid()))},
            {QStringLiteral("name"), debit.customProductName},
            {QStringLiteral("date"), isoDateString(debit.purchaseDate)},
            {QStringLiteral("amount"), debit.priceTTC},
        });
    }
    QJsonArray next;
    for (const RecurringPurchase& subscription : records) {
        const std::optional<SubscriptionDebitDate> debit = nextSubscriptionDebit(subscription, now);
        next.append(QJsonObject{
            {QStringLiteral("subscriptionID"), uuidText(subscription.id)},
            {QStringLiteral("date"), debit ? QJsonValue(isoDateString(debit->date)) : QJsonValue()},
            {QStringLiteral("exceptional"), debit && debit->exceptional},
        });
    }
    printJson(QJsonObject{{QStringLiteral("debits"), debits}, {QStringLiteral("next"), next}});
    return Success;
}

} // namespace

QList<Command> subscriptionCommands() {
    return {
        {.name = QStringLiteral("subscriptions"),
         .arguments = {QStringLiteral("FICHIER")},
         .options = {},
         .help =
             QStringLiteral("Les prélèvements passés des abonnements et le prochain de chacun : "
                            "{\"debits\": [{\"id\", \"subscriptionID\", \"name\", \"date\", "
                            "\"amount\"}], \"next\": [{\"subscriptionID\", \"date\", "
                            "\"exceptional\"}]}."),
         .run = subscriptions},
    };
}

} // namespace velmora::cli
