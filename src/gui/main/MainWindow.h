#pragma once

#include "core/Alert.h"
#include "core/app/ApplicationCommands.h"
#include "core/store/RecentEntry.h"

#include <QMainWindow>
#include <QPointer>

class QAction;
class QLabel;
class QMenu;
class QStackedWidget;
class QToolBar;

namespace velmora::gui {

class Application;
class HelpWindow;
class LaunchScreen;
class LockView;
class SectionRegistry;
class SessionService;
class SettingsWindow;
class Workspace;
enum class SectionCommand;

// The one window: the launch screen until a session is open, then the
// session's sections; the menus post commands that it carries out.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(Application& app);
    ~MainWindow() override;

    LaunchScreen& launchScreen() { return *m_launch; }
    Workspace& workspace() { return *m_workspace; }
    SectionRegistry& sections() { return *m_sections; }
    // What the window shows now.
    enum class Screen { launch, session, locked };
    Screen screen() const;
    // The menu action of that title, searched through every menu.
    QAction* action(const QString& title) const;

    void openFile(const QUrl& url);
    void openRecent(const RecentEntry& entry);
    void lockSession();
    void logOut();
    void showSettings();
    void showHelp();
    void clearCaches();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void fillRecentMenu(QMenu* menu, bool forSwitching);
    void handleCommand(AppCommand command);
    bool runSectionCommand(SectionCommand command);
    // A text field of the section shown (its search, most often) has the focus.
    bool sectionFieldHasFocus() const;
    // Takes the actions of the section shown into the menus and keys.
    void publishSectionCommands();
    // The menus' entries follow whether those actions can run.
    void followSectionCommands();
    // The controls of the panels that belong to no section, shown with the
    // session.
    void buildToolbar();
    void followSessionServices();
    void followPhase();
    void refreshActions();
    void refreshTitle();
    void save();
    void exportSession();
    void chooseAndOpen();
    void startNewSession();
    void showSaveAlert(const Alert& alert);
    void rescueSession();
    void locateMissing(const RecentEntry& entry, const Alert& alert);
    bool leaveOpenSession();
    // False when a form open in the session keeps the window as it is.
    bool settleOpenForms();
    void reportSave(bool ok, const QString& error, const QString& warning);

    Application& m_app;
    QStackedWidget* m_stack = nullptr;
    LaunchScreen* m_launch = nullptr;
    SectionRegistry* m_sections = nullptr;
    Workspace* m_workspace = nullptr;
    LockView* m_sessionLock = nullptr;
    QLabel* m_saveStatus = nullptr;
    QToolBar* m_toolbar = nullptr;
    // Running while the session is on screen.
    QList<SessionService*> m_sessionServices;
    bool m_servicesRunning = false;
    QPointer<SettingsWindow> m_settings;
    QPointer<HelpWindow> m_help;
    // Enabled only while a session is open and unlocked.
    QList<QAction*> m_sessionActions;
    QList<QPair<QAction*, MenuItem::EnabledWhen>> m_recordActions;
    QAction* m_lockAction = nullptr;
    // The Delete key, for the section shown; no menu shows it.
    QAction* m_deleteAction = nullptr;
    QMenu* m_fileMenu = nullptr;
    // The section's own actions stand in "Fichier" between these separators.
    QAction* m_sectionActionsStart = nullptr;
    QAction* m_sectionActionsEnd = nullptr;
    QList<QAction*> m_sectionActionsShown;
    QList<QMetaObject::Connection> m_sectionActionWatch;
};

} // namespace velmora::gui
