#include "core/accounting/UrssafContributions.h"

#include "core/text/AmountParsing.h"
#include "core/text/MoneyFormat.h"

#include <cmath>

namespace velmora {

UrssafAmounts urssafContributions(const UrssafTurnover& turnover, const URSSAFSettings& settings) {
    UrssafAmounts amounts;
    amounts.cotisation = turnover.sales * settings.microRateSales / 100 +
                         turnover.bic * settings.microRateBICServices / 100 +
                         turnover.bnc * settings.microRateServices / 100;
    amounts.cfp = turnover.total() * settings.cfpRate / 100;
    if (settings.versementLiberatoire) {
        amounts.versementLiberatoire =
            (turnover.sales + turnover.bic) * settings.versementLiberatoireBICRate / 100 +
            turnover.bnc * settings.versementLiberatoireBNCRate / 100;
    }
    return amounts;
}

double roundedToEuros(double amount) {
    return std::round(amount);
}

UrssafAmounts roundedToEuros(const UrssafAmounts& amounts) {
    return {roundedToEuros(amounts.cotisation), roundedToEuros(amounts.cfp),
            roundedToEuros(amounts.versementLiberatoire)};
}

QString urssafTotalText(const UrssafAmounts& amounts) {
    return QStringLiteral("≈ ") + formatMoney(amounts.total());
}

double urssafFieldAmount(QStringView text) {
    return parseAmount(text).value_or(0);
}

} // namespace velmora
