#pragma once

#include "core/model/AppPreferences.h"
#include "core/model/TagItem.h"

#include <QColor>
#include <QString>

class QApplication;
class QLabel;
class QPushButton;
class QWidget;

namespace velmora::gui {

// The two appearances of the application. Widgets never pick colours
// themselves: they take a role through a dynamic property and the style
// sheet of the current appearance paints it, so switching is live.
//
//   QLabel   role = "title" | "cardTitle" | "subtitle" | "section" | "hint" | "error" | "success"
//   QFrame   role = "card" | "sidebar" | "banner"
//   QPushButton role = "primary" | "link" | "destructive"
//   QToolButton role = "chip" (checkable tag or filter)
//   QListView   role = "records" (a section's list)
//   QLineEdit   refused = true (a refused text, see FieldFeedback)
namespace theme {

QColor accent();
QColor background(AppAppearanceMode mode);
QColor surface(AppAppearanceMode mode);
QColor text(AppAppearanceMode mode);
QColor secondaryText(AppAppearanceMode mode);
// Separators and the outline of cards and fields.
QColor border(AppAppearanceMode mode);

// The colour of a tag or status, readable on both appearances.
QColor tagColor(TagColorOption color);

// Palette and style sheet of the whole application; call again to switch.
void apply(QApplication& app, AppAppearanceMode mode);
AppAppearanceMode current();

// Sets the role property and re-polishes, so a role given after the widget
// was shown is painted at once.
void setRole(QWidget* widget, const char* role);
QLabel* label(const QString& text, const char* role, QWidget* parent = nullptr);
QPushButton* button(const QString& text, const char* role, QWidget* parent = nullptr);

} // namespace theme
} // namespace velmora::gui
