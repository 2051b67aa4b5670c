#include "LaunchTestFixture.h"

#include <QJsonDocument>
#include <QJsonObject>

using namespace velmora;
using Phase = LaunchPhase::Phase;
using Place = LaunchPhase::Place;

namespace {

using Launch = velmora::test::LaunchFixture;

TEST_F(Launch, StartsWithTheWizardUntilASessionWasCreatedOrOpened) {
    launch->showInitialPhase();
    EXPECT_EQ(launch->phase(), Phase::onboarding);
    EXPECT_TRUE(wizard->inProgress());
    EXPECT_EQ(launch->subtitle(),
              QStringLiteral("Créez votre première session ou ouvrez un fichier existant"));

    // Listed sessions alone are not enough: the first creation was never finished.
    listed(sessionFile(QStringLiteral("a.cdb"), QStringLiteral("A")));
    launch->showInitialPhase();
    EXPECT_EQ(launch->phase(), Phase::onboarding);

    m_defaults.setValue(SessionWizard::completedKey(), true);
    launch->showInitialPhase();
    EXPECT_EQ(launch->phase(), Phase::sessionPicker);
    EXPECT_EQ(launch->title(), QStringLiteral("Bienvenue"));
    EXPECT_EQ(launch->subtitle(),
              QStringLiteral("Sélectionnez votre session ou créez-en une nouvelle"));
}

TEST_F(Launch, AMissingFileIsReportedByNameAndStaysListed) {
    const QUrl url = sessionFile(QStringLiteral("Compta 2024.cdb"), QStringLiteral("Compta"));
    const RecentEntry entry = listed(url);
    ASSERT_TRUE(QFile::remove(url.toLocalFile()));
    launch->showSessionList();

    const std::optional<Alert> alert = launch->openRecent(entry);
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->title, QStringLiteral("Fichier introuvable"));
    EXPECT_EQ(alert->message, QStringLiteral("Le fichier « Compta 2024.cdb » n'a pas pu être "
                                             "localisé. Il a peut-être été déplacé ou supprimé."));
    EXPECT_EQ(alert->buttons, (QList<AlertButton>{{QStringLiteral("Choisir le nouvel emplacement"),
                                                   AlertRole::defaultAction},
                                                  {QStringLiteral("Annuler"), AlertRole::cancel}}));
    EXPECT_EQ(launch->openRecent(entry, Place::mainWindow)->buttons.first().text,
              QStringLiteral("Localiser le fichier"));
    EXPECT_EQ(launch->phase(), Phase::sessionPicker);
    EXPECT_EQ(recent->entries().size(), 1);
}

TEST_F(Launch, AnUnprotectedSessionOpensAndRefreshesItsListing) {
    const QUrl url = sessionFile(QStringLiteral("a.cdb"), QStringLiteral("Atelier"));
    recent->add(url, QStringLiteral("Ancien nom"), QByteArray("old"), std::nullopt);
    const RecentEntry entry = recent->entries().first();
    launch->showSessionList();

    QStringList loadingTexts;
    QObject::connect(launch.get(), &LaunchPhase::phaseChanged, [&] {
        if (launch->phase() == Phase::loading)
            loadingTexts.append(launch->statusText());
    });
    EXPECT_EQ(launch->openRecent(entry), std::nullopt);
    EXPECT_EQ(loadingTexts, QStringList{QStringLiteral("Connexion en cours…")});
    EXPECT_EQ(launch->phase(), Phase::sessionOpen);
    EXPECT_EQ(store->sessionName(), QStringLiteral("Atelier"));
    EXPECT_EQ(store->defaultCDBFileURL(), url);
    // The working copy follows the open session.
    EXPECT_EQ(readSession(workingCopy()).sessionName, QStringLiteral("Atelier"));
    EXPECT_TRUE(m_defaults.value(SessionWizard::completedKey()).toBool());

    const RecentEntry refreshed = *recent->entry(entry.urlString);
    EXPECT_EQ(refreshed.sessionName, QStringLiteral("Atelier"));
    EXPECT_EQ(refreshed.profilePhotoData, std::nullopt); // the session has no picture
}

TEST_F(Launch, AProtectedSessionShowsTheLockScreenFirst) {
    const RecentEntry entry = listed(
        sessionFile(QStringLiteral("p.cdb"), QStringLiteral("Privé"), QStringLiteral("0000")));
    EXPECT_EQ(launch->openRecent(entry), std::nullopt);
    EXPECT_EQ(launch->phase(), Phase::lockScreen);
    launch->unlocked();
    EXPECT_EQ(launch->phase(), Phase::sessionOpen);
}

