#include "core/text/FrenchDates.h"

#include <QLocale>

namespace velmora {

QString formatShortDate(const QDateTime& moment) {
    if (!moment.isValid())
        return QString();
    return moment.toLocalTime().date().toString(QStringLiteral("dd/MM/yyyy"));
}

QString formatMediumDate(const QDateTime& moment) {
    if (!moment.isValid())
        return QString();
    static const QLocale french(QLocale::French, QLocale::France);
    return french.toString(moment.toLocalTime().date(), QStringLiteral("d MMM yyyy"));
}

} // namespace velmora
