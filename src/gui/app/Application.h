#pragma once

#include "core/app/ApplicationCommands.h"
#include "core/app/UpdateChecker.h"
#include "core/platform/Bookmarks.h"
#include "core/platform/Clock.h"
#include "core/platform/FileSystem.h"
#include "core/platform/FreeSpace.h"
#include "core/platform/HttpFetcher.h"
#include "core/platform/MailComposer.h"
#include "core/platform/UserDefaults.h"
#include "core/platform/UserNotifications.h"
#include "core/session/LaunchPhase.h"
#include "core/session/SessionFlows.h"
#include "core/session/SessionWizard.h"
#include "core/store/AppDataStore.h"
#include "core/store/RecentFilesStore.h"

#include <QObject>

#include <memory>

namespace velmora::gui {

class Dialogs;
class MainWindow;

// What the application runs on: the real services in main(), fakes and a
// temporary folder in the tests.
struct Environment {
    FileSystem& fileSystem;
    UserDefaults& userDefaults;
    Bookmarks& bookmarks;
    const FreeSpace& freeSpace;
    HttpFetcher& http;
    const Clock& clock;
    Dialogs& dialogs;
    // The desktop's mail program and default handlers.
    MailComposer& mail;
    UrlOpener& urls;
    UserNotifications& notifications;
    StoreFolder folder;
    // The application's own cache folder; empty when there is none.
    QString cacheFolder;
    bool checkForUpdates = true;
};

// The objects that live as long as the application, created once in this
// order: recent sessions, menu state, the session store, the update checker,
// the launch flows and the main window.
class Application : public QObject {
    Q_OBJECT

public:
    explicit Application(Environment env, QObject* parent = nullptr);
    ~Application() override;

    // Loads the working copy, shows the window on the session list or the
    // wizard, asks for updates, then opens the files given at start.
    void start(const QList<QUrl>& files = {});
    // What a second start handed over: the window comes to the front and
    // opens the files as if they were chosen here.
    void receiveFiles(const QList<QUrl>& files);

    Environment& environment() { return m_env; }
    RecentFilesStore& recentFiles() { return m_recentFiles; }
    MenuCommandsState& menuState() { return m_menuState; }
    AppLaunchState& launchState() { return m_launchState; }
    CommandDispatcher& dispatcher() { return m_dispatcher; }
    AppDataStore& store() { return m_store; }
    UpdateChecker& updates() { return m_updates; }
    SessionWizard& wizard() { return m_wizard; }
    LaunchPhase& launch() { return m_launch; }
    SessionFlows& flows() { return m_flows; }
    MainWindow& window() { return *m_window; }

private:
    void applyAppearance();

    Environment m_env;
    RecentFilesStore m_recentFiles;
    MenuCommandsState m_menuState;
    AppLaunchState m_launchState;
    CommandDispatcher m_dispatcher;
    AppDataStore m_store;
    UpdateChecker m_updates;
    SessionWizard m_wizard;
    LaunchPhase m_launch;
    SessionFlows m_flows;
    std::unique_ptr<MainWindow> m_window;
};

} // namespace velmora::gui
