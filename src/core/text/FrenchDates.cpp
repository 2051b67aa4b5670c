#include "core/text/FrenchDates.h"

namespace velmora {

QString formatShortDate(const QDateTime& moment) {
    if (!moment.isValid())
        return QString();
    return moment.toLocalTime().date().toString(QStringLiteral("dd/MM/yyyy"));
}

} // namespace velmora
