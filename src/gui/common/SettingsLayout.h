#pragma once

#include <QString>

class QFormLayout;
class QLabel;
class QLayout;
class QVBoxLayout;
class QWidget;

namespace velmora::gui::settingslayout {

// The common frame of a settings page: margins, the page's title and its
// introduction. Returns the layout that receives the page's content.
QVBoxLayout* pageLayout(QWidget* page, const QString& title, const QString& intro);
// A form with right-aligned labels, the house spacing.
QFormLayout* form();
QLabel* section(const QString& text);
// A right-aligned form label as tall as the widget it stands for, so that
// its text sits on the same line as the widget's.
QLabel* rowLabel(const QString& text, QWidget* alignedWith);
// A hidden error label (role "error") named after its field.
QLabel* errorLabel(const QString& objectName);
// The field with its inline error under it, as one cell of a form.
QWidget* withError(QWidget* field, QLabel* error);
QWidget* withError(QLayout* field, QLabel* error);
// Shows the text, or hides the label when it is empty.
void setMessage(QLabel* label, const QString& text);

} // namespace velmora::gui::settingslayout
