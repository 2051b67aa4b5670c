#pragma once

#include "core/Alert.h"
#include "core/store/RecentEntry.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

namespace velmora {

// The commands the menus post and the main window handles. Their names are
// those of the in-process notifications, which scripts and logs refer to.
enum class AppCommand {
    ShortcutNew,
    ShortcutEdit,
    ShortcutPDF,
    ShortcutSave,
    ShortcutExportCDB,
    ShortcutOpenCDB,
    ShortcutFocusSearch,
    ShortcutNewSession,
    OpenRecentCDB,
    OpenCDBFile,
    WindowExpand,
};

QString commandName(AppCommand command);
std::optional<AppCommand> commandFromName(const QString& name);
QList<AppCommand> allCommands();

// What the main window writes and the menus read.
class MenuCommandsState : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool canNew READ canNew WRITE setCanNew NOTIFY canNewChanged)
    Q_PROPERTY(bool canEdit READ canEdit WRITE setCanEdit NOTIFY canEditChanged)
    Q_PROPERTY(bool canPDF READ canPDF WRITE setCanPDF NOTIFY canPDFChanged)

public:
    using QObject::QObject;

    bool canNew() const { return m_canNew; }
    bool canEdit() const { return m_canEdit; }
    bool canPDF() const { return m_canPDF; }
    const std::optional<QString>& currentSessionURLString() const { return m_currentSession; }

    void setCanNew(bool value);
    void setCanEdit(bool value);
    void setCanPDF(bool value);
    void setCurrentSessionURLString(const std::optional<QString>& value);

signals:
    void canNewChanged();
    void canEditChanged();
    void canPDFChanged();
    void currentSessionURLStringChanged();

private:
    bool m_canNew = false;
    bool m_canEdit = false;
    bool m_canPDF = false;
    std::optional<QString> m_currentSession;
};

class AppLaunchState : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool onboardingInProgress READ onboardingInProgress WRITE setOnboardingInProgress
                   NOTIFY onboardingInProgressChanged)
    Q_PROPERTY(bool splashCompleted READ splashCompleted WRITE setSplashCompleted NOTIFY
                   splashCompletedChanged)

public:
    using QObject::QObject;

    bool onboardingInProgress() const { return m_onboarding; }
    bool splashCompleted() const { return m_splashCompleted; }
    void setOnboardingInProgress(bool value);
    void setSplashCompleted(bool value);

signals:
    void onboardingInProgressChanged();
    void splashCompletedChanged();

private:
    bool m_onboarding = false;
    bool m_splashCompleted = false;
};

// One per application: menus post here, the main window listens. Menus never
// act themselves, so they stay independent of the screen that is shown.
class CommandDispatcher : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // The commands that carry nothing; the two that carry a value have their
    // own calls below and are refused here.
    bool post(AppCommand command);
    // By notification name, for scripts; false when the name is unknown or
    // the command needs a value.
    bool post(const QString& name);
    void postOpenRecent(const RecentEntry& entry);
    void postOpenFile(const QUrl& url);

signals:
    void commandPosted(velmora::AppCommand command);
    void openRecentRequested(const velmora::RecentEntry& entry);
    void openFileRequested(const QUrl& url);
};

// The menu bar, in order. Separators stand between the groups.
struct MenuItem {
    enum class Kind { Command, Separator, RecentSubmenu, ClearCaches, Help, About };
    enum class EnabledWhen { Always, CanNew, CanEdit, CanPDF };

    Kind kind = Kind::Command;
    QString title;
    // Portable text for QKeySequence ("Ctrl" is the Command key on macOS).
    QString shortcut;
    std::optional<AppCommand> command;
    EnabledWhen enabledWhen = EnabledWhen::Always;
};

QList<MenuItem> sessionMenuItems();
// "Vider les caches…" and "Aide Velmora Core".
QList<MenuItem> applicationMenuItems();
// "À propos de Velmora Core": the version running and what the program is for.
Alert aboutAlert();
bool isEnabled(const MenuItem& item, const MenuCommandsState& state);

// "Ouvert récemment": every recent entry but the open session, or the inactive
// line when none is left; the clearing item always ends it.
struct RecentMenu {
    // Most recent first.
    QList<RecentEntry> entries;
    // Empty when there are entries to show.
    QString emptyLine;
    QString clearTitle;
};

RecentMenu recentMenu(const QList<RecentEntry>& recentEntries,
                      const std::optional<QString>& currentSessionURLString);

// Nothing when the application may quit at once; otherwise the confirmation
// whose destructive button quits and whose cancel button keeps the wizard.
std::optional<Alert> quitConfirmation(const AppLaunchState& launch);

} // namespace velmora

Q_DECLARE_METATYPE(velmora::AppCommand)
