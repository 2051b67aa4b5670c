#pragma once

class QLineEdit;
class QWidget;

namespace velmora::gui {

// A field whose text is refused keeps that text, painted in the error colour
// of the appearance; the message goes under it.
void markRefused(QWidget* field, bool refused);
bool isMarkedRefused(const QWidget* field);
// An amount field turns red while its text does not read as an amount (an
// empty one is no amount yet, not a refusal).
void watchAmount(QLineEdit* field);
// Gives the field the keyboard and scrolls the enclosing scroll area so that
// the field, and the message under it, are in view.
void revealField(QWidget* field);

} // namespace velmora::gui
