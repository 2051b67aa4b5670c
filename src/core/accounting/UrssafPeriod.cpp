#include "core/accounting/UrssafPeriod.h"

#include <QLocale>

namespace velmora {

QList<int> urssafPeriodMonths(int index, URSSAFDeclarationFrequency frequency) {
    if (frequency == URSSAFDeclarationFrequency::monthly)
        return {index};
    const int first = 3 * (index - 1) + 1;
    return {first, first + 1, first + 2};
}

UrssafPeriod previousUrssafPeriod(const QDate& today, URSSAFDeclarationFrequency frequency) {
    const int year = today.year();
    const int month = today.month();
    if (frequency == URSSAFDeclarationFrequency::monthly)
        return month == 1 ? UrssafPeriod{year - 1, 12, frequency}
                          : UrssafPeriod{year, month - 1, frequency};
    return month <= 3 ? UrssafPeriod{year - 1, 4, frequency}
                      : UrssafPeriod{year, (month - 1) / 3, frequency};
}

QString urssafPeriodName(int index, URSSAFDeclarationFrequency frequency) {
    if (frequency == URSSAFDeclarationFrequency::trimestrial)
        return (index == 1 ? QStringLiteral("1er") : QString::number(index) + QLatin1Char('e')) +
               QStringLiteral(" trimestre");
    const QString month =
        QLocale(QLocale::French, QLocale::France).standaloneMonthName(index, QLocale::LongFormat);
    return month.left(1).toUpper() + month.mid(1);
}

QString urssafPeriodText(const UrssafPeriod& period) {
    return urssafPeriodName(period.index, period.frequency) + QLatin1Char(' ') +
           QString::number(period.year);
}

} // namespace velmora
