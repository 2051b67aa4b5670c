#pragma once

#include "gui/main/SectionRegistry.h"

namespace velmora::gui {

SectionPage* externalToolsPage(const SectionServices& services);

} // namespace velmora::gui
