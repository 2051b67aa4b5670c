#pragma once

#include "gui/main/SectionRegistry.h"

namespace velmora::gui {

SectionPage* dashboardPage(const SectionServices& services);

} // namespace velmora::gui
