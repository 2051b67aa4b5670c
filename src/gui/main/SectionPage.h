#pragma once

#include "core/model/AppPreferences.h"

#include <QUuid>
#include <QWidget>

namespace velmora::gui {

// The commands of the menus and keys that act on the section shown.
enum class SectionCommand { create, edit, exportPDF, search, remove };

// The page of one sidebar section. It is made once, the first time the
// section is shown, and lives as long as the window, so that what the user
// typed survives a change of the preferences or of the appearance.
class SectionPage : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;

    // Whether the command can be carried out now; the menus follow it.
    // A page that handles nothing leaves every command off.
    virtual bool canRun(SectionCommand) const { return false; }
    virtual void run(SectionCommand) {}
    // The section's sidebar entry, as the user named it.
    virtual void showEntry(const SidebarMenuItemConfig&) {}
    // Shows the record of this section (the target of a link elsewhere).
    virtual void reveal(const QUuid&) {}

signals:
    // What canRun() answers may have changed.
    void commandsChanged();
    // A link to a record of another section (or of this one) was followed.
    void openRequested(const QString& defaultKey, const QUuid& id);
};

} // namespace velmora::gui
