#include "gui/main/MainWindow.h"

#include "core/app/CacheClearing.h"
#include "core/app/SidebarMenu.h"
#include "gui/app/Application.h"
#include "gui/common/Dialogs.h"
#include "gui/common/Icons.h"
#include "gui/common/PendingInput.h"
#include "gui/common/Theme.h"
#include "gui/help/HelpWindow.h"
#include "gui/launch/LaunchScreen.h"
#include "gui/launch/LockView.h"
#include "gui/launch/SessionListView.h"
#include "gui/main/SectionRegistry.h"
#include "gui/main/Workspace.h"
#include "gui/settings/SettingsWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace velmora::gui {

namespace {

QString rescueButton() {
    return QStringLiteral("Choisir un emplacement…");
}

// The window as the user left it, from one run to the next.
const QString geometryKey = QStringLiteral("windowGeometry");
const QString sectionKey = QStringLiteral("lastSection");

} // namespace

MainWindow::MainWindow(Application& app) : m_app(app) {
    setWindowTitle(QStringLiteral("Velmora Core"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/velmora.svg")));
    setMinimumSize(960, 640);
    resize(1180, 780);
    restoreGeometry(app.environment().userDefaults.value(geometryKey).toByteArray());

    m_stack = new QStackedWidget(this);
    m_launch = new LaunchScreen(app, m_stack);
    const Environment& env = app.environment();
    // Attachments live in the application's cache, which the user may clear.
    const QString attachments =
        (env.cacheFolder.isEmpty() ? QDir::tempPath() + QStringLiteral("/Velmora Core")
                                   : env.cacheFolder) +
        QStringLiteral("/Pièces jointes");
    m_sections = new SectionRegistry(SectionServices{.store = app.store(),
                                                     .dialogs = env.dialogs,
                                                     .mail = env.mail,
                                                     .urls = env.urls,
                                                     .notifications = env.notifications,
                                                     .attachmentFolder = attachments,
                                                     .userDefaults = &env.userDefaults},
                                     this);
    registerSections(*m_sections);
    m_workspace = new Workspace(app.store(), app.updates(), *m_sections, m_stack);
    m_deleteAction = new QAction(QStringLiteral("Supprimer"), m_workspace);
    m_deleteAction->setShortcut(QKeySequence::Delete);
    m_deleteAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    m_workspace->addAction(m_deleteAction);
    connect(m_deleteAction, &QAction::triggered, this,
            [this] { runSectionCommand(SectionCommand::remove); });
    m_sessionLock = new LockView(app.store(), m_stack);
    m_stack->addWidget(m_launch);
    m_stack->addWidget(m_workspace);
    m_stack->addWidget(m_sessionLock);
    setCentralWidget(m_stack);
    // What the section folders run beside a session follows it on screen.
    m_sessionServices = m_sections->makeSessionServices(this);
    buildToolbar();
    connect(m_stack, &QStackedWidget::currentChanged, this, &MainWindow::followSessionServices);

    m_saveStatus = new QLabel(this);
    m_saveStatus->setObjectName(QStringLiteral("saveStatus"));
    statusBar()->addWidget(m_saveStatus, 1);
    statusBar()->setSizeGripEnabled(false);

    buildMenus();

    SessionListView& list = m_launch->sessionList();
    connect(&list, &SessionListView::sessionChosen, this, &MainWindow::openRecent);
    connect(&list, &SessionListView::newSessionRequested, this, &MainWindow::startNewSession);
    connect(&list, &SessionListView::openFileRequested, this, &MainWindow::chooseAndOpen);
    connect(m_sessionLock, &LockView::unlocked, this, [this] {
        m_stack->setCurrentWidget(m_workspace);
        refreshActions();
        refreshTitle();
    });
    connect(m_workspace, &Workspace::settingsRequested, this, &MainWindow::showSettings);
    connect(m_workspace, &Workspace::currentSectionChanged, this,
            &MainWindow::publishSectionCommands);
    connect(m_workspace, &Workspace::currentSectionChanged, this, [this] {
        if (screen() == Screen::session)
            m_app.environment().userDefaults.setValue(sectionKey, m_workspace->currentSection());
    });
    connect(m_sections, &SectionRegistry::commandsChanged, this,
            &MainWindow::publishSectionCommands);

    CommandDispatcher& dispatcher = app.dispatcher();
    connect(&dispatcher, &CommandDispatcher::commandPosted, this, &MainWindow::handleCommand);
    connect(&dispatcher, &CommandDispatcher::openRecentRequested, this, &MainWindow::openRecent);
    connect(&dispatcher, &CommandDispatcher::openFileRequested, this, &MainWindow::openFile);
    connect(&app.launch(), &LaunchPhase::phaseChanged, this, &MainWindow::followPhase);
    connect(&app.store(), &AppDataStore::saveFinished, this, [this](const Result<>& result) {
        reportSave(result.ok(), result.error(), result.warning());
    });
    for (auto signal : {&MenuCommandsState::canNewChanged, &MenuCommandsState::canEditChanged,
                        &MenuCommandsState::canPDFChanged})
        connect(&app.menuState(), signal, this, &MainWindow::refreshActions);
    connect(&app.store(), &AppDataStore::sessionChanged, this, [this](const SessionFields& fields) {
        if (fields.contains(SessionField::preferences))
            refreshActions();
        if (fields.contains(SessionField::sessionName))
            refreshTitle();
    });
    // A session moved to another file (the rescue) is listed under its new name.
    connect(&app.store(), &AppDataStore::defaultCDBFileURLChanged, this, [this] {
        if (m_app.launch().phase() == LaunchPhase::Phase::sessionOpen)
            m_app.menuState().setCurrentSessionURLString(m_app.flows().currentSessionUrlString());
    });
    publishSectionCommands();
    followPhase();
}

MainWindow::~MainWindow() = default;

MainWindow::Screen MainWindow::screen() const {
    if (m_stack->currentWidget() == m_workspace)
        return Screen::session;
    if (m_stack->currentWidget() == m_sessionLock)
        return Screen::locked;
    return Screen::launch;
}

QAction* MainWindow::action(const QString& title) const {
    // What the menus list, the shown section's own actions among them.
    QList<QAction*> listed = menuBar()->actions();
    while (!listed.isEmpty()) {
        QAction* a = listed.takeFirst();
        if (a->text() == title)
            return a;
        if (const QMenu* menu = a->menu())
            listed << menu->actions();
    }
    return nullptr;
}

void MainWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Fichier"));
    for (const MenuItem& item : sessionMenuItems()) {
        switch (item.kind) {
        case MenuItem::Kind::Separator:
            file->addSeparator();
            break;
        case MenuItem::Kind::RecentSubmenu: {
            QMenu* recent = file->addMenu(item.title);
            recent->setObjectName(QStringLiteral("recentMenu"));
            connect(recent, &QMenu::aboutToShow, this,
                    [this, recent] { fillRecentMenu(recent, false); });
            fillRecentMenu(recent, false);
            break;
        }
        case MenuItem::Kind::Command: {
            QAction* a = file->addAction(item.title);
            if (!item.shortcut.isEmpty())
                a->setShortcut(QKeySequence(item.shortcut));
            const AppCommand command = *item.command;
            connect(a, &QAction::triggered, this,
                    [this, command] { m_app.dispatcher().post(command); });
            // Creating a session or opening one is always possible; the rest
            // acts on the open session, never on one behind its lock.
            if (command != AppCommand::ShortcutNewSession && command != AppCommand::ShortcutOpenCDB)
                m_sessionActions << a;
            if (item.enabledWhen != MenuItem::EnabledWhen::Always)
                m_recordActions << qMakePair(a, item.enabledWhen);
            break;
        }
        case MenuItem::Kind::ClearCaches:
        case MenuItem::Kind::Help:
        case MenuItem::Kind::About:
            break;
        }
    }
    m_fileMenu = file;
    m_sectionActionsStart = new QAction(file);
    m_sectionActionsStart->setSeparator(true);
    m_sectionActionsEnd = file->addSeparator();
    QAction* settings =
        file->addAction(QStringLiteral("Réglages…"), this, &MainWindow::showSettings);
    // Ctrl+, on every desktop, beside the platform's own key if it has one.
    QList<QKeySequence> preferences{QKeySequence(Qt::CTRL | Qt::Key_Comma)};
    for (const QKeySequence& key : QKeySequence::keyBindings(QKeySequence::Preferences))
        if (!preferences.contains(key))
            preferences << key;
    settings->setShortcuts(preferences);
    m_sessionActions << settings;
    file->addSeparator();
    file->addAction(QStringLiteral("Quitter"), QKeySequence::Quit, this, &QWidget::close);

    QMenu* session = menuBar()->addMenu(QStringLiteral("&Session"));
    m_lockAction =
        session->addAction(symbolIcon(QStringLiteral("lock")), LockScreenModel::lockCommand(),
                           QKeySequence(QStringLiteral("Ctrl+L")), this, &MainWindow::lockSession);
    QMenu* switching = session->addMenu(symbolIcon(QStringLiteral("arrow.left.arrow.right")),
                                        QStringLiteral("Changer de session"));
    switching->setObjectName(QStringLiteral("switchMenu"));
    connect(switching, &QMenu::aboutToShow, this,
            [this, switching] { fillRecentMenu(switching, true); });
    fillRecentMenu(switching, true);
    session->addSeparator();
    QAction* logOut =
        session->addAction(symbolIcon(QStringLiteral("rectangle.portrait.and.arrow.right")),
                           QStringLiteral("Se déconnecter"), this, &MainWindow::logOut);
    m_sessionActions << m_lockAction << switching->menuAction() << logOut;
    m_workspace->sessionButton().setMenu(session);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Aide"));
    for (const MenuItem& item : applicationMenuItems()) {
        if (item.kind == MenuItem::Kind::ClearCaches)
            help->addAction(item.title, this, &MainWindow::clearCaches);
        else if (item.kind == MenuItem::Kind::Help)
            help->addAction(symbolIcon(QStringLiteral("questionmark.circle")), item.title,
                            QKeySequence::HelpContents, this, &MainWindow::showHelp);
        else if (item.kind == MenuItem::Kind::About)
            help->addAction(item.title, this,
                            [this] { m_app.environment().dialogs.ask(this, aboutAlert()); });
    }
}

void MainWindow::fillRecentMenu(QMenu* menu, bool forSwitching) {
    menu->clear();
    const RecentMenu recent =
        recentMenu(m_app.recentFiles().entries(), m_app.menuState().currentSessionURLString());
    for (const RecentEntry& entry : recent.entries) {
        const QString name = entry.sessionName.value_or(QString()).trimmed();
        QAction* a = menu->addAction(
            name.isEmpty() ? entry.displayName : name + QStringLiteral(" — ") + entry.displayName);
        connect(a, &QAction::triggered, this,
                [this, entry] { m_app.dispatcher().postOpenRecent(entry); });
    }
    if (!recent.emptyLine.isEmpty())
        menu->addAction(recent.emptyLine)->setEnabled(false);
    if (forSwitching)
        return;
    menu->addSeparator();
    menu->addAction(recent.clearTitle, this, [this] { m_app.recentFiles().clearAll(); });
}

void MainWindow::refreshActions() {
    const bool open = screen() == Screen::session;
    for (QAction* a : std::as_const(m_sessionActions))
        a->setEnabled(open);
    for (const auto& [a, when] : std::as_const(m_recordActions)) {
        MenuItem item;
        item.enabledWhen = when;
        a->setEnabled(open && velmora::isEnabled(item, m_app.menuState()));
    }
    // Locking a session without a code would lock nothing.
    LockScreenModel lock(m_app.store());
    m_lockAction->setEnabled(open && lock.canLock());
    m_lockAction->setToolTip(lock.canLock()
                                 ? QString()
                                 : QStringLiteral("Définissez un code d’accès dans les "
                                                  "Réglages pour verrouiller la session."));
}

void MainWindow::followPhase() {
    const bool open = m_app.launch().phase() == LaunchPhase::Phase::sessionOpen;
    if (open) {
        if (m_stack->currentWidget() == m_launch) {
            const QString last = m_app.environment().userDefaults.value(sectionKey).toString();
            m_workspace->showSection(last.isEmpty() ? dashboardKey() : last);
        }
        if (m_stack->currentWidget() != m_sessionLock)
            m_stack->setCurrentWidget(m_workspace);
        m_app.menuState().setCurrentSessionURLString(m_app.flows().currentSessionUrlString());
    } else {
        m_stack->setCurrentWidget(m_launch);
        m_app.menuState().setCurrentSessionURLString(std::nullopt);
        if (m_settings)
            m_settings->discardAndClose();
    }
    refreshActions();
    refreshTitle();
}

// The open session's name, never that of one behind its lock.
void MainWindow::refreshTitle() {
    const QString application = QStringLiteral("Velmora Core");
    if (screen() != Screen::session) {
        setWindowTitle(application);
        return;
    }
    const QString name = m_app.store().sessionName().value_or(QString()).trimmed();
    setWindowTitle((name.isEmpty() ? QStringLiteral("Session sans nom") : name) +
                   QStringLiteral(" — ") + application);
}

void MainWindow::handleCommand(AppCommand command) {
    switch (command) {
    case AppCommand::ShortcutSave:
        if (screen() == Screen::session)
            save();
        break;
    case AppCommand::ShortcutExportCDB:
        if (screen() == Screen::session)
            exportSession();
        break;
    case AppCommand::ShortcutOpenCDB:
        chooseAndOpen();
        break;
    case AppCommand::ShortcutNewSession:
        startNewSession();
        break;
    case AppCommand::ShortcutNew:
        runSectionCommand(SectionCommand::create);
        break;
    case AppCommand::ShortcutEdit:
        runSectionCommand(SectionCommand::edit);
        break;
    case AppCommand::ShortcutPDF:
        runSectionCommand(SectionCommand::exportPDF);
        break;
    case AppCommand::ShortcutFocusSearch:
        // From the section's own search field Ctrl+F stays there; from
        // anywhere else it searches the whole session.
        if (screen() == Screen::session && !sectionFieldHasFocus() &&
            m_sections->openGlobalSearch())
            break;
        runSectionCommand(SectionCommand::search);
        break;
    case AppCommand::WindowExpand:
        showNormal();
        raise();
        activateWindow();
        break;
    // These carry a value and come through their own signals.
    case AppCommand::OpenRecentCDB:
    case AppCommand::OpenCDBFile:
        break;
    }
}

bool MainWindow::sectionFieldHasFocus() const {
    const SectionPage* page = m_sections->existingPage(m_workspace->currentSection());
    auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    return page && field && page->isAncestorOf(field);
}

bool MainWindow::runSectionCommand(SectionCommand command) {
    if (screen() != Screen::session)
        return false;
    const SectionPage* page = m_sections->existingPage(m_workspace->currentSection());
    QAction* action = page ? page->command(command) : nullptr;
    if (!action || !action->isEnabled())
        return false;
    action->trigger();
    return true;
}

void MainWindow::publishSectionCommands() {
    for (const QMetaObject::Connection& watch : std::as_const(m_sectionActionWatch))
        disconnect(watch);
    m_sectionActionWatch.clear();
    for (QAction* shown : std::as_const(m_sectionActionsShown))
        m_fileMenu->removeAction(shown);
    m_sectionActionsShown.clear();

    const SectionPage* page = m_sections->existingPage(m_workspace->currentSection());
    QList<QAction*> own;
    for (QAction* action : page ? page->commands() : QList<QAction*>()) {
        m_sectionActionWatch << connect(action, &QAction::changed, this,
                                        &MainWindow::followSectionCommands);
        if (!SectionPage::standsBehind(*action))
            own << action;
    }
    // A page's own actions stand in their group after the standard entries.
    if (!own.isEmpty()) {
        own.prepend(m_sectionActionsStart);
        m_fileMenu->insertActions(m_sectionActionsEnd, own);
        m_sectionActionsShown = own;
    }
    followSectionCommands();
}

// The menus offer what the section shown can do now.
void MainWindow::followSectionCommands() {
    const SectionPage* page = m_sections->existingPage(m_workspace->currentSection());
    const auto can = [page](SectionCommand command) {
        const QAction* action = page ? page->command(command) : nullptr;
        return action && action->isEnabled();
    };
    MenuCommandsState& state = m_app.menuState();
    state.setCanNew(can(SectionCommand::create));
    state.setCanEdit(can(SectionCommand::edit));
    state.setCanPDF(can(SectionCommand::exportPDF));
    m_deleteAction->setEnabled(can(SectionCommand::remove));
}

void MainWindow::buildToolbar() {
    m_toolbar = new QToolBar(QStringLiteral("Barre d’outils"), this);
    m_toolbar->setObjectName(QStringLiteral("windowToolbar"));
    m_toolbar->setMovable(false);
    m_toolbar->setFloatable(false);
    m_toolbar->toggleViewAction()->setVisible(false);
    m_toolbar->setContextMenuPolicy(Qt::PreventContextMenu);
    auto* spacer = new QWidget(m_toolbar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_toolbar->addWidget(spacer);
    for (QWidget* tool : m_sections->makeWindowTools(*this))
        m_toolbar->addWidget(tool);
    auto* margin = new QWidget(m_toolbar);
    margin->setFixedWidth(8);
    m_toolbar->addWidget(margin);
    addToolBar(Qt::TopToolBarArea, m_toolbar);
    m_toolbar->setVisible(false);
}

void MainWindow::followSessionServices() {
    const bool shown = screen() == Screen::session;
    m_toolbar->setVisible(shown);
    if (shown == m_servicesRunning)
        return;
    m_servicesRunning = shown;
    for (SessionService* service : std::as_const(m_sessionServices)) {
        if (shown)
            service->start();
        else
            service->stop();
    }
}

// A save that went well is said in passing; only a failure stops the user.
void MainWindow::save() {
    const Alert alert = m_app.flows().save();
    if (alert.kind == Alert::Kind::information)
        statusBar()->showMessage(alert.message, 5000);
    else
        showSaveAlert(alert);
}

void MainWindow::showSaveAlert(const Alert& alert) {
    Dialogs& dialogs = m_app.environment().dialogs;
    const int answer = dialogs.ask(this, alert);
    if (answer >= 0 && alert.buttons[answer].text == rescueButton())
        rescueSession();
}

// The session no longer fits on its disk: it moves to a folder the user
// chooses and goes on from there.
void MainWindow::rescueSession() {
    Dialogs& dialogs = m_app.environment().dialogs;
    if (const auto folder = dialogs.choose(this, SessionFlows::rescueFolderPanel()))
        dialogs.ask(this, m_app.flows().rescueTo(*folder));
}

void MainWindow::exportSession() {
    Dialogs& dialogs = m_app.environment().dialogs;
    if (const auto file = dialogs.choose(this, SessionFlows::exportPanel()))
        dialogs.ask(this, m_app.flows().exportTo(*file));
}

void MainWindow::chooseAndOpen() {
    if (const auto file = m_app.environment().dialogs.choose(this, LaunchPhase::openPanel()))
        openFile(*file);
}

// The open session is saved before another one replaces it; nothing goes on
// when that save fails.
bool MainWindow::settleOpenForms() {
    if (screen() != Screen::session)
        return true;
    return settlePendingInput(*m_workspace, m_app.environment().dialogs,
                              [this](QWidget& form) { m_workspace->showSectionHolding(form); });
}

bool MainWindow::leaveOpenSession() {
    if (screen() == Screen::launch && m_app.launch().phase() != LaunchPhase::Phase::lockScreen)
        return true;
    if (!settleOpenForms())
        return false;
    const Result<> saved = m_app.store().save();
    if (saved.ok())
        return true;
    showSaveAlert(SessionFlows::saveFailedAlert(saved.error()));
    return false;
}

void MainWindow::startNewSession() {
    if (m_app.wizard().inProgress())
        return;
    if (screen() != Screen::launch && !leaveOpenSession())
        return;
    m_app.launch().startCreation();
}

void MainWindow::openFile(const QUrl& url) {
    if (!url.isLocalFile())
        return;
    Dialogs& dialogs = m_app.environment().dialogs;
    LaunchPhase& launch = m_app.launch();
    // An alert with a choice asks to give up the creation in progress; a
    // notice says the file is the open session.
    const std::optional<Alert> check = m_app.flows().checkBeforeOpening(url);
    if (check && check->buttons.size() > 1) {
        // The wizard stays on screen when the file cannot be read: say so there.
        if (confirm(dialogs, this, *check) && !m_app.flows().openAbandoningCreation(url))
            dialogs.ask(this, m_app.launch().loadFailedAlert());
        return;
    }
    // No session is open behind the launch screen, whatever file the store
    // last had.
    if (screen() == Screen::launch) {
        launch.openChosenFile(url);
        return;
    }
    if (check) {
        dialogs.ask(this, *check);
        return;
    }
    if (screen() == Screen::locked) {
        // A locked session shows nothing of itself, not even that it is open.
        raise();
        return;
    }
    // A file from the file manager replaces the session as the recent menu
    // does: only once the user agreed, and after saving it.
    if (!confirm(dialogs, this, SessionFlows::switchSessionAlert()) || !leaveOpenSession())
        return;
    if (!launch.openChosenFile(url)) {
        launch.resumeSession();
        dialogs.ask(this, m_app.launch().loadFailedAlert());
    }
}

void MainWindow::openRecent(const RecentEntry& entry) {
    Dialogs& dialogs = m_app.environment().dialogs;
    LaunchPhase& launch = m_app.launch();
    if (m_app.wizard().inProgress()) {
        if (!confirm(dialogs, this, SessionFlows::abandonCreationAlert()))
            return;
        // The creation is given up only once the other session opens.
        if (const auto url = m_app.recentFiles().resolve(entry)) {
            if (!m_app.flows().openAbandoningCreation(*url))
                dialogs.ask(this, m_app.launch().loadFailedAlert());
        } else
            locateMissing(entry,
                          LaunchPhase::fileNotFoundAlert(entry, LaunchPhase::Place::launchScreen));
        return;
    }
    if (screen() == Screen::launch) {
        if (const auto missing = launch.openRecent(entry))
            locateMissing(entry, *missing);
        return;
    }
    if (screen() == Screen::locked)
        return;
    if (entry.urlString == m_app.flows().currentSessionUrlString()) {
        dialogs.ask(this, SessionFlows::alreadyOpenAlert());
        return;
    }
    if (!confirm(dialogs, this, SessionFlows::switchSessionAlert()) || !settleOpenForms())
        return;
    const auto alert = m_app.flows().switchTo(entry);
    if (!alert)
        return;
    if (alert->title == LaunchPhase::fileNotFoundAlert(entry, LaunchPhase::Place::mainWindow).title)
        locateMissing(entry, *alert);
    else
        showSaveAlert(*alert);
}

void MainWindow::locateMissing(const RecentEntry& entry, const Alert& alert) {
    Dialogs& dialogs = m_app.environment().dialogs;
    if (!confirm(dialogs, this, alert))
        return;
    const auto file = dialogs.choose(this, LaunchPhase::openPanel());
    if (!file)
        return;
    const bool fromSession = screen() == Screen::session;
    if (!m_app.launch().relocate(entry, *file) && fromSession) {
        m_app.launch().resumeSession();
        dialogs.ask(this, m_app.launch().loadFailedAlert());
    }
}

void MainWindow::lockSession() {
    if (screen() != Screen::session || !m_sessionLock->model().canLock() || !settleOpenForms())
        return;
    // What can be saved is; the lock does not wait for a refused field.
    if (m_settings) {
        m_settings->settle();
        m_settings->discardAndClose();
    }
    m_sessionLock->reset();
    m_stack->setCurrentWidget(m_sessionLock);
    // Behind the lock, so that the section the user left stays remembered.
    m_workspace->showSection(dashboardKey());
    refreshActions();
    refreshTitle();
}

void MainWindow::logOut() {
    if (screen() != Screen::session)
        return;
    Dialogs& dialogs = m_app.environment().dialogs;
    if (!confirm(dialogs, this, SessionFlows::logOutAlert()) || !settleOpenForms())
        return;
    if (const auto failed = m_app.flows().logOut())
        showSaveAlert(*failed);
}

void MainWindow::showSettings() {
    if (screen() != Screen::session)
        return;
    if (!m_settings) {
        m_settings = new SettingsWindow(m_app.store(), m_app.environment().dialogs, this);
        m_settings->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_settings, &SettingsWindow::saveRescueRequested, this, &MainWindow::rescueSession);
    }
    m_settings->show();
    m_settings->raise();
    m_settings->activateWindow();
}

void MainWindow::showHelp() {
    if (!m_help) {
        m_help = new HelpWindow(this);
        m_help->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

void MainWindow::clearCaches() {
    Dialogs& dialogs = m_app.environment().dialogs;
    CacheClearing caches(m_app.environment().cacheFolder);
    if (confirm(dialogs, this, caches.confirmation()))
        dialogs.ask(this, caches.clear());
}

void MainWindow::reportSave(bool ok, const QString& error, const QString& warning) {
    if (!ok) {
        m_saveStatus->setText(QStringLiteral("Enregistrement impossible : ") + error);
        theme::setRole(m_saveStatus, "error");
    } else if (!warning.isEmpty()) {
        m_saveStatus->setText(warning);
        theme::setRole(m_saveStatus, "error");
    } else {
        m_saveStatus->clear();
        theme::setRole(m_saveStatus, "hint");
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!settleOpenForms()) {
        event->ignore();
        return;
    }
    // A refused field in the settings is shown rather than lost.
    if (m_settings && m_settings->isVisible() && !m_settings->settle()) {
        m_settings->raise();
        m_settings->activateWindow();
        event->ignore();
        return;
    }
    if (const auto ask = quitConfirmation(m_app.launchState())) {
        if (!confirm(m_app.environment().dialogs, this, *ask)) {
            event->ignore();
            return;
        }
        m_app.wizard().abandon();
    }
    if (m_settings)
        m_settings->close();
    if (m_help)
        m_help->close();
    m_app.environment().userDefaults.setValue(geometryKey, saveGeometry());
    event->accept();
}

} // namespace velmora::gui
