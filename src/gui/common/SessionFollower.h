#pragma once

#include "core/store/SessionFields.h"

#include <functional>

class QWidget;

namespace velmora {
class AppDataStore;
} // namespace velmora

namespace velmora::gui {

// Calls `refresh` after every change of the session that touches one of
// `fields`: at once while `widget` can be seen in its window, else once,
// when it is shown again, so that a page out of sight costs nothing.
void followSession(QWidget* widget, const AppDataStore& store, SessionFields fields,
                   std::function<void()> refresh);

} // namespace velmora::gui
