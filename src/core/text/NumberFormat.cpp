#include "core/text/NumberFormat.h"

#include <QLocale>

#include <cmath>

namespace velmora {

QString formatQuantity(double value) {
    if (!std::isfinite(value))
        value = 0;
    // Rounded first, so that 0,999 reads "1" and -0,001 never reads "-0".
    value = std::round(value * 100) / 100;
    if (value == 0)
        value = 0;
    static const QLocale french(QLocale::French, QLocale::France);
    QString text = french.toString(value, 'f', 2);
    const QChar comma = french.decimalPoint().front();
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(comma))
        text.chop(1);
    return text;
}

QString formatPercent(double value) {
    return formatQuantity(value) + QStringLiteral("\u00a0%");
}

} // namespace velmora
