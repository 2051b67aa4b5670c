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
    // The locale's currency format writes a loss in accounting parentheses,
    // "(2 649,00 €)"; in French it reads with its sign, "-2 649,00 €".
    const QString text = french.toCurrencyString(std::abs(amount), QStringLiteral("€"), 2);
    return amount < 0 ? french.negativeSign() + text : text;
}

} // namespace velmora
