#include "gui/dashboard/DashboardSection.h"

#include "gui/dashboard/DashboardPage.h"

namespace velmora::gui {

SectionPage* dashboardPage(const SectionServices& services) {
    return new DashboardPage(services.store);
}

} // namespace velmora::gui
