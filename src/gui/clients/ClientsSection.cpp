#include "gui/clients/ClientsSection.h"

#include "gui/clients/ClientsPage.h"
#include "gui/main/SectionRegistry.h"

namespace velmora::gui {

void registerClientsSection(SectionRegistry& registry) {
    registry.add(QStringLiteral("clients"),
                 [](const SectionServices& services) { return new ClientsPage(services); });
}

} // namespace velmora::gui
