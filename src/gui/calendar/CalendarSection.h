#pragma once

#include "gui/main/SectionRegistry.h"

namespace velmora::gui {

SectionPage* calendarPage(const SectionServices& services);
// Keeps the system calendar in line with the session while it is on screen.
SessionService* calendarSyncService(const SectionServices& services, QObject* parent);

} // namespace velmora::gui
