#pragma once

#include "core/Result.h"
#include "core/model/AppPreferences.h"

#include <QList>
#include <QString>

namespace velmora {

class SessionEdit;

// The "Menu latéral" settings: the order, names and switches of the main
// window's sections, edited on a copy and written back in one save after
// each change.
class SidebarMenuEditor {
public:
    static QString title() { return QStringLiteral("Menu latéral"); }
    static QString intro() {
        return QStringLiteral("Choisissez l’ordre, le nom et la présence de chaque section "
                              "dans le menu de la fenêtre principale. Chaque modification est "
                              "enregistrée aussitôt.");
    }
    static QString moveUpButton() { return QStringLiteral("Monter"); }
    static QString moveDownButton() { return QStringLiteral("Descendre"); }
    static QString resetButton() { return QStringLiteral("Rétablir les réglages par défaut"); }
    static QString emptyNameMessage() { return QStringLiteral("Le nom ne peut pas être vide."); }
    static QString dashboardRequiredMessage() {
        return QStringLiteral("Le tableau de bord ne peut pas être désactivé\u00a0: la session "
                              "s’ouvre sur lui et y revient au verrouillage.");
    }

    SidebarMenuEditor() = default;
    explicit SidebarMenuEditor(const AppPreferences& preferences) { load(preferences); }

    // Starts over from the session's items (or the defaults when it has
    // none), with the sections it lacks. A list without the dashboard gets
    // it back at the top, enabled: every session opens on it.
    void load(const AppPreferences& preferences);

    const QList<SidebarMenuItemConfig>& items() const { return m_items; }
    qsizetype count() const { return m_items.size(); }
    bool isDashboard(qsizetype row) const;

    bool canMoveUp(qsizetype row) const { return row > 0 && row < count(); }
    bool canMoveDown(qsizetype row) const { return row >= 0 && row + 1 < count(); }
    bool moveUp(qsizetype row);
    bool moveDown(qsizetype row);
    // Moves the item at `from` so that it ends at `to`; false when either
    // row is outside the list.
    bool move(qsizetype from, qsizetype to);

    // Keeps the name as typed, so the field shows what the user wrote; it is
    // trimmed when written. The message for that name, or an empty text.
    QString setName(qsizetype row, const QString& name);
    // Refuses to switch the dashboard off; the message, or an empty text.
    QString setEnabled(qsizetype row, bool enabled);

    // The default sections, keeping the ids of the sections already
    // listed so that the main window still finds them.
    void resetToDefaults();

    // True when applying would change the session's menu.
    bool hasChanges() const;

    // The first failing rule, or an empty text; `row` receives the row at
    // fault (-1 when none).
    QString validate(qsizetype* row = nullptr) const;
    // Validates and writes `preferences.sidebarMenuItems` with trimmed
    // names; once saved, the editor starts over from them.
    Result<> apply(SessionEdit& edit);

private:
    QList<SidebarMenuItemConfig> cleaned() const;

    QList<SidebarMenuItemConfig> m_items;
    QList<SidebarMenuItemConfig> m_loaded;
};

} // namespace velmora
