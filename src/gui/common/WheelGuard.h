#pragma once

class QWidget;

namespace velmora::gui {

// Scrolling a form never changes a value: the combo boxes, spin boxes and
// date fields under `form`, those there now and those added later, take the
// mouse wheel only once they have the keyboard focus. Unfocused, the wheel
// goes on to the scroll area around them.
void guardWheel(QWidget* form);

} // namespace velmora::gui
