#pragma once

#include "gui/main/SectionRegistry.h"

namespace velmora::gui {

SectionPage* stockPage(const SectionServices& services);

} // namespace velmora::gui
