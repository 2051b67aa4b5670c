#pragma once

#include "core/accounting/UrssafContributions.h"
#include "core/accounting/UrssafPeriod.h"
#include "core/model/AppDatabase.h"

namespace velmora {

// Which category a service line's turnover goes to.
enum class UrssafLineCategory {
    // The type of the catalogue service the line came from; liberal (BNC)
    // when it has none or the service is gone. What the form's pre-fill uses.
    catalogueService,
    // The type the line carries itself. What the automatic estimation uses.
    ownType,
};

// The turnover of the invoices the recipe book draws from (activity
// cancellations aside) dated in the period: the encaissement date, else the
// issue date, in the local calendar. Each service line that is not offered
// counts its price after its own reduction × quantity, scaled to the
// invoice's net due (so that discounts and deposit lines are not declared),
// then to the share of that due the payments kept in the book cover.
// Furnished letting is never drawn from invoices.
UrssafTurnover urssafInvoiceTurnover(const AppDatabase& db, const UrssafPeriod& period,
                                     UrssafLineCategory category);

} // namespace velmora
