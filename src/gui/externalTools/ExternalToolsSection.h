#pragma once

#include "gui/main/SectionRegistry.h"

namespace velmora::gui {

SectionPage* externalToolsPage(const SectionServices& services);
// The vault's lock while the session is on screen.
SessionService* vaultSession(const SectionServices& services, QObject* parent);

} // namespace velmora::gui