TEST_F(Launch, AFileWithoutTheCodeKeyOpensUnlocked) {
    // An older file: its preferences have no code key, so no code.
    const QUrl url = sessionFile(QStringLiteral("old.cdb"), QStringLiteral("Ancien"));
    QJsonObject root = QJsonDocument::fromJson(readBytes(url.toLocalFile())).object();
    QJsonObject prefs = root.value(QStringLiteral("preferences")).toObject();
    prefs.remove(QStringLiteral("appPassword"));
    root.insert(QStringLiteral("preferences"), prefs);
    writeBytes(url.toLocalFile(), QJsonDocument(root).toJson());

    EXPECT_EQ(launch->openRecent(listed(url)), std::nullopt);
    EXPECT_EQ(launch->phase(), Phase::sessionOpen);
    EXPECT_EQ(store->sessionName(), QStringLiteral("Ancien"));
}

TEST_F(Launch, AnUnreadableSessionLeavesTheOpenOneAndItsFileInPlace) {
    const QUrl good = sessionFile(QStringLiteral("good.cdb"), QStringLiteral("Bonne"));
    ASSERT_EQ(launch->openRecent(listed(good)), std::nullopt);
    const QUrl bad = sessionFile(QStringLiteral("bad.cdb"), QStringLiteral("Mauvaise"));
    writeBytes(bad.toLocalFile(), QByteArray("{\"projects\": ["));
    launch->showSessionList();

    EXPECT_EQ(launch->openRecent(listed(bad)), std::nullopt);
    EXPECT_EQ(launch->phase(), Phase::sessionPicker);
    EXPECT_EQ(launch->error(), QStringLiteral("Erreur lors du chargement de la session."));
    EXPECT_EQ(launch->errorReason(), QStringLiteral("Fichier de session illisible : fichier "
                                                    "tronqué (le document s'arrête avant sa fin)"));
    EXPECT_EQ(launch->loadFailedAlert().informativeText, launch->errorReason());
    EXPECT_EQ(store->sessionName(), QStringLiteral("Bonne"));
    EXPECT_EQ(store->defaultCDBFileURL(), good);
    EXPECT_EQ(readSession(workingCopy()).sessionName, QStringLiteral("Bonne"));

    // The next opening clears the message.
    EXPECT_EQ(launch->openRecent(*recent->entry(RecentFilesStore::urlText(good))), std::nullopt);
    EXPECT_EQ(launch->error(), QString());
    EXPECT_EQ(launch->errorReason(), QString());
}

TEST_F(Launch, AChosenFileIsOpenedListedAndProtectedByItsCode) {
    const QUrl url =
        sessionFile(QStringLiteral("c.cdb"), QStringLiteral("Choisie"), QStringLiteral("abc"));
    ASSERT_TRUE(launch->openChosenFile(url));
    EXPECT_EQ(launch->phase(), Phase::lockScreen);
    EXPECT_EQ(recent->entries().first().sessionName, QStringLiteral("Choisie"));
    EXPECT_EQ(store->defaultCDBFileURL(), url);
    // Opening copies the session into the working copy.
    EXPECT_EQ(readSession(workingCopy()).sessionName, QStringLiteral("Choisie"));

    EXPECT_EQ(LaunchPhase::openPanel().title, QStringLiteral("Ouvrir une base de données"));
    EXPECT_EQ(LaunchPhase::openPanel().prompt, QStringLiteral("Ouvrir"));
    EXPECT_EQ(LaunchPhase::openPanel().extension, QStringLiteral("cdb"));
}

TEST_F(Launch, AChosenFileIsReadOnceWhateverItsProtection) {
    for (const QString& code : {QString(), QStringLiteral("1234")}) {
        const QUrl url = sessionFile(QStringLiteral("once.cdb"), QStringLiteral("Une"), code);
        const int before = m_fs.reads(url.toLocalFile());
        ASSERT_TRUE(launch->openChosenFile(url));
        EXPECT_EQ(launch->phase(), code.isEmpty() ? Phase::sessionOpen : Phase::lockScreen);
        EXPECT_EQ(m_fs.reads(url.toLocalFile()) - before, 1) << code.toStdString();
    }
}

TEST_F(Launch, RelocatingAMissingSessionReplacesItsEntry) {
    const QUrl old = sessionFile(QStringLiteral("old.cdb"), QStringLiteral("S"));
    const RecentEntry entry = listed(old);
    listed(sessionFile(QStringLiteral("other.cdb"), QStringLiteral("Autre")));
    const QUrl moved = sessionFile(QStringLiteral("moved/old.cdb"), QStringLiteral("S"));
    ASSERT_TRUE(QFile::remove(old.toLocalFile()));

    ASSERT_TRUE(launch->relocate(entry, moved));
    EXPECT_EQ(recent->entries().size(), 2);
    EXPECT_EQ(recent->entries().first().urlString, RecentFilesStore::urlText(moved));
    EXPECT_EQ(recent->entry(entry.urlString), std::nullopt);
}

TEST_F(Launch, OpeningAFileDuringCreationEndsTheCreation) {
    launch->startCreation();
    ASSERT_TRUE(wizard->inProgress());
    const QUrl url = sessionFile(QStringLiteral("x.cdb"), QStringLiteral("X"));
    ASSERT_TRUE(flows->openAbandoningCreation(url));
    EXPECT_FALSE(wizard->inProgress());
    EXPECT_EQ(launch->phase(), Phase::sessionOpen);
}

} // namespace
