#pragma once

#include "gui/common/SectionServices.h"

namespace velmora::gui {

// The notification centre of the session on screen, and its bell in the
// window's toolbar.
SessionService* notificationCentreService(const SectionServices& services, QObject* parent);
QWidget* notificationBell(const SectionServices& services, QWidget& window);

} // namespace velmora::gui
