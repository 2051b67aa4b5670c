#include "gui/stock/StockSection.h"

#include "gui/main/SectionRegistry.h"

namespace velmora::gui {

void registerStockSection(SectionRegistry& registry) {
    registry.add(QStringLiteral("stock"),
                 placeholderSection(
                     QStringLiteral("Cet écran accueillera votre stock : articles, catégories, "
                                    "seuils d’alerte et liste d’achats prévus.")));
}

} // namespace velmora::gui
