#pragma once

#include <QString>

class QLineEdit;

namespace velmora::gui {

// The field's clear button, named for screen readers: Qt's own has no text.
void enableClearButton(QLineEdit* field, const QString& label = QStringLiteral("Effacer"));

} // namespace velmora::gui
