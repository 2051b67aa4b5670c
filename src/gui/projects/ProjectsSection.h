#pragma once

#include "gui/main/SectionRegistry.h"

namespace velmora::gui {

SectionPage* projectsPage(const SectionServices& services);

} // namespace velmora::gui
