#pragma once

#include "gui/main/SectionRegistry.h"

namespace velmora::gui {

SectionPage* documentsPage(const SectionServices& services);

} // namespace velmora::gui
