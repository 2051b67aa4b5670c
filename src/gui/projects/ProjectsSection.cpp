#include "gui/projects/ProjectsSection.h"

#include "gui/projects/ProjectsPage.h"

namespace velmora::gui {

SectionPage* projectsPage(const SectionServices& services) {
    return new ProjectsPage(services);
}

} // namespace velmora::gui
