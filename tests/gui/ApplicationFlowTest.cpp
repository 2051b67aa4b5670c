// The application driven as a person would: the session list, opening a
// protected session, its lock screen and recovery, locking the running
// session, logging out, the menus and the quitting rules.

#include "AppFixture.h"

#include "core/model/NewSession.h"
#include "core/security/AccessCode.h"
#include "gui/common/AnimatedStack.h"
#include "gui/help/HelpWindow.h"
#include "gui/launch/LockView.h"
#include "gui/main/Workspace.h"
#include "gui/settings/SettingsWindow.h"

#include <QComboBox>
#include <QListWidget>
#include <QMenu>
#include <QStatusBar>
#include <QTextBrowser>

namespace velmora::gui::test {

QString AppFixture::writeUserSession(const QString& name, const QString& code,
                                     const QList<std::pair<QString, QString>>& questions) {
    AppDatabase db = newSessionContents();
    db.sessionName = name;
    db.preferences.appPassword = code;
    db.sessionProfileImageName = QStringLiteral("image_informatique");
    for (const auto& [question, answer] : questions)
        db.securityQuestions.append({QUuid::createUuid(), question, answerDigest(answer)});
    const QString path =
        m_dir.path() + QStringLiteral("/Documents/") + name + QStringLiteral(".cdb");
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(encodeSession(db, SessionFormat::Compact));
    return path;
}

namespace {

const QString kQuestion = QStringLiteral("Dans quelle ville êtes-vous né ?");

class ApplicationFlowTest : public AppFixture {
protected:
    // A protected session opened once, so that it is listed and known.
    QString openProtectedSession() {
        const QString path =
            writeUserSession(QStringLiteral("Atelier Lumière"), QStringLiteral("s3cret"),
                             {{kQuestion, QStringLiteral("Paris")}});
        startApp();
        openFromList(path);
        EXPECT_EQ(m_app->launch().phase(), LaunchPhase::Phase::lockScreen);
        submitCode(QStringLiteral("s3cret"));
        EXPECT_EQ(screen(), MainWindow::Screen::session);
        m_dialogs.alerts.clear();
        return path;
    }
};

TEST_F(ApplicationFlowTest, AFirstStartShowsTheWizardAndTheListOnceASessionIsKnown) {
    startApp();
    EXPECT_EQ(m_app->launch().phase(), LaunchPhase::Phase::onboarding);
    EXPECT_TRUE(m_app->launchState().onboardingInProgress());

    const QString path = writeUserSession(QStringLiteral("Studio"), QString());
    m_dialogs.chooseNext(QUrl::fromLocalFile(path));
    trigger(QStringLiteral("Ouvrir une base de données…"));
    // Opening during a creation asks first.
    ASSERT_EQ(m_dialogs.alerts.size(), 1);
    EXPECT_EQ(m_dialogs.alerts[0].title, QStringLiteral("Ouvrir cette session ?"));
    EXPECT_EQ(screen(), MainWindow::Screen::launch);

    m_dialogs.answerNext(m_dialogs.alerts[0].buttons[0].text);
    m_dialogs.chooseNext(QUrl::fromLocalFile(path));
    trigger(QStringLiteral("Ouvrir une base de données…"));
    EXPECT_EQ(screen(), MainWindow::Screen::session);
    EXPECT_FALSE(m_app->launchState().onboardingInProgress());
    EXPECT_EQ(window().workspace().currentSection(), QStringLiteral("dashboard"));

    restartApp();
    EXPECT_EQ(m_app->launch().phase(), LaunchPhase::Phase::sessionPicker);
    auto* card = find<QAbstractButton>(QStringLiteral("sessionCard0"));
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->text(), QStringLiteral("Studio"));
}

// A new user's first run: the wizard with a code and two questions, the
// session on disk and listed, then a restart that asks for the code.
TEST_F(ApplicationFlowTest, TheWizardCreatesAProtectedSessionThatReopensThroughItsLock) {
    AnimatedStack::setAnimationsEnabled(false);
    startApp();
    ASSERT_EQ(m_app->launch().phase(), LaunchPhase::Phase::onboarding);
    click(QStringLiteral("wizardContinue"));
    type(QStringLiteral("sessionNameField"), QStringLiteral("Atelier Lumière"));
    click(QStringLiteral("presetPicture_image_photographie"));
    click(QStringLiteral("wizardContinue"));
    const QString path = m_dir.path() + QStringLiteral("/Atelier.cdb");
    m_dialogs.chooseNext(QUrl::fromLocalFile(path));
    click(QStringLiteral("chooseLocationButton"));
    click(QStringLiteral("wizardContinue"));
    ASSERT_TRUE(QFile::exists(path));

    type(QStringLiteral("accessCodeField"), QStringLiteral("1234"));
    type(QStringLiteral("accessCodeConfirmField"), QStringLiteral("1234"));
    click(QStringLiteral("wizardContinue"));
    find<QComboBox>(QStringLiteral("questionCombo0"))->setCurrentIndex(2);
    type(QStringLiteral("answerField0"), QStringLiteral("Paris"));
    click(QStringLiteral("addQuestionButton"));
    find<QComboBox>(QStringLiteral("questionCombo1"))->setCurrentIndex(9);
    type(QStringLiteral("answerField1"), QStringLiteral("Gratin"));
    click(QStringLiteral("wizardContinue"));
    click(QStringLiteral("wizardContinue"));
    click(QStringLiteral("skipCompanyButton"));
    click(QStringLiteral("startButton"));

    ASSERT_EQ(screen(), MainWindow::Screen::session);
    EXPECT_FALSE(m_app->launchState().onboardingInProgress());
    ASSERT_EQ(m_app->recentFiles().entries().size(), 1);
    EXPECT_EQ(m_app->recentFiles().entries()[0].urlString,
              RecentFilesStore::urlText(QUrl::fromLocalFile(path)));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray saved = file.readAll();
    EXPECT_TRUE(saved.contains("\"appPassword\":\"1234\""));
    EXPECT_EQ(saved.count("\"answerHash\""), 2);

    restartApp();
    ASSERT_EQ(m_app->launch().phase(), LaunchPhase::Phase::sessionPicker);
    EXPECT_EQ(find<QAbstractButton>(QStringLiteral("sessionCard0"))->text(),
              QStringLiteral("Atelier Lumière"));
    click(QStringLiteral("sessionCard0"));
    submitCode(QStringLiteral("0000"));
    EXPECT_EQ(visibleText(QStringLiteral("lockError")), QStringLiteral("Code incorrect."));
    submitCode(QStringLiteral("1234"));
    EXPECT_EQ(screen(), MainWindow::Screen::session);
    EXPECT_EQ(m_app->store().sessionName(), QStringLiteral("Atelier Lumière"));
}

// A file that cannot be read, opened over the wizard, is reported there with
// the reason the file system or the decoder gave, and the creation goes on.
TEST_F(ApplicationFlowTest, AnUnreadableFileIsReportedWithItsReason) {
    startApp();
    const auto write = [this](const QString& name, const QByteArray& bytes) {
        QFile file(m_dir.path() + QLatin1Char('/') + name);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    QDir().mkpath(m_dir.path() + QStringLiteral("/Dossier.cdb"));
    const QString unreadable = QStringLiteral("Fichier de session illisible : ");
    const struct {
        QString path;
        QString reason;
    } cases[] = {
        {m_dir.path() + QStringLiteral("/Absent.cdb"),
         QStringLiteral("Le fichier « Absent.cdb » est introuvable.")},
        {m_dir.path() + QStringLiteral("/Dossier.cdb"),
         QStringLiteral("Le fichier « Dossier.cdb » n'a pas pu être ouvert : c'est un dossier.")},
        {write(QStringLiteral("Vide.cdb"), ""), unreadable + QStringLiteral("le fichier est vide")},
        {write(QStringLiteral("Texte.cdb"), "Bonjour"),
         unreadable + QStringLiteral("ce n'est pas un document JSON valide")},
        {write(QStringLiteral("Coupé.cdb"), "{\"sessionName\":\"Atelier\",\"clients\":["),
         unreadable + QStringLiteral("fichier tronqué (le document s'arrête avant sa fin)")},
        {write(QStringLiteral("Abîmé.cdb"), "{\"sessionName\":\"Ateli"),
         unreadable + QStringLiteral("texte non terminé")},
    };
    for (const auto& c : cases) {
        m_dialogs.answerNext(SessionFlows::abandonCreationAlert().buttons.first().text);
        m_dialogs.chooseNext(QUrl::fromLocalFile(c.path));
        trigger(QStringLiteral("Ouvrir une base de données…"));
        ASSERT_FALSE(m_dialogs.alerts.isEmpty());
        EXPECT_EQ(m_dialogs.alerts.last().message,
                  QStringLiteral("Erreur lors du chargement de la session."));
        EXPECT_EQ(m_dialogs.alerts.last().informativeText, c.reason);
        EXPECT_TRUE(m_app->wizard().inProgress());
        EXPECT_EQ(m_app->launch().phase(), LaunchPhase::Phase::onboarding);
    }
    EXPECT_TRUE(m_app->recentFiles().entries().isEmpty());
}

TEST_F(ApplicationFlowTest, RestartUnlocksWithTheCodeOnlyAndOpensOnTheDashboard) {
    openProtectedSession();
    window().workspace().showSection(QStringLiteral("clients"));
    restartApp();
    EXPECT_EQ(screen(), MainWindow::Screen::launch);
    click(QStringLiteral("sessionCard0"));
    EXPECT_EQ(m_app->launch().phase(), LaunchPhase::Phase::lockScreen);

    // Letter case counts; surrounding spaces do not.
    submitCode(QStringLiteral("S3CRET"));
    EXPECT_EQ(visibleText(QStringLiteral("lockError")), QStringLiteral("Code incorrect."));
    EXPECT_EQ(screen(), MainWindow::Screen::launch);
    // Saving or exporting a session nobody unlocked is not offered.
    EXPECT_FALSE(window().action(QStringLiteral("Enregistrer sous…"))->isEnabled());

    type(QStringLiteral("lockCodeField"), QStringLiteral("  s3cret "));
    QTest::keyClick(find<QLineEdit>(QStringLiteral("lockCodeField")), Qt::Key_Return);
    EXPECT_EQ(screen(), MainWindow::Screen::session);
    EXPECT_EQ(window().workspace().currentSection(), QStringLiteral("dashboard"));
    EXPECT_TRUE(window().action(QStringLiteral("Enregistrer sous…"))->isEnabled());
}

TEST_F(ApplicationFlowTest, RecoveryThroughAQuestionSetsANewCode) {
    const QString path = openProtectedSession();
    restartApp();
    click(QStringLiteral("sessionCard0"));
    click(QStringLiteral("lockForgot"));
    click(QStringLiteral("recoveryQuestion0"));

    type(QStringLiteral("recoveryAnswer"), QStringLiteral("Pàris"));
    click(QStringLiteral("recoveryCheckAnswer"));
    EXPECT_EQ(visibleText(QStringLiteral("recoveryAnswerError")),
              QStringLiteral("Réponse incorrecte. Vérifiez la casse et les espaces."));

    type(QStringLiteral("recoveryAnswer"), QStringLiteral("  paris "));
    click(QStringLiteral("recoveryCheckAnswer"));
    type(QStringLiteral("recoveryNewCode"), QStringLiteral("nouveau"));
    type(QStringLiteral("recoveryConfirmation"), QStringLiteral("nouveaU"));
    click(QStringLiteral("recoverySave"));
    EXPECT_EQ(visibleText(QStringLiteral("recoveryNewCodeError")),
              QStringLiteral("Les codes ne correspondent pas."));
    type(QStringLiteral("recoveryConfirmation"), QStringLiteral("nouveau"));
    click(QStringLiteral("recoverySave"));
    click(QStringLiteral("recoveryUnlockNow"));

    // Back on the lock: the old code no longer opens, the new one does.
    submitCode(QStringLiteral("s3cret"));
    EXPECT_EQ(visibleText(QStringLiteral("lockError")), QStringLiteral("Code incorrect."));
    submitCode(QStringLiteral("nouveau"));
    EXPECT_EQ(screen(), MainWindow::Screen::session);

    // The new code is in the user's own file, not only in memory.
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("\"appPassword\":\"nouveau\""));
}

TEST_F(ApplicationFlowTest, LockingTheRunningSessionHidesItUntilTheCodeIsTyped) {
    openProtectedSession();
    window().workspace().showSection(QStringLiteral("documents"));
    trigger(QStringLiteral("Verrouiller le logiciel"));
    EXPECT_EQ(screen(), MainWindow::Screen::locked);
    for (const QString& title : {QStringLiteral("Enregistrer"), QStringLiteral("Enregistrer sous…"),
                                 QStringLiteral("Se déconnecter"), QStringLiteral("Réglages…")})
        EXPECT_FALSE(window().action(title)->isEnabled()) << title.toStdString();

    submitCode(QStringLiteral("faux"));
    EXPECT_EQ(visibleText(QStringLiteral("lockError")), QStringLiteral("Code incorrect."));
    EXPECT_EQ(screen(), MainWindow::Screen::locked);
    submitCode(QStringLiteral("s3cret"));
    EXPECT_EQ(screen(), MainWindow::Screen::session);
    EXPECT_EQ(window().workspace().currentSection(), QStringLiteral("dashboard"));
}

TEST_F(ApplicationFlowTest, ASessionWithoutCodeCannotBeLocked) {
    const QString path = writeUserSession(QStringLiteral("Libre"), QString());
    startApp();
    openFromList(path);
    ASSERT_EQ(screen(), MainWindow::Screen::session);
    EXPECT_FALSE(window().action(QStringLiteral("Verrouiller le logiciel"))->isEnabled());
}

TEST_F(ApplicationFlowTest, LoggingOutAsksSavesAndReturnsToTheList) {
    openProtectedSession();
    // Cancelled: nothing happens.
    trigger(QStringLiteral("Se déconnecter"));
    ASSERT_EQ(m_dialogs.alerts.size(), 1);
    EXPECT_EQ(m_dialogs.alerts[0].title, QStringLiteral("Se déconnecter ?"));
    EXPECT_EQ(m_dialogs.alerts[0].message,
              QStringLiteral("La session actuelle sera sauvegardée automatiquement. Vous "
                             "reviendrez à l'écran de sélection des sessions."));
    EXPECT_EQ(screen(), MainWindow::Screen::session);

    m_dialogs.answerNext(QStringLiteral("Se déconnecter"));
    trigger(QStringLiteral("Se déconnecter"));
    EXPECT_EQ(screen(), MainWindow::Screen::launch);
    EXPECT_EQ(m_app->launch().phase(), LaunchPhase::Phase::sessionPicker);
    EXPECT_EQ(find<QAbstractButton>(QStringLiteral("sessionCard0"))->text(),
              QStringLiteral("Atelier Lumière"));
}

TEST_F(ApplicationFlowTest, SwitchingSessionSavesAndGoesThroughTheOtherLock) {
    const QString first = writeUserSession(QStringLiteral("Première"), QString());
    const QString second = writeUserSession(QStringLiteral("Seconde"), QStringLiteral("1234"));
    startApp();
    openFromList(second);
    submitCode(QStringLiteral("1234"));
    // Back to the list, open the first: two sessions are now listed.
    m_dialogs.answerNext(QStringLiteral("Se déconnecter"));
    trigger(QStringLiteral("Se déconnecter"));
    openFromList(first);
    ASSERT_EQ(screen(), MainWindow::Screen::session);

    // The open session is left out of "Ouvert récemment".
    auto* recent = window().findChild<QMenu*>(QStringLiteral("recentMenu"));
    ASSERT_NE(recent, nullptr);
    emit recent->aboutToShow();
    QStringList titles;
    for (QAction* a : recent->actions())
        titles << a->text();
    EXPECT_EQ(titles.first(), QStringLiteral("Seconde — Seconde.cdb"));
    EXPECT_FALSE(titles.contains(QStringLiteral("Première — Première.cdb")));

    m_dialogs.answerNext(QStringLiteral("Changer de session"));
    recent->actions().first()->trigger();
    EXPECT_EQ(m_dialogs.alerts.last().title, QStringLiteral("Changer de session ?"));
    EXPECT_EQ(m_app->launch().phase(), LaunchPhase::Phase::lockScreen);
    EXPECT_EQ(m_app->store().sessionName(), QStringLiteral("Seconde"));
}

// "Nouvelle session" from a session, then a recent one chosen instead:
// the creation is given up only when asked, and the session opens.
TEST_F(ApplicationFlowTest, ARecentSessionChosenDuringACreationAsksFirst) {
    openProtectedSession();
    trigger(QStringLiteral("Nouvelle session"));
    ASSERT_EQ(m_app->launch().phase(), LaunchPhase::Phase::onboarding);
    ASSERT_TRUE(m_app->wizard().inProgress());
    const RecentEntry entry = m_app->recentFiles().entries().first();

    m_app->dispatcher().postOpenRecent(entry);
    EXPECT_EQ(m_dialogs.alerts.last().title, QStringLiteral("Ouvrir cette session ?"));
    EXPECT_TRUE(m_app->wizard().inProgress());

    m_dialogs.answerNext(SessionFlows::abandonCreationAlert().buttons.first().text);
    m_app->dispatcher().postOpenRecent(entry);
    EXPECT_FALSE(m_app->wizard().inProgress());
    EXPECT_EQ(m_app->launch().phase(), LaunchPhase::Phase::lockScreen);
    EXPECT_EQ(m_app->store().sessionName(), QStringLiteral("Atelier Lumière"));
}

// A session file opened from the file manager while a session is open: the
// second start hands it over; the same file is only said to be open, another
// one is switched to as from the recent menu.
TEST_F(ApplicationFlowTest, AFileFromTheFileManagerAsksBeforeReplacingTheSession) {
    const QString other = writeUserSession(QStringLiteral("Seconde"), QStringLiteral("1234"));
    const QString path = openProtectedSession();
    m_app->store().setSessionName(QStringLiteral("Atelier Nord"));
    m_app->receiveFiles({QUrl::fromLocalFile(path)});
    ASSERT_EQ(m_dialogs.alerts.size(), 1);
    EXPECT_EQ(m_dialogs.alerts[0].title, QStringLiteral("Session déjà ouverte"));
    EXPECT_EQ(m_dialogs.alerts[0].message,
              QStringLiteral("Ce fichier correspond à la session actuellement active."));

    m_app->receiveFiles({QUrl::fromLocalFile(other)});
    ASSERT_EQ(m_dialogs.alerts.size(), 2);
    EXPECT_EQ(m_dialogs.alerts[1], SessionFlows::switchSessionAlert());
    EXPECT_EQ(m_dialogs.alerts[1].title, QStringLiteral("Changer de session ?"));
    EXPECT_EQ(screen(), MainWindow::Screen::session);
    EXPECT_EQ(m_app->store().sessionName(), QStringLiteral("Atelier Nord"));

    m_dialogs.answerNext(QStringLiteral("Changer de session"));
    m_app->receiveFiles({QUrl::fromLocalFile(other)});
    EXPECT_EQ(m_app->launch().phase(), LaunchPhase::Phase::lockScreen);
    EXPECT_EQ(m_app->store().sessionName(), QStringLiteral("Seconde"));
    // The session left was saved into its own file first.
    QFile left(path);
    ASSERT_TRUE(left.open(QIODevice::ReadOnly));
    EXPECT_TRUE(left.readAll().contains("Atelier Nord"));
}

TEST_F(ApplicationFlowTest, ARecentMenuWithOnlyTheOpenSessionSaysSo) {
    openProtectedSession();
    auto* recent = window().findChild<QMenu*>(QStringLiteral("recentMenu"));
    emit recent->aboutToShow();
    const QList<QAction*> actions = recent->actions();
    ASSERT_EQ(actions.size(), 3);
    EXPECT_EQ(actions[0]->text(), QStringLiteral("Aucun fichier récent"));
    EXPECT_FALSE(actions[0]->isEnabled());
    EXPECT_EQ(actions[2]->text(), QStringLiteral("Effacer les éléments récents"));
    actions[2]->trigger();
    EXPECT_TRUE(m_app->recentFiles().entries().isEmpty());
}

TEST_F(ApplicationFlowTest, QuittingDuringCreationAsksAndContinuerKeepsTheWindow) {
    startApp();
    window().show();
    ASSERT_TRUE(m_app->launchState().onboardingInProgress());
    m_dialogs.answerNext(QStringLiteral("Continuer"));
    EXPECT_FALSE(window().close());
    EXPECT_EQ(m_dialogs.alerts.last().title, QStringLiteral("Quitter la création de session ?"));
    EXPECT_TRUE(window().isVisible());

    m_dialogs.answerNext(QStringLiteral("Quitter quand même"));
    EXPECT_TRUE(window().close());
    EXPECT_FALSE(m_app->launchState().onboardingInProgress());
}

TEST_F(ApplicationFlowTest, QuittingAnOpenSessionAsksNothing) {
    openProtectedSession();
    const qsizetype asked = m_dialogs.alerts.size();
    EXPECT_TRUE(window().close());
    EXPECT_EQ(m_dialogs.alerts.size(), asked);
}

TEST_F(ApplicationFlowTest, AMirrorThatFailsIsShownInTheStatusBar) {
    const QString path = openProtectedSession();
    m_fs.failOnPath(velmora::test::FaultyFileSystem::Op::Write, QStringLiteral("/Documents/"));
    m_app->store().save();
    const QString status = find<QLabel>(QStringLiteral("saveStatus"))->text();
    EXPECT_TRUE(status.startsWith(QStringLiteral("Le fichier « Atelier Lumière.cdb » n'a pas pu "
                                                 "être mis à jour : ")))
        << status.toStdString();

    m_fs.heal();
    m_app->store().save();
    EXPECT_EQ(find<QLabel>(QStringLiteral("saveStatus"))->text(), QString());
    QFile mirror(path);
    ASSERT_TRUE(mirror.open(QIODevice::ReadOnly));
    EXPECT_TRUE(mirror.readAll().contains("Atelier Lumi"));
}

TEST_F(ApplicationFlowTest, AFullDiskOffersToMoveTheSession) {
    openProtectedSession();
    // The application's own folder is full; another disk has room.
    m_fs.failOnPath(velmora::test::FaultyFileSystem::Op::Write, QStringLiteral("/data/"),
                    QStringLiteral("No space left on device"));
    const QString rescue = m_dir.path() + QStringLiteral("/Rescue");
    QDir().mkpath(rescue);
    m_dialogs.answerNext(QStringLiteral("Choisir un emplacement…"));
    m_dialogs.chooseNext(QUrl::fromLocalFile(rescue));
    trigger(QStringLiteral("Enregistrer"));

    ASSERT_EQ(m_dialogs.alerts.size(), 2);
    EXPECT_EQ(m_dialogs.alerts[0].title, QStringLiteral("Enregistrement impossible"));
    EXPECT_TRUE(m_dialogs.alerts[0].message.endsWith(QStringLiteral(
        "Voulez-vous copier votre base de données vers un emplacement disposant de plus "
        "d'espace, puis continuer à travailler depuis ce fichier ?")));
    EXPECT_EQ(m_dialogs.panels.last().title, QStringLiteral("Choisir l'emplacement de sauvegarde"));
    EXPECT_EQ(m_dialogs.alerts[1].title, QStringLiteral("Fichier déplacé"));
    EXPECT_TRUE(QFile::exists(rescue + QStringLiteral("/Session sans titre.cdb")));
    const QString moved = RecentFilesStore::urlText(
        QUrl::fromLocalFile(rescue + QStringLiteral("/Session sans titre.cdb")));
    EXPECT_EQ(m_app->flows().currentSessionUrlString(), moved);
    EXPECT_EQ(m_app->menuState().currentSessionURLString(), std::optional(moved));
}

// A setting that cannot be saved for lack of space leads to the same rescue
// as the save command.
TEST_F(ApplicationFlowTest, ASettingThatDoesNotFitOffersTheRescueToo) {
    openProtectedSession();
    trigger(QStringLiteral("Réglages…"));
    auto* settings = window().findChild<SettingsWindow*>();
    ASSERT_NE(settings, nullptr);
    m_fs.failOnPath(velmora::test::FaultyFileSystem::Op::Write, QStringLiteral("/data/"),
                    QStringLiteral("No space left on device"));
    const QString rescue = m_dir.path() + QStringLiteral("/Rescue");
    QDir().mkpath(rescue);
    m_dialogs.answerNext(QStringLiteral("Choisir un emplacement…"));
    m_dialogs.chooseNext(QUrl::fromLocalFile(rescue));
    auto* light = settings->findChild<QAbstractButton*>(QStringLiteral("appearanceLight"));
    ASSERT_NE(light, nullptr);
    light->click();

    ASSERT_GE(m_dialogs.alerts.size(), 2);
    EXPECT_EQ(m_dialogs.alerts.first().title, QStringLiteral("Enregistrement impossible"));
    EXPECT_EQ(m_dialogs.alerts.last().title, QStringLiteral("Fichier déplacé"));
    EXPECT_TRUE(QFile::exists(rescue + QStringLiteral("/Session sans titre.cdb")));
}

TEST_F(ApplicationFlowTest, TheSidebarFollowsTheSessionsMenuItems) {
    openProtectedSession();
    EXPECT_EQ(window().workspace().sectionKeys(),
              (QStringList{"dashboard", "clients", "projects", "documents", "services", "stock",
                           "accounting", "calendar", "externalTools"}));
    AppPreferences prefs = m_app->store().preferences();
    prefs.sidebarMenuItems = SidebarMenuItemConfig::defaults();
    std::swap(prefs.sidebarMenuItems[1], prefs.sidebarMenuItems[3]);
    prefs.sidebarMenuItems[2].isEnabled = false;
    prefs.sidebarMenuItems[3].displayName = QStringLiteral("Mes clients");
    m_app->store().setPreferences(prefs);
    EXPECT_EQ(window().workspace().sectionKeys(),
              (QStringList{"dashboard", "documents", "clients", "services", "stock", "accounting",
                           "calendar", "externalTools"}));
    auto* list = find<QListWidget>(QStringLiteral("sectionList"));
    EXPECT_EQ(list->item(2)->text(), QStringLiteral("Mes clients"));
}

TEST_F(ApplicationFlowTest, HelpAndCachesAreOfferedFromTheStart) {
    startApp();
    trigger(QStringLiteral("Aide Velmora Core"));
    auto* help = window().findChild<HelpWindow*>();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->windowTitle(), QStringLiteral("Aide Velmora Core"));
    EXPECT_TRUE(help->findChild<QTextBrowser*>()->toPlainText().contains(
        QStringLiteral("Verrouiller le logiciel")));

    const QString cache = m_dir.path() + QStringLiteral("/cache");
    QDir().mkpath(cache);
    QFile file(cache + QStringLiteral("/a.bin"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(2048, 'x'));
    file.close();
    m_dialogs.answerNext(QStringLiteral("Vider les caches"));
    trigger(QStringLiteral("Vider les caches…"));
    EXPECT_EQ(m_dialogs.alerts.last().title, QStringLiteral("Caches vidés"));
    EXPECT_EQ(m_dialogs.alerts.last().message,
              QStringLiteral("Les 2.0 Ko de caches ont été supprimés avec succès."));
    EXPECT_FALSE(QFile::exists(file.fileName()));
}

} // namespace
} // namespace velmora::gui::test
