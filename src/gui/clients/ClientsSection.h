#pragma once

#include "gui/main/SectionRegistry.h"

namespace velmora::gui {

SectionPage* clientsPage(const SectionServices& services);
// The section's "Nouveau client" sheet over `parent`, for the forms of other
// sections; `created` receives the new client's id.
void openNewClientSheet(const SectionServices& services, QWidget* parent,
                        std::function<void(const QUuid&)> created);

} // namespace velmora::gui
