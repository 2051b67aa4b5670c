#include "LaunchTestFixture.h"

using namespace velmora;
using velmora::test::FaultyFileSystem;
using Phase = LaunchPhase::Phase;

namespace {

const AlertButton kCancel{QStringLiteral("Annuler"), AlertRole::cancel};
const AlertButton kOk{QStringLiteral("OK"), AlertRole::defaultAction};

class SessionFlowsTest : public velmora::test::LaunchFixture {
protected:
    // Opens a session from the list, as the user would, and returns its file.
    QUrl openSession(const QString& fileName, const QString& name,
                     const QString& code = QString()) {
        const QUrl url = sessionFile(fileName, name, code);
        EXPECT_EQ(launch->openRecent(listed(url)), std::nullopt);
        return url;
    }
    void rename(const QString& name) { store->setSessionName(name); }
};

TEST_F(SessionFlowsTest, OpeningTheOpenSessionOrDuringACreationAsksFirst) {
    const QUrl open = openSession(QStringLiteral("open.cdb"), QStringLiteral("Ouverte"));
    const std::optional<Alert> same = flows->checkBeforeOpening(open);
    ASSERT_TRUE(same);
    EXPECT_EQ(same->title, QStringLiteral("Session déjà ouverte"));
    EXPECT_EQ(same->message,
              QStringLiteral("Ce fichier correspond à la session actuellement active."));
    EXPECT_EQ(same->buttons, QList<AlertButton>{kOk});

    const QUrl other = sessionFile(QStringLiteral("other.cdb"), QStringLiteral("Autre"));
    EXPECT_EQ(flows->checkBeforeOpening(other), std::nullopt);

    launch->startCreation();
    const std::optional<Alert> creating = flows->checkBeforeOpening(other);
    ASSERT_TRUE(creating);
    EXPECT_EQ(creating->title, QStringLiteral("Ouvrir cette session ?"));
    EXPECT_EQ(creating->message,
              QStringLiteral("Une création de session est en cours. Voulez-vous l'abandonner et "
                             "ouvrir ce fichier ? La progression non enregistrée sera perdue."));
    EXPECT_EQ(creating->buttons,
              (QList<AlertButton>{{QStringLiteral("Ouvrir"), AlertRole::destructive}, kCancel}));
}

TEST_F(SessionFlowsTest, SwitchingSavesTheCurrentSessionThenOpensTheOtherLocked) {
    const Alert ask = SessionFlows::switchSessionAlert();
    EXPECT_EQ(ask.title, QStringLiteral("Changer de session ?"));
    EXPECT_EQ(ask.message,
              QStringLiteral("La session actuelle sera sauvegardée automatiquement. Vous serez "
                             "redirigé vers l'écran de déverrouillage de l'autre session."));
    EXPECT_EQ(ask.buttons.last(), kCancel);

    const QUrl first = openSession(QStringLiteral("first.cdb"), QStringLiteral("Première"));
    rename(QStringLiteral("Première, modifiée"));
    const RecentEntry second = listed(
        sessionFile(QStringLiteral("second.cdb"), QStringLiteral("Seconde"), QStringLiteral("42")));

    EXPECT_EQ(flows->switchTo(second), std::nullopt);
    EXPECT_EQ(readSession(first.toLocalFile()).sessionName, QStringLiteral("Première, modifiée"));
    EXPECT_EQ(launch->phase(), Phase::lockScreen);
    EXPECT_EQ(store->sessionName(), QStringLiteral("Seconde"));
}

TEST_F(SessionFlowsTest, ASwitchWhoseSaveFailsStaysOnTheCurrentSession) {
    openSession(QStringLiteral("first.cdb"), QStringLiteral("Première"));
    const RecentEntry second =
        listed(sessionFile(QStringLiteral("second.cdb"), QStringLiteral("Seconde")));
    m_fs.failOn(FaultyFileSystem::Op::Write, QStringLiteral("Permission denied"));
    const std::optional<Alert> failed = flows->switchTo(second);
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->title, QStringLiteral("Enregistrement impossible"));
    EXPECT_EQ(store->sessionName(), QStringLiteral("Première"));
}

