#pragma once

#include <QLineEdit>

namespace velmora::gui {

// A secret field with the show/hide toggle the code screens offer.
QLineEdit* passwordField(const QString& placeholder, QWidget* parent = nullptr);

} // namespace velmora::gui
