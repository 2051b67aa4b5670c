#include "gui/app/Application.h"

#include "gui/common/Theme.h"
#include "gui/main/MainWindow.h"

#include <QApplication>

namespace velmora::gui {

Application::Application(Environment env, QObject* parent)
    : QObject(parent), m_env(std::move(env)),
      m_recentFiles(m_env.userDefaults, m_env.bookmarks, m_env.fileSystem),
      m_store(AppDataStore::Services{m_env.fileSystem, m_env.userDefaults, m_env.bookmarks,
                                     m_env.clock},
              m_env.folder),
      m_updates(m_env.http), m_wizard(SessionWizard::Services{m_store, m_recentFiles,
                                                              m_env.userDefaults, m_env.freeSpace}),
      m_launch(LaunchPhase::Services{m_store, m_recentFiles, m_env.userDefaults, m_wizard}),
      m_flows(SessionFlows::Services{m_store, m_recentFiles, m_wizard, m_launch}) {
    connect(&m_wizard, &SessionWizard::inProgressChanged, &m_launchState,
            &AppLaunchState::setOnboardingInProgress);
    // The wizard's end opens the session it made.
    connect(&m_wizard, &SessionWizard::finished, &m_launch, &LaunchPhase::resumeSession);
    connect(&m_store, &AppDataStore::sessionChanged, this, [this](const SessionFields& fields) {
        if (fields.contains(SessionField::preferences))
            applyAppearance();
    });
    m_window = std::make_unique<MainWindow>(*this);
}

Application::~Application() {
    // The window refers to everything above; it goes first.
    m_window.reset();
    m_store.waitForBackgroundSaves();
}

void Application::start(const QList<QUrl>& files) {
    m_store.create();
    applyAppearance();
    m_launch.showInitialPhase();
    m_window->show();
    if (m_env.checkForUpdates)
        m_updates.checkForUpdates();
    for (const QUrl& file : files)
        m_dispatcher.postOpenFile(file);
}

void Application::receiveFiles(const QList<QUrl>& files) {
    m_dispatcher.post(AppCommand::WindowExpand);
    for (const QUrl& file : files)
        m_dispatcher.postOpenFile(file);
}

void Application::applyAppearance() {
    const AppAppearanceMode mode = m_store.preferences().appearanceMode;
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
        app && (mode != theme::current() || app->styleSheet().isEmpty()))
        theme::apply(*app, mode);
}

} // namespace velmora::gui
