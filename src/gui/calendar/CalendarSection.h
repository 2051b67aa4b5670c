#pragma once

#include "gui/main/SectionRegistry.h"

namespace velmora::gui {

SectionPage* calendarPage(const SectionServices& services);

} // namespace velmora::gui
