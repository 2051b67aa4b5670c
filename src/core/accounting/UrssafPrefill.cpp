#include "core/accounting/UrssafPrefill.h"

#include "core/accounting/UrssafInvoiceTurnover.h"

namespace velmora {

QString urssafPrefillText(double amount) {
    if (amount == 0)
        return {};
    return QString::number(amount, 'f', 2).replace(QLatin1Char('.'), QLatin1Char(','));
}

UrssafPrefill urssafPrefill(const AppDatabase& db, const UrssafPeriod& period) {
    const UrssafTurnover turnover =
        urssafInvoiceTurnover(db, period, UrssafLineCategory::catalogueService);
    return {urssafPrefillText(turnover.sales), urssafPrefillText(turnover.bic),
            urssafPrefillText(turnover.bnc)};
}

} // namespace velmora
