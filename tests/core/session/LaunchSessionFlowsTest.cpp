#include "LaunchTestFixture.h"
#include "support/SessionChange.h"

using namespace Qt::StringLiterals;

using namespace velmora;
using velmora::test::FaultyFileSystem;
using Phase = LaunchPhase::Phase;

namespace {

const AlertButton kCancel{u"Annuler"_s, AlertRole::cancel};
const AlertButton kOk{u"OK"_s, AlertRole::defaultAction};

class SessionFlowsTest : public velmora::test::LaunchFixture {
protected:
    // Opens a session from the list, as the user would, and returns its file.
    QUrl openSession(const QString& fileName, const QString& name,
                     const QString& code = QString()) {
        const QUrl url = sessionFile(fileName, name, code);
        EXPECT_EQ(launch->openRecent(listed(url)), std::nullopt);
        return url;
    }
    void rename(const QString& name) {
        test::changeSession(*store, [&](SessionEdit& e) { e.sessionName() = name; });
    }
};

TEST_F(SessionFlowsTest, OpeningTheOpenSessionOrDuringACreationAsksFirst) {
    const QUrl open = openSession(u"open.cdb"_s, u"Ouverte"_s);
    const std::optional<Alert> same = flows->checkBeforeOpening(open);
    ASSERT_TRUE(same);
    EXPECT_EQ(same->title, u"Session déjà ouverte"_s);
    EXPECT_EQ(same->message, u"Ce fichier correspond à la session actuellement active."_s);
    EXPECT_EQ(same->buttons, QList<AlertButton>{kOk});

    const QUrl other = sessionFile(u"other.cdb"_s, u"Autre"_s);
    EXPECT_EQ(flows->checkBeforeOpening(other), std::nullopt);

    launch->startCreation();
    const std::optional<Alert> creating = flows->checkBeforeOpening(other);
    ASSERT_TRUE(creating);
    EXPECT_EQ(creating->title, u"Ouvrir cette session ?"_s);
    EXPECT_EQ(creating->message,
              u"Une création de session est en cours. Voulez-vous l'abandonner et "
              "ouvrir ce fichier ? La progression non enregistrée sera perdue."_s);
    EXPECT_EQ(creating->buttons,
              (QList<AlertButton>{{u"Ouvrir"_s, AlertRole::destructive}, kCancel}));
}

TEST_F(SessionFlowsTest, SwitchingSavesTheCurrentSessionThenOpensTheOtherLocked) {
    const Alert ask = SessionFlows::switchSessionAlert();
    EXPECT_EQ(ask.title, u"Changer de session ?"_s);
    EXPECT_EQ(ask.message, u"La session actuelle sera sauvegardée automatiquement. Vous serez "
                           "redirigé vers l'écran de déverrouillage de l'autre session."_s);
    EXPECT_EQ(ask.buttons.last(), kCancel);

    const QUrl first = openSession(u"first.cdb"_s, u"Première"_s);
    rename(u"Première, modifiée"_s);
    const RecentEntry second = listed(sessionFile(u"second.cdb"_s, u"Seconde"_s, u"42"_s));

    EXPECT_EQ(flows->switchTo(second), std::nullopt);
    EXPECT_EQ(readSession(first.toLocalFile()).sessionName, u"Première, modifiée"_s);
    EXPECT_EQ(launch->phase(), Phase::lockScreen);
    EXPECT_EQ(store->sessionName(), u"Seconde"_s);
}

TEST_F(SessionFlowsTest, LoggingOutSavesAndReturnsToTheList) {
    const Alert ask = SessionFlows::logOutAlert();
    EXPECT_EQ(ask.title, u"Se déconnecter ?"_s);
    EXPECT_EQ(ask.message, u"La session actuelle sera sauvegardée automatiquement. "
                           "Vous reviendrez à l'écran de sélection des sessions."_s);

    const QUrl url = openSession(u"s.cdb"_s, u"S"_s);
    rename(u"S2"_s);
    QStringList texts;
    QObject::connect(launch.get(), &LaunchPhase::phaseChanged, [&] {
        if (launch->phase() == Phase::loading)
            texts.append(launch->statusText());
    });
    EXPECT_EQ(flows->logOut(), std::nullopt);
    EXPECT_EQ(texts, QStringList{u"Déconnexion en cours…"_s});
    EXPECT_EQ(launch->phase(), Phase::sessionPicker);
    EXPECT_EQ(readSession(url.toLocalFile()).sessionName, u"S2"_s);
}

// Leaving a session that cannot be saved would lose its changes.
TEST_F(SessionFlowsTest, ASwitchOrALogOutWhoseSaveFailsStaysOnTheSession) {
    openSession(u"first.cdb"_s, u"Première"_s);
    const RecentEntry second = listed(sessionFile(u"second.cdb"_s, u"Seconde"_s));
    m_fs.failOn(FaultyFileSystem::Op::Write, u"Permission denied"_s);
    for (const std::optional<Alert>& failed : {flows->switchTo(second), flows->logOut()}) {
        ASSERT_TRUE(failed);
        EXPECT_EQ(failed->title, u"Enregistrement impossible"_s);
        EXPECT_EQ(store->sessionName(), u"Première"_s);
        EXPECT_EQ(launch->phase(), Phase::sessionOpen);
    }
}

TEST_F(SessionFlowsTest, ExportReportsThePathOrTheReason) {
    openSession(u"s.cdb"_s, u"S"_s);
    const QString target = path(u"Export/Session sans titre.cdb"_s);
    QDir().mkpath(path(u"Export"_s));
    const Alert done = flows->exportTo(QUrl::fromLocalFile(target));
    EXPECT_EQ(done.message, u"Base de données exportée dans :\n"_s + target);
    EXPECT_EQ(done.buttons, QList<AlertButton>{kOk});
    EXPECT_EQ(readSession(target).sessionName, u"S"_s);

    m_fs.failOn(FaultyFileSystem::Op::Write, u"Permission denied"_s);
    const Alert failed = flows->exportTo(QUrl::fromLocalFile(target));
    EXPECT_EQ(failed.title, u"Export impossible"_s);
    EXPECT_EQ(failed.message, u"« %1 » : Permission denied"_s.arg(target));

    const FilePanel panel = SessionFlows::exportPanel();
    EXPECT_EQ(panel.title, u"Exporter la base de données"_s);
    EXPECT_EQ(panel.prompt, u"Exporter"_s);
    EXPECT_EQ(panel.proposedName, u"Session sans titre.cdb"_s);
}

TEST_F(SessionFlowsTest, AnExplicitSaveSaysItWorkedOrWhyNotAndAFullDiskOffersACopy) {
    openSession(u"s.cdb"_s, u"S"_s);
    const Alert done = flows->save();
    EXPECT_EQ(done.message, u"La base de données a été sauvegardée."_s);
    EXPECT_EQ(done.kind, Alert::Kind::information);

    m_fs.failOn(FaultyFileSystem::Op::Write, u"Permission denied"_s);
    const Alert failed = flows->save();
    EXPECT_EQ(failed.kind, Alert::Kind::error);
    EXPECT_EQ(failed.title, u"Enregistrement impossible"_s);
    EXPECT_EQ(failed.message, u"« %1 » : Permission denied"_s.arg(workingCopy()));
    EXPECT_EQ(failed.buttons, QList<AlertButton>{kOk});

    // A full disk offers to copy the session elsewhere.
    m_fs.failOn(FaultyFileSystem::Op::Write); // "No space left on device"
    const Alert full = flows->save();
    EXPECT_EQ(full.title, u"Enregistrement impossible"_s);
    EXPECT_EQ(full.message, u"« %1 » : No space left on device"_s.arg(workingCopy()) +
                                u"\n\nVoulez-vous copier votre base de données vers un "
                                "emplacement disposant de plus d'espace, puis continuer à "
                                "travailler depuis ce fichier ?"_s);
    EXPECT_EQ(
        full.buttons,
        (QList<AlertButton>{{u"Choisir un emplacement…"_s, AlertRole::defaultAction}, kCancel}));

    const FilePanel panel = SessionFlows::rescueFolderPanel();
    EXPECT_EQ(panel.mode, FilePanel::Mode::chooseFolder);
    EXPECT_EQ(panel.title, u"Choisir l'emplacement de sauvegarde"_s);
    EXPECT_EQ(panel.prompt, u"Enregistrer"_s);
    EXPECT_EQ(panel.message, u"Choisissez un dossier disposant de suffisamment d'espace disque."_s);
    EXPECT_TRUE(panel.canCreateFolders);
}

TEST_F(SessionFlowsTest, TheRescueCopyBecomesTheSessionsFileWithoutReplacingAnother) {
    openSession(u"s.cdb"_s, u"Sauvée"_s);
    const QString folder = path(u"Clé USB"_s);
    writeBytes(folder + u"/Session sans titre.cdb"_s, QByteArray("le fichier d'un autre"));

    m_fs.failOn(FaultyFileSystem::Op::Write);
    const Alert copyFailed = flows->rescueTo(QUrl::fromLocalFile(folder));
    EXPECT_EQ(copyFailed.title, u"Copie impossible"_s);
    EXPECT_TRUE(copyFailed.message.endsWith(u"No space left on device"_s));
    m_fs.heal();

    const Alert moved = flows->rescueTo(QUrl::fromLocalFile(folder));
    const QString copy = folder + u"/Session sans titre 2.cdb"_s;
    EXPECT_EQ(moved.title, u"Fichier déplacé"_s);
    EXPECT_EQ(moved.message, u"La base de données est maintenant enregistrée dans :\n"_s + copy);
    store->waitForBackgroundSaves();
    EXPECT_EQ(readBytes(folder + u"/Session sans titre.cdb"_s),
              QByteArray("le fichier d'un autre"));
    EXPECT_EQ(readSession(copy).sessionName, u"Sauvée"_s);
    EXPECT_EQ(store->defaultCDBFileURL(), QUrl::fromLocalFile(copy));
    EXPECT_EQ(flows->currentSessionUrlString(),
              RecentFilesStore::urlText(QUrl::fromLocalFile(copy)));
    EXPECT_EQ(recent->entries().first().urlString, flows->currentSessionUrlString());
}

TEST_F(SessionFlowsTest, QuittingDuringACreationAsksToConfirm) {
    const Alert ask = SessionFlows::quitDuringCreationAlert();
    EXPECT_EQ(ask.title, u"Quitter la création de session ?"_s);
    EXPECT_EQ(ask.message, u"Une nouvelle session est en cours de création. Si vous fermez "
                           "maintenant, votre progression ne sera pas enregistrée."_s);
    EXPECT_EQ(ask.buttons, (QList<AlertButton>{{u"Quitter quand même"_s, AlertRole::destructive},
                                               {u"Continuer"_s, AlertRole::cancel}}));
}

} // namespace
