#include "core/accounting/UrssafPeriod.h"

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

} // namespace velmora
