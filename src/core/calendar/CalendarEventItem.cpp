#include "core/calendar/CalendarEventItem.h"

#include <array>

using namespace Qt::StringLiterals;

namespace velmora {

namespace {

struct CategoryTexts {
    QString raw;   // the filter identifier and the synchronised notes' tag
    QString label; // the filter bar's name, when it differs
    QString color;
};

// In the order of CalendarEventCategory.
const CategoryTexts& textsOf(CalendarEventCategory category) {
    static const std::array<CategoryTexts, 9> texts{{
        {u"Échéances factures"_s, {}, u"#FF453A"_s},
        {u"Validité devis"_s, {}, u"#FF9F0A"_s},
        {u"Abonnements"_s, {}, u"#BF5AF2"_s},
        {u"URSSAF"_s, {}, u"#0A84FF"_s},
        {u"Débuts d'activité"_s, {}, u"#32ADE6"_s},
        {u"Projets"_s, u"Activités"_s, u"#30D158"_s},
        {u"Fins de projet"_s, u"Fins d'activité"_s, u"#64D2FF"_s},
        {u"Encaissements"_s, {}, u"#34C759"_s},
        {u"Achats"_s, {}, u"#FFD60A"_s},
    }};
    return texts[static_cast<std::size_t>(category)];
}

} // namespace

QString calendarCategoryRawValue(CalendarEventCategory category) {
    return textsOf(category).raw;
}

QString calendarCategoryLabel(CalendarEventCategory category) {
    const CategoryTexts& texts = textsOf(category);
    return texts.label.isEmpty() ? texts.raw : texts.label;
}

QString calendarCategoryColor(CalendarEventCategory category) {
    return textsOf(category).color;
}

} // namespace velmora