TEST_F(SessionFlowsTest, LoggingOutSavesAndReturnsToTheList) {
    const Alert ask = SessionFlows::logOutAlert();
    EXPECT_EQ(ask.title, QStringLiteral("Se déconnecter ?"));
    EXPECT_EQ(ask.message, QStringLiteral("La session actuelle sera sauvegardée automatiquement. "
                                          "Vous reviendrez à l'écran de sélection des sessions."));

    const QUrl url = openSession(QStringLiteral("s.cdb"), QStringLiteral("S"));
    rename(QStringLiteral("S2"));
    QStringList texts;
    QObject::connect(launch.get(), &LaunchPhase::phaseChanged, [&] {
        if (launch->phase() == Phase::loading)
            texts.append(launch->statusText());
    });
    EXPECT_EQ(flows->logOut(), std::nullopt);
    EXPECT_EQ(texts, QStringList{QStringLiteral("Déconnexion en cours…")});
    EXPECT_EQ(launch->phase(), Phase::sessionPicker);
    EXPECT_EQ(readSession(url.toLocalFile()).sessionName, QStringLiteral("S2"));
}

TEST_F(SessionFlowsTest, ALogOutWhoseSaveFailsKeepsTheSessionOpen) {
    openSession(QStringLiteral("s.cdb"), QStringLiteral("S"));
    m_fs.failOn(FaultyFileSystem::Op::Write);
    const std::optional<Alert> failed = flows->logOut();
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->title, QStringLiteral("Enregistrement impossible"));
    EXPECT_EQ(launch->phase(), Phase::sessionOpen);
}

TEST_F(SessionFlowsTest, ExportReportsThePathOrTheReason) {
    openSession(QStringLiteral("s.cdb"), QStringLiteral("S"));
    const QString target = path(QStringLiteral("Export/Session sans titre.cdb"));
    QDir().mkpath(path(QStringLiteral("Export")));
    const Alert done = flows->exportTo(QUrl::fromLocalFile(target));
    EXPECT_EQ(done.message, QStringLiteral("Base de données exportée dans :\n") + target);
    EXPECT_EQ(done.buttons, QList<AlertButton>{kOk});
    EXPECT_EQ(readSession(target).sessionName, QStringLiteral("S"));

    m_fs.failOn(FaultyFileSystem::Op::Write, QStringLiteral("Permission denied"));
    const Alert failed = flows->exportTo(QUrl::fromLocalFile(target));
    EXPECT_EQ(failed.title, QStringLiteral("Export impossible"));
    EXPECT_EQ(failed.message, QStringLiteral("« %1 » : Permission denied").arg(target));

    const FilePanel panel = SessionFlows::exportPanel();
    EXPECT_EQ(panel.title, QStringLiteral("Exporter la base de données"));
    EXPECT_EQ(panel.prompt, QStringLiteral("Exporter"));
    EXPECT_EQ(panel.proposedName, QStringLiteral("Session sans titre.cdb"));
}

TEST_F(SessionFlowsTest, AnExplicitSaveSaysItWorkedOrWhyNot) {
    openSession(QStringLiteral("s.cdb"), QStringLiteral("S"));
    const Alert done = flows->save();
    EXPECT_EQ(done.message, QStringLiteral("La base de données a été sauvegardée."));
    EXPECT_EQ(done.kind, Alert::Kind::information);

    m_fs.failOn(FaultyFileSystem::Op::Write, QStringLiteral("Permission denied"));
    const Alert failed = flows->save();
    EXPECT_EQ(failed.kind, Alert::Kind::error);
    EXPECT_EQ(failed.title, QStringLiteral("Enregistrement impossible"));
    EXPECT_EQ(failed.message, QStringLiteral("« %1 » : Permission denied").arg(workingCopy()));
    EXPECT_EQ(failed.buttons, QList<AlertButton>{kOk});
}

