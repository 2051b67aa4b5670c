#include "core/calendar/CalendarEventItem.h"

using namespace Qt::StringLiterals;

namespace velmora {

QString calendarCategoryRawValue(CalendarEventCategory category) {
    switch (category) {
    case CalendarEventCategory::invoiceDue:
        return u"Échéances factures"_s;
    case CalendarEventCategory::quoteExpiry:
        return u"Validité devis"_s;
    case CalendarEventCategory::recurringPayment:
        return u"Abonnements"_s;
    case CalendarEventCategory::urssaf:
        return u"URSSAF"_s;
    case CalendarEventCategory::projectStart:
        return u"Débuts d'activité"_s;
    case CalendarEventCategory::projectEvent:
        return u"Projets"_s;
    case CalendarEventCategory::projectEnd:
        return u"Fins de projet"_s;
    case CalendarEventCategory::encaissement:
        return u"Encaissements"_s;
    case CalendarEventCategory::accountingPurchase:
        return u"Achats"_s;
    }
    return {};
}

QString calendarCategoryLabel(CalendarEventCategory category) {
    switch (category) {
    case CalendarEventCategory::projectEvent:
        return u"Activités"_s;
    case CalendarEventCategory::projectEnd:
        return u"Fins d'activité"_s;
    default:
        return calendarCategoryRawValue(category);
    }
}

QString calendarCategoryColor(CalendarEventCategory category) {
    switch (category) {
    case CalendarEventCategory::invoiceDue:
        return u"#FF453A"_s;
    case CalendarEventCategory::quoteExpiry:
        return u"#FF9F0A"_s;
    case CalendarEventCategory::recurringPayment:
        return u"#BF5AF2"_s;
    case CalendarEventCategory::urssaf:
        return u"#0A84FF"_s;
    case CalendarEventCategory::projectStart:
        return u"#32ADE6"_s;
    case CalendarEventCategory::projectEvent:
        return u"#30D158"_s;
    case CalendarEventCategory::projectEnd:
        return u"#64D2FF"_s;
    case CalendarEventCategory::encaissement:
        return u"#34C759"_s;
    case CalendarEventCategory::accountingPurchase:
        return u"#FFD60A"_s;
    }
    return {};
}

} // namespace velmora
