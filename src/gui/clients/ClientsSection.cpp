#include "gui/clients/ClientsSection.h"

#include "gui/main/SectionRegistry.h"

namespace velmora::gui {

void registerClientsSection(SectionRegistry& registry) {
    registry.add(
        QStringLiteral("clients"),
        placeholderSection(QStringLiteral(
            "Cet écran accueillera vos clients : coordonnées, activités et documents de chacun.")));
}

} // namespace velmora::gui
