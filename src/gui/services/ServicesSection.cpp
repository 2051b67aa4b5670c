#include "gui/services/ServicesSection.h"

#include "gui/main/SectionRegistry.h"

namespace velmora::gui {

void registerServicesSection(SectionRegistry& registry) {
    registry.add(
        QStringLiteral("services"),
        placeholderSection(QStringLiteral("Cet écran accueillera votre catalogue de prestations, "
                                          "qui remplit les lignes de vos devis et factures.")));
}

} // namespace velmora::gui
