#pragma once

#include "core/model/AppPreferences.h"

#include <QList>
#include <QUuid>
#include <QWidget>

#include <functional>
#include <optional>

class QAction;

namespace velmora::gui {

// The entries of the window's menus and keys that a page's action may stand
// behind: "Nouveau", "Modifier", "Exporter en PDF", "Rechercher" and the
// Delete key keep the window's texts and shortcuts, whichever page acts.
enum class SectionCommand { create, edit, exportPDF, search, remove };

// The page of one sidebar section. It is made once, the first time the
// section is shown, and lives as long as the window, so that what the user
// typed survives a change of the preferences or of the appearance.
class SectionPage : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;

    // The actions the page offers the window while it is shown, in order.
    // Each keeps its own enabled state; the menus follow it. One that
    // stands behind none of the window's entries is listed in "Fichier".
    virtual QList<QAction*> commands() const;
    // The offered action behind that entry, or null.
    QAction* command(SectionCommand which) const;
    static std::optional<SectionCommand> standsBehind(const QAction& action);
    // What the page can do may have changed: the actions and the menus
    // follow. The registry asks once the page is made.
    void refreshCommands();

    // The section's sidebar entry, as the user named it.
    virtual void showEntry(const SidebarMenuItemConfig&) {}
    // Shows the record of this section (the target of a link elsewhere).
    virtual void reveal(const QUuid&) {}
    // Whether reveal() can show that record: how a section of several tabs
    // finds the tab a link leads to.
    virtual bool holds(const QUuid&) const { return false; }

signals:
    // The actions offered, or whether they can run, may have changed.
    void commandsChanged();
    // A link to a record of another section (or of this one) was followed.
    void openRequested(const QString& defaultKey, const QUuid& id);

protected:
    // Offers the window's entry `which`: `enabled` is asked at every
    // refreshCommands() (the action starts disabled, as the page is not
    // made yet), `run` is carried out when the entry is chosen and still
    // enabled.
    QAction* addCommand(SectionCommand which, std::function<bool()> enabled,
                        std::function<void()> run);
    // Offers an action of the page's own; it keeps its enabled state itself.
    void addCommand(QAction* action);

private:
    struct Offered {
        QAction* action;
        std::function<bool()> enabled;
    };
    QList<Offered> m_offered;
};

} // namespace velmora::gui
