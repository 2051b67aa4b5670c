#include "gui/services/ServicesSection.h"

#include "gui/services/ServicesPage.h"

namespace velmora::gui {

SectionPage* servicesPage(const SectionServices& services) {
    return new ServicesPage(services);
}

} // namespace velmora::gui
