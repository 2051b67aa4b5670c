#pragma once

#include "core/accounting/UrssafPeriod.h"
#include "core/model/AppDatabase.h"

#include <QString>

namespace velmora {

// The texts "Depuis le livre de recettes" puts in the form's turnover fields.
struct UrssafPrefill {
    QString sales;
    QString bic;
    QString bnc;

    friend bool operator==(const UrssafPrefill&, const UrssafPrefill&) = default;
};

// "1234,50"; an empty text for exactly 0, so that the field shows its
// placeholder.
QString urssafPrefillText(double amount);

// The turnover of the period's invoices, classified by their catalogue
// service.
UrssafPrefill urssafPrefill(const AppDatabase& db, const UrssafPeriod& period);

} // namespace velmora
