#pragma once

#include "gui/main/SectionRegistry.h"

namespace velmora::gui {

SectionPage* servicesPage(const SectionServices& services);

} // namespace velmora::gui
