#pragma once

#include "core/model/SessionSettings.h"

#include <QString>
#include <QStringView>

namespace velmora {

// Turnover (CA) of a period by category, in euros.
struct UrssafTurnover {
    double sales = 0;   // ventes de marchandises
    double bic = 0;     // prestations de services commerciales
    double bnc = 0;     // prestations de services libérales
    double letting = 0; // location meublée

    double total() const { return sales + bic + bnc + letting; }

    friend bool operator==(const UrssafTurnover&, const UrssafTurnover&) = default;
};

struct UrssafAmounts {
    double cotisation = 0;
    double cfp = 0;
    double versementLiberatoire = 0;

    double total() const { return cotisation + cfp + versementLiberatoire; }

    friend bool operator==(const UrssafAmounts&, const UrssafAmounts&) = default;
};

// The contributions at the session's micro rates, whatever the regime, not
// rounded. Furnished letting bears only the CFP; the income-tax instalment
// counts only when the user pays it with the contributions.
UrssafAmounts urssafContributions(const UrssafTurnover& turnover, const URSSAFSettings& settings);

// Whole euros, halves away from zero, as the URSSAF takes them.
double roundedToEuros(double amount);
UrssafAmounts roundedToEuros(const UrssafAmounts& amounts);

// "≈ 125,00 €": the sum of the amounts in the euro format.
QString urssafTotalText(const UrssafAmounts& amounts);

// An amount field of the declaration form: a comma is a decimal point, and
// an empty or unreadable field counts as 0.
double urssafFieldAmount(QStringView text);

} // namespace velmora
