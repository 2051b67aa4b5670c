#pragma once

namespace velmora::gui {

// The pictures, icons and help pages compiled into the widgets library; a
// static library needs its resources registered by hand once.
void initResources();

} // namespace velmora::gui
