#include "gui/stock/StockSection.h"

namespace velmora::gui {

SectionPage* stockPage(const SectionServices& services) {
    return placeholderSection(
        QStringLiteral("Cet écran accueillera votre stock : articles, catégories, "
                       "seuils d’alerte et liste d’achats prévus."))(services);
}

} // namespace velmora::gui
