#include "gui/services/ServicesSection.h"

#include "gui/main/SectionRegistry.h"
#include "gui/services/ServicesPage.h"

namespace velmora::gui {

void registerServicesSection(SectionRegistry& registry) {
    registry.add(QStringLiteral("services"),
                 [](const SectionServices& services) { return new ServicesPage(services); });
}

} // namespace velmora::gui
