#pragma once

#include "gui/common/SectionServices.h"

#include <functional>

namespace velmora::gui {

// The global search's index of the session on screen.
SessionService* spotlightIndexService(const SectionServices& services, QObject* parent);

// The toolbar's control that opens the search panel, and the same opening
// for the window's Ctrl+F; both empty when no index service runs.
struct SearchTool {
    QWidget* button = nullptr;
    std::function<void()> open;
};
SearchTool searchTool(const SectionServices& services, QWidget& window);

} // namespace velmora::gui