TEST_F(SessionFlowsTest, AFullDiskOffersToCopyTheSessionElsewhere) {
    openSession(QStringLiteral("s.cdb"), QStringLiteral("S"));
    m_fs.failOn(FaultyFileSystem::Op::Write); // "No space left on device"
    const Alert failed = flows->save();
    EXPECT_EQ(failed.title, QStringLiteral("Enregistrement impossible"));
    EXPECT_EQ(failed.message,
              QStringLiteral("« %1 » : No space left on device").arg(workingCopy()) +
                  QStringLiteral("\n\nVoulez-vous copier votre base de données vers un "
                                 "emplacement disposant de plus d'espace, puis continuer à "
                                 "travailler depuis ce fichier ?"));
    EXPECT_EQ(failed.buttons,
              (QList<AlertButton>{
                  {QStringLiteral("Choisir un emplacement…"), AlertRole::defaultAction}, kCancel}));

    const FilePanel panel = SessionFlows::rescueFolderPanel();
    EXPECT_EQ(panel.mode, FilePanel::Mode::chooseFolder);
    EXPECT_EQ(panel.title, QStringLiteral("Choisir l'emplacement de sauvegarde"));
    EXPECT_EQ(panel.prompt, QStringLiteral("Enregistrer"));
    EXPECT_EQ(panel.message,
              QStringLiteral("Choisissez un dossier disposant de suffisamment d'espace disque."));
    EXPECT_TRUE(panel.canCreateFolders);
}

TEST_F(SessionFlowsTest, TheRescueCopyBecomesTheSessionsFileWithoutReplacingAnother) {
    openSession(QStringLiteral("s.cdb"), QStringLiteral("Sauvée"));
    const QString folder = path(QStringLiteral("Clé USB"));
    writeBytes(folder + QStringLiteral("/Session sans titre.cdb"),
               QByteArray("le fichier d'un autre"));

    m_fs.failOn(FaultyFileSystem::Op::Write);
    const Alert copyFailed = flows->rescueTo(QUrl::fromLocalFile(folder));
    EXPECT_EQ(copyFailed.title, QStringLiteral("Copie impossible"));
    EXPECT_TRUE(copyFailed.message.endsWith(QStringLiteral("No space left on device")));
    m_fs.heal();

    const Alert moved = flows->rescueTo(QUrl::fromLocalFile(folder));
    const QString copy = folder + QStringLiteral("/Session sans titre 2.cdb");
    EXPECT_EQ(moved.title, QStringLiteral("Fichier déplacé"));
    EXPECT_EQ(moved.message,
              QStringLiteral("La base de données est maintenant enregistrée dans :\n") + copy);
    store->waitForBackgroundSaves();
    EXPECT_EQ(readBytes(folder + QStringLiteral("/Session sans titre.cdb")),
              QByteArray("le fichier d'un autre"));
    EXPECT_EQ(readSession(copy).sessionName, QStringLiteral("Sauvée"));
    EXPECT_EQ(store->defaultCDBFileURL(), QUrl::fromLocalFile(copy));
    EXPECT_EQ(flows->currentSessionUrlString(),
              RecentFilesStore::urlText(QUrl::fromLocalFile(copy)));
    EXPECT_EQ(recent->entries().first().urlString, flows->currentSessionUrlString());
}

TEST_F(SessionFlowsTest, QuittingDuringACreationAsksToConfirm) {
    const Alert ask = SessionFlows::quitDuringCreationAlert();
    EXPECT_EQ(ask.title, QStringLiteral("Quitter la création de session ?"));
    EXPECT_EQ(ask.message,
              QStringLiteral("Une nouvelle session est en cours de création. Si vous fermez "
                             "maintenant, votre progression ne sera pas enregistrée."));
    EXPECT_EQ(ask.buttons,
              (QList<AlertButton>{{QStringLiteral("Quitter quand même"), AlertRole::destructive},
                                  {QStringLiteral("Continuer"), AlertRole::cancel}}));
}

} // namespace
