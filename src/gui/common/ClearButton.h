#pragma once

class QLineEdit;

namespace velmora::gui {

// The field's clear button, named for screen readers: Qt's own has no text.
void enableClearButton(QLineEdit* field);

} // namespace velmora::gui
