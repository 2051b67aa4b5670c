#include "core/text/MoneyFormat.h"

#include <QLocale>

#include <cmath>

namespace velmora {

QString formatMoney(double amount) {
    if (!std::isfinite(amount))
        amount = 0;
    // An amount that rounds to zero cents reads "0,00 €", never "-0,00 €".
    if (std::abs(amount) < 0.005)
        amount = 0;
    static const QLocale french(QLocale::French, QLocale::France);
    return french.toCurrencyString(amount, QStringLiteral("€"), 2);
}

} // namespace velmora
