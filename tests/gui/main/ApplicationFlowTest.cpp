// The application driven as a person would: the session list, opening a
// protected session, its lock screen and recovery, locking the running
// session, logging out, the menus and the quitting rules.

#include "AppFixture.h"

#include "core/model/NewSession.h"
#include "core/model/SectionDescriptor.h"
#include "core/security/AccessCode.h"
#include "gui/common/AnimatedStack.h"
#include "gui/help/HelpWindow.h"
#include "gui/launch/LockView.h"
#include "gui/main/Workspace.h"
#include "gui/settings/SettingsWindow.h"
#include "support/SessionChange.h"

#include <QComboBox>
#include <QListWidget>
#include <QMenu>
#include <QStatusBar>
#include <QTextBrowser>

namespace velmora::gui::test {

QString AppFixture::writeUserSession(const QString& name, const QString& code,
                                     const QList<std::pair<QString, QString>>& questions,
                                     const std::function<void(AppDatabase&)>& fill) {
    AppDatabase db = newSessionContents();
    db.sessionName = name;
    db.preferences.appPassword = code;
    db.sessionProfileImageName = u"image_informatique"_s;
    for (const auto& [question, answer] : questions)
        db.securityQuestions.append({QUuid::createUuid(), question, answerDigest(answer)});
    if (fill)
        fill(db);
    const QString path = m_dir.path() + u"/Documents/"_s + name + u".cdb"_s;
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(encodeSession(db, SessionFormat::Compact));
    return path;
}

namespace {

class ApplicationFlowTest : public AppFixture {
protected:
    // A protected session opened once, so that it is listed and known.
    QString openProtectedSession() {
        const QString path =
            writeUserSession(u"Atelier Lumière"_s, u"s3cret"_s,
                             {{u"Dans quelle ville êtes-vous né ?"_s, u"Paris"_s}});
        startApp();
        openFromList(path);
        EXPECT_EQ(m_app->launch().phase(), LaunchPhase::Phase::lockScreen);
        submitCode(u"s3cret"_s);
        EXPECT_EQ(screen(), MainWindow::Screen::session);
        m_dialogs.alerts.clear();
        return path;
    }
    // The application's own folder is full; another disk has room, and the
    // rescue the user is offered is accepted there.
    QString fillTheDiskAndAcceptTheRescue() {
        m_fs.failOnPath(velmora::test::FaultyFileSystem::Op::Write, u"/data/"_s,
                        u"No space left on device"_s);
        const QString rescue = m_dir.path() + u"/Rescue"_s;
        QDir().mkpath(rescue);
        m_dialogs.answerNext(u"Choisir un emplacement…"_s);
        m_dialogs.chooseNext(QUrl::fromLocalFile(rescue));
        return rescue + u"/Session sans titre.cdb"_s;
    }
};

TEST_F(ApplicationFlowTest, AFirstStartShowsTheWizardAndTheListOnceASessionIsKnown) {
    startApp();
    EXPECT_EQ(m_app->launch().phase(), LaunchPhase::Phase::onboarding);
    EXPECT_TRUE(m_app->launchState().onboardingInProgress());

    const QString path = writeUserSession(u"Studio"_s, QString());
    m_dialogs.chooseNext(QUrl::fromLocalFile(path));
    trigger(u"Ouvrir une base de données…"_s);
    // Opening during a creation asks first.
    EXPECT_EQ(m_dialogs.alerts, QList<Alert>{SessionFlows::abandonCreationAlert()});
    EXPECT_EQ(screen(), MainWindow::Screen::launch);

    m_dialogs.answerNext(SessionFlows::abandonCreationAlert().buttons.first().text);
    m_dialogs.chooseNext(QUrl::fromLocalFile(path));
    trigger(u"Ouvrir une base de données…"_s);
    EXPECT_EQ(screen(), MainWindow::Screen::session);
    EXPECT_FALSE(m_app->launchState().onboardingInProgress());
    EXPECT_EQ(window().workspace().currentSection(), u"dashboard"_s);

    restartApp();
    EXPECT_EQ(m_app->launch().phase(), LaunchPhase::Phase::sessionPicker);
    auto* card = find<QAbstractButton>(u"sessionCard0"_s);
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->text(), u"Studio"_s);
}

// A new user's first run: the wizard with a code and a question, the
// session on disk and listed, then a restart that asks for the code.
TEST_F(ApplicationFlowTest, TheWizardCreatesAProtectedSessionThatReopensThroughItsLock) {
    AnimatedStack::setAnimationsEnabled(false);
    startApp();
    SessionWizard& wizard = m_app->wizard();
    wizard.continueFromAppearance();
    wizard.setSessionName(u"Atelier Lumière"_s);
    ASSERT_TRUE(wizard.continueFromIdentity());
    const QString path = m_dir.path() + u"/Atelier.cdb"_s;
    ASSERT_TRUE(wizard.chooseLocation(QUrl::fromLocalFile(path)));
    ASSERT_TRUE(wizard.continueFromLocation());
    type(u"accessCodeField"_s, u"1234"_s);
    type(u"accessCodeConfirmField"_s, u"1234"_s);
    click(u"wizardContinue"_s);
    find<QComboBox>(u"questionCombo0"_s)->setCurrentIndex(2);
    type(u"answerField0"_s, u"Paris"_s);
    click(u"wizardContinue"_s);
    wizard.continueFromModules();
    wizard.skipCompany();
    click(u"startButton"_s);

    ASSERT_EQ(screen(), MainWindow::Screen::session);
    EXPECT_FALSE(m_app->launchState().onboardingInProgress());
    EXPECT_EQ(contentsOf(path).count("\"answerHash\""), 1);

    restartApp();
    ASSERT_EQ(m_app->launch().phase(), LaunchPhase::Phase::sessionPicker);
    EXPECT_EQ(find<QAbstractButton>(u"sessionCard0"_s)->text(), u"Atelier Lumière"_s);
    click(u"sessionCard0"_s);
    submitCode(u"1234"_s);
    EXPECT_EQ(screen(), MainWindow::Screen::session);
    EXPECT_EQ(m_app->store().sessionName(), u"Atelier Lumière"_s);
}

// A file that cannot be read, opened over the wizard, is reported there with
// the reason the file system or the decoder gave, and the creation goes on.
TEST_F(ApplicationFlowTest, AnUnreadableFileIsReportedWithItsReason) {
    startApp();
    const QString cut = m_dir.path() + u"/Coupé.cdb"_s;
    QFile file(cut);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{\"sessionName\":\"Atelier\",\"clients\":[");
    file.close();
    QDir().mkpath(m_dir.path() + u"/Dossier.cdb"_s);
    const struct {
        QString path;
        QString reason;
    } cases[] = {
        {m_dir.path() + u"/Absent.cdb"_s, u"Le fichier « Absent.cdb » est introuvable."_s},
        {m_dir.path() + u"/Dossier.cdb"_s,
         u"Le fichier « Dossier.cdb » n'a pas pu être ouvert : c'est un dossier."_s},
        {cut, u"Fichier de session illisible : fichier tronqué (le document s'arrête avant sa "
              "fin)"_s},
    };
    for (const auto& c : cases) {
        m_dialogs.answerNext(SessionFlows::abandonCreationAlert().buttons.first().text);
        m_dialogs.chooseNext(QUrl::fromLocalFile(c.path));
        trigger(u"Ouvrir une base de données…"_s);
        ASSERT_FALSE(m_dialogs.alerts.isEmpty());
        EXPECT_EQ(m_dialogs.alerts.last().message, u"Erreur lors du chargement de la session."_s);
        EXPECT_EQ(m_dialogs.alerts.last().informativeText, c.reason);
        EXPECT_TRUE(m_app->wizard().inProgress());
        EXPECT_EQ(m_app->launch().phase(), LaunchPhase::Phase::onboarding);
    }
    EXPECT_TRUE(m_app->recentFiles().entries().isEmpty());
}

// After a restart the lock opens with the code only, its case counting and
// its surrounding spaces not, or through a question that sets a new code;
// the session opens on the dashboard.
TEST_F(ApplicationFlowTest, RestartUnlocksWithTheCodeOrAQuestionAndOpensOnTheLastSection) {
    const QString path = openProtectedSession();
    window().workspace().showSection(u"clients"_s);
    restartApp();
    EXPECT_EQ(screen(), MainWindow::Screen::launch);
    click(u"sessionCard0"_s);
    EXPECT_EQ(m_app->launch().phase(), LaunchPhase::Phase::lockScreen);
    submitCode(u"S3CRET"_s);
    EXPECT_EQ(shownText(u"lockError"_s), u"Code incorrect."_s);
    EXPECT_EQ(screen(), MainWindow::Screen::launch);
    // Saving or exporting a session nobody unlocked is not offered.
    EXPECT_FALSE(window().action(u"Enregistrer sous…"_s)->isEnabled());

    click(u"lockForgot"_s);
    click(u"recoveryQuestion0"_s);
    type(u"recoveryAnswer"_s, u"Pàris"_s);
    click(u"recoveryCheckAnswer"_s);
    EXPECT_EQ(shownText(u"recoveryAnswerError"_s),
              u"Réponse incorrecte. Vérifiez la casse et les espaces."_s);
    type(u"recoveryAnswer"_s, u"  paris "_s);
    click(u"recoveryCheckAnswer"_s);
    type(u"recoveryNewCode"_s, u"nouveau"_s);
    type(u"recoveryConfirmation"_s, u"nouveaU"_s);
    click(u"recoverySave"_s);
    EXPECT_EQ(shownText(u"recoveryNewCodeError"_s), u"Les codes ne correspondent pas."_s);
    type(u"recoveryConfirmation"_s, u"nouveau"_s);
    click(u"recoverySave"_s);
    click(u"recoveryUnlockNow"_s);

    // Back on the lock: the old code no longer opens, the new one does.
    submitCode(u"s3cret"_s);
    EXPECT_EQ(shownText(u"lockError"_s), u"Code incorrect."_s);
    type(u"lockCodeField"_s, u"  nouveau "_s);
    QTest::keyClick(find<QLineEdit>(u"lockCodeField"_s), Qt::Key_Return);
    EXPECT_EQ(screen(), MainWindow::Screen::session);
    EXPECT_EQ(window().workspace().currentSection(), u"clients"_s);
    EXPECT_TRUE(window().action(u"Enregistrer sous…"_s)->isEnabled());
    // The new code is in the user's own file, not only in memory.
    EXPECT_TRUE(contentsOf(path).contains("\"appPassword\":\"nouveau\""));
}

TEST_F(ApplicationFlowTest, LockingTheRunningSessionHidesItUntilTheCodeIsTyped) {
    openProtectedSession();
    window().workspace().showSection(u"documents"_s);
    trigger(u"Verrouiller le logiciel"_s);
    EXPECT_EQ(screen(), MainWindow::Screen::locked);
    for (const QString& title :
         {u"Enregistrer"_s, u"Enregistrer sous…"_s, u"Se déconnecter"_s, u"Réglages…"_s})
        EXPECT_FALSE(window().action(title)->isEnabled()) << title.toStdString();

    submitCode(u"faux"_s);
    EXPECT_EQ(shownText(u"lockError"_s), u"Code incorrect."_s);
    EXPECT_EQ(screen(), MainWindow::Screen::locked);
    submitCode(u"s3cret"_s);
    EXPECT_EQ(screen(), MainWindow::Screen::session);
    EXPECT_EQ(window().workspace().currentSection(), u"dashboard"_s);
}

TEST_F(ApplicationFlowTest, LoggingOutAsksSavesAndReturnsToTheList) {
    openProtectedSession();
    // Cancelled: nothing happens.
    trigger(u"Se déconnecter"_s);
    ASSERT_EQ(m_dialogs.alerts.size(), 1);
    EXPECT_EQ(m_dialogs.alerts[0], SessionFlows::logOutAlert());
    EXPECT_EQ(screen(), MainWindow::Screen::session);

    m_dialogs.answerNext(u"Se déconnecter"_s);
    trigger(u"Se déconnecter"_s);
    EXPECT_EQ(screen(), MainWindow::Screen::launch);
    EXPECT_EQ(m_app->launch().phase(), LaunchPhase::Phase::sessionPicker);
    EXPECT_EQ(find<QAbstractButton>(u"sessionCard0"_s)->text(), u"Atelier Lumière"_s);
}

TEST_F(ApplicationFlowTest, SwitchingSessionSavesAndGoesThroughTheOtherLock) {
    const QString first = writeUserSession(u"Première"_s, QString());
    const QString second = writeUserSession(u"Seconde"_s, u"1234"_s);
    startApp();
    openFromList(second);
    submitCode(u"1234"_s);
    // Back to the list, open the first: two sessions are now listed.
    m_dialogs.answerNext(u"Se déconnecter"_s);
    trigger(u"Se déconnecter"_s);
    openFromList(first);
    ASSERT_EQ(screen(), MainWindow::Screen::session);

    // The open session is left out of "Ouvert récemment".
    auto* recent = window().findChild<QMenu*>(u"recentMenu"_s);
    ASSERT_NE(recent, nullptr);
    emit recent->aboutToShow();
    QStringList titles;
    for (QAction* a : recent->actions())
        titles << a->text();
    EXPECT_EQ(titles.first(), u"Seconde — Seconde.cdb"_s);
    EXPECT_FALSE(titles.contains(u"Première — Première.cdb"_s));

    m_dialogs.answerNext(u"Changer de session"_s);
    recent->actions().first()->trigger();
    EXPECT_EQ(m_dialogs.alerts.last(), SessionFlows::switchSessionAlert());
    EXPECT_EQ(m_app->launch().phase(), LaunchPhase::Phase::lockScreen);
    EXPECT_EQ(m_app->store().sessionName(), u"Seconde"_s);
}

// "Nouvelle session" from a session, then a recent one chosen instead:
// the creation is given up only when asked, and the session opens.
TEST_F(ApplicationFlowTest, ARecentSessionChosenDuringACreationAsksFirst) {
    openProtectedSession();
    trigger(u"Nouvelle session"_s);
    ASSERT_EQ(m_app->launch().phase(), LaunchPhase::Phase::onboarding);
    ASSERT_TRUE(m_app->wizard().inProgress());
    const RecentEntry entry = m_app->recentFiles().entries().first();

    m_app->dispatcher().postOpenRecent(entry);
    EXPECT_EQ(m_dialogs.alerts.last(), SessionFlows::abandonCreationAlert());
    EXPECT_TRUE(m_app->wizard().inProgress());

    m_dialogs.answerNext(SessionFlows::abandonCreationAlert().buttons.first().text);
    m_app->dispatcher().postOpenRecent(entry);
    EXPECT_FALSE(m_app->wizard().inProgress());
    EXPECT_EQ(m_app->launch().phase(), LaunchPhase::Phase::lockScreen);
    EXPECT_EQ(m_app->store().sessionName(), u"Atelier Lumière"_s);
}

// A session file opened from the file manager while a session is open: the
// second start hands it over; the same file is only said to be open, another
// one is switched to as from the recent menu.
TEST_F(ApplicationFlowTest, AFileFromTheFileManagerAsksBeforeReplacingTheSession) {
    const QString other = writeUserSession(u"Seconde"_s, u"1234"_s);
    const QString path = openProtectedSession();
    velmora::test::changeSession(m_app->store(),
                                 [&](SessionEdit& e) { e.sessionName() = u"Atelier Nord"_s; });
    m_app->receiveFiles({QUrl::fromLocalFile(path)});
    m_app->receiveFiles({QUrl::fromLocalFile(other)});
    EXPECT_EQ(m_dialogs.alerts,
              (QList<Alert>{SessionFlows::alreadyOpenAlert(), SessionFlows::switchSessionAlert()}));
    EXPECT_EQ(screen(), MainWindow::Screen::session);
    EXPECT_EQ(m_app->store().sessionName(), u"Atelier Nord"_s);

    m_dialogs.answerNext(u"Changer de session"_s);
    m_app->receiveFiles({QUrl::fromLocalFile(other)});
    EXPECT_EQ(m_app->launch().phase(), LaunchPhase::Phase::lockScreen);
    EXPECT_EQ(m_app->store().sessionName(), u"Seconde"_s);
    // The session left was saved into its own file first.
    EXPECT_TRUE(contentsOf(path).contains("Atelier Nord"));
}

// The recent menu with only the open session says so; quitting asks nothing.
TEST_F(ApplicationFlowTest, ARecentMenuWithOnlyTheOpenSessionSaysSoAndQuittingAsksNothing) {
    openProtectedSession();
    auto* recent = window().findChild<QMenu*>(u"recentMenu"_s);
    emit recent->aboutToShow();
    const QList<QAction*> actions = recent->actions();
    ASSERT_EQ(actions.size(), 3);
    EXPECT_EQ(actions[0]->text(), u"Aucun fichier récent"_s);
    EXPECT_FALSE(actions[0]->isEnabled());
    EXPECT_EQ(actions[2]->text(), u"Effacer les éléments récents"_s);
    actions[2]->trigger();
    EXPECT_TRUE(m_app->recentFiles().entries().isEmpty());
    EXPECT_TRUE(window().close());
    EXPECT_TRUE(m_dialogs.alerts.isEmpty());
}

TEST_F(ApplicationFlowTest, QuittingDuringCreationAsksAndContinuerKeepsTheWindow) {
    startApp();
    window().show();
    ASSERT_TRUE(m_app->launchState().onboardingInProgress());
    m_dialogs.answerNext(u"Continuer"_s);
    EXPECT_FALSE(window().close());
    EXPECT_EQ(m_dialogs.alerts.last(), SessionFlows::quitDuringCreationAlert());
    EXPECT_TRUE(window().isVisible());

    m_dialogs.answerNext(u"Quitter quand même"_s);
    EXPECT_TRUE(window().close());
    EXPECT_FALSE(m_app->launchState().onboardingInProgress());
}

TEST_F(ApplicationFlowTest, AMirrorThatFailsIsShownInTheStatusBar) {
    const QString path = openProtectedSession();
    m_fs.failOnPath(velmora::test::FaultyFileSystem::Op::Write, u"/Documents/"_s);
    m_app->store().save();
    const QString status = find<QLabel>(u"saveStatus"_s)->text();
    EXPECT_TRUE(
        status.startsWith(u"Le fichier « Atelier Lumière.cdb » n'a pas pu être mis à jour : "_s))
        << status.toStdString();

    m_fs.heal();
    m_app->store().save();
    EXPECT_EQ(find<QLabel>(u"saveStatus"_s)->text(), QString());
    EXPECT_TRUE(contentsOf(path).contains("Atelier Lumi"));
}

TEST_F(ApplicationFlowTest, AFullDiskOffersToMoveTheSession) {
    openProtectedSession();
    const QString moved = fillTheDiskAndAcceptTheRescue();
    trigger(u"Enregistrer"_s);

    ASSERT_EQ(m_dialogs.alerts.size(), 2);
    EXPECT_EQ(m_dialogs.alerts[0].title, u"Enregistrement impossible"_s);
    EXPECT_EQ(m_dialogs.panels.last(), SessionFlows::rescueFolderPanel());
    EXPECT_EQ(m_dialogs.alerts[1].title, u"Fichier déplacé"_s);
    EXPECT_TRUE(QFile::exists(moved));
    const QString url = RecentFilesStore::urlText(QUrl::fromLocalFile(moved));
    EXPECT_EQ(m_app->flows().currentSessionUrlString(), url);
    EXPECT_EQ(m_app->menuState().currentSessionURLString(), std::optional(url));
}

// A setting that cannot be saved for lack of space leads to the same rescue
// as the save command.
TEST_F(ApplicationFlowTest, ASettingThatDoesNotFitOffersTheRescueToo) {
    openProtectedSession();
    trigger(u"Réglages…"_s);
    auto* settings = window().findChild<SettingsWindow*>();
    ASSERT_NE(settings, nullptr);
    const QString moved = fillTheDiskAndAcceptTheRescue();
    auto* light = settings->findChild<QAbstractButton*>(u"appearanceLight"_s);
    ASSERT_NE(light, nullptr);
    light->click();

    ASSERT_GE(m_dialogs.alerts.size(), 2);
    EXPECT_EQ(m_dialogs.alerts.first().title, u"Enregistrement impossible"_s);
    EXPECT_EQ(m_dialogs.alerts.last().title, u"Fichier déplacé"_s);
    EXPECT_TRUE(QFile::exists(moved));
}

TEST_F(ApplicationFlowTest, TheSidebarFollowsTheSessionsMenuItems) {
    openProtectedSession();
    QStringList sections;
    for (const SectionDescriptor& section : sectionDescriptors())
        sections << section.key;
    EXPECT_EQ(window().workspace().sectionKeys(), sections);
    AppPreferences prefs = m_app->store().preferences();
    prefs.sidebarMenuItems = SidebarMenuItemConfig::defaults();
    std::swap(prefs.sidebarMenuItems[1], prefs.sidebarMenuItems[3]);
    prefs.sidebarMenuItems[2].isEnabled = false;
    prefs.sidebarMenuItems[3].displayName = u"Mes clients"_s;
    velmora::test::changeSession(m_app->store(), [&](SessionEdit& e) { e.preferences() = prefs; });
    EXPECT_EQ(window().workspace().sectionKeys(),
              (QStringList{"dashboard", "documents", "clients", "services", "stock", "accounting",
                           "calendar", "externalTools"}));
    EXPECT_EQ(find<QListWidget>(u"sectionList"_s)->item(2)->text(), u"Mes clients"_s);
}

TEST_F(ApplicationFlowTest, HelpAndCachesAreOfferedFromTheStart) {
    startApp();
    trigger(u"Aide Velmora Core"_s);
    auto* help = window().findChild<HelpWindow*>();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->windowTitle(), u"Aide Velmora Core"_s);
    EXPECT_TRUE(
        help->findChild<QTextBrowser*>()->toPlainText().contains(u"Verrouiller le logiciel"_s));

    const QString cache = m_dir.path() + u"/cache"_s;
    QDir().mkpath(cache);
    QFile file(cache + u"/a.bin"_s);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(2048, 'x'));
    file.close();
    m_dialogs.answerNext(u"Vider les caches"_s);
    trigger(u"Vider les caches…"_s);
    EXPECT_EQ(m_dialogs.alerts.last().title, u"Caches vidés"_s);
    EXPECT_EQ(m_dialogs.alerts.last().message,
              u"Les 2.0 Ko de caches ont été supprimés avec succès."_s);
    EXPECT_FALSE(QFile::exists(file.fileName()));
}

} // namespace
} // namespace velmora::gui::test
