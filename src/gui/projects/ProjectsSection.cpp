#include "gui/projects/ProjectsSection.h"

#include "gui/main/SectionRegistry.h"
#include "gui/projects/ProjectsPage.h"

namespace velmora::gui {

void registerProjectsSection(SectionRegistry& registry) {
    registry.add(QStringLiteral("projects"),
                 [](const SectionServices& services) { return new ProjectsPage(services); });
}

} // namespace velmora::gui
