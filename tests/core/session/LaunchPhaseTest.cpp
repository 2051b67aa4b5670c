#include "LaunchTestFixture.h"

#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

using namespace velmora;
using Phase = LaunchPhase::Phase;
using Place = LaunchPhase::Place;

namespace {

using Launch = velmora::test::LaunchFixture;

TEST_F(Launch, StartsWithTheWizardUntilASessionWasCreatedOrOpened) {
    launch->showInitialPhase();
    EXPECT_EQ(launch->phase(), Phase::onboarding);
    EXPECT_TRUE(wizard->inProgress());
    EXPECT_EQ(launch->subtitle(), u"Créez votre première session ou ouvrez un fichier existant"_s);

    // Listed sessions alone are not enough: the first creation was never finished.
    listed(sessionFile(u"a.cdb"_s, u"A"_s));
    launch->showInitialPhase();
    EXPECT_EQ(launch->phase(), Phase::onboarding);

    m_defaults.setValue(SessionWizard::completedKey(), true);
    launch->showInitialPhase();
    EXPECT_EQ(launch->phase(), Phase::sessionPicker);
    EXPECT_EQ(launch->title(), u"Bienvenue"_s);
    EXPECT_EQ(launch->subtitle(), u"Sélectionnez votre session ou créez-en une nouvelle"_s);
}

TEST_F(Launch, AMissingFileIsReportedByNameAndStaysListed) {
    const QUrl url = sessionFile(u"Compta 2024.cdb"_s, u"Compta"_s);
    const RecentEntry entry = listed(url);
    ASSERT_TRUE(QFile::remove(url.toLocalFile()));
    launch->showSessionList();

    const std::optional<Alert> alert = launch->openRecent(entry);
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->title, u"Fichier introuvable"_s);
    EXPECT_EQ(alert->message, u"Le fichier « Compta 2024.cdb » n'a pas pu être "
                              "localisé. Il a peut-être été déplacé ou supprimé."_s);
    EXPECT_EQ(alert->buttons,
              (QList<AlertButton>{{u"Choisir le nouvel emplacement"_s, AlertRole::defaultAction},
                                  {u"Annuler"_s, AlertRole::cancel}}));
    EXPECT_EQ(launch->openRecent(entry, Place::mainWindow)->buttons.first().text,
              u"Localiser le fichier"_s);
    EXPECT_EQ(launch->phase(), Phase::sessionPicker);
    EXPECT_EQ(recent->entries().size(), 1);
}

TEST_F(Launch, AnUnprotectedSessionOpensAndRefreshesItsListing) {
    const QUrl url = sessionFile(u"a.cdb"_s, u"Atelier"_s);
    recent->add(url, u"Ancien nom"_s, QByteArray("old"), std::nullopt);
    const RecentEntry entry = recent->entries().first();
    launch->showSessionList();

    QStringList loadingTexts;
    QObject::connect(launch.get(), &LaunchPhase::phaseChanged, [&] {
        if (launch->phase() == Phase::loading)
            loadingTexts.append(launch->statusText());
    });
    EXPECT_EQ(launch->openRecent(entry), std::nullopt);
    EXPECT_EQ(loadingTexts, QStringList{u"Connexion en cours…"_s});
    EXPECT_EQ(launch->phase(), Phase::sessionOpen);
    EXPECT_EQ(store->sessionName(), u"Atelier"_s);
    EXPECT_EQ(store->defaultCDBFileURL(), url);
    // The working copy follows the open session.
    EXPECT_EQ(readSession(workingCopy()).sessionName, u"Atelier"_s);
    EXPECT_TRUE(m_defaults.value(SessionWizard::completedKey()).toBool());

    const RecentEntry refreshed = *recent->entry(entry.urlString);
    EXPECT_EQ(refreshed.sessionName, u"Atelier"_s);
    EXPECT_EQ(refreshed.profilePhotoData, std::nullopt); // the session has no picture
}

TEST_F(Launch, AFileWithoutTheCodeKeyOpensUnlocked) {
    // An older file: its preferences have no code key, so no code.
    const QUrl url = sessionFile(u"old.cdb"_s, u"Ancien"_s);
    QJsonObject root = QJsonDocument::fromJson(readBytes(url.toLocalFile())).object();
    QJsonObject prefs = root.value(u"preferences"_s).toObject();
    prefs.remove(u"appPassword"_s);
    root.insert(u"preferences"_s, prefs);
    writeBytes(url.toLocalFile(), QJsonDocument(root).toJson());

    EXPECT_EQ(launch->openRecent(listed(url)), std::nullopt);
    EXPECT_EQ(launch->phase(), Phase::sessionOpen);
    EXPECT_EQ(store->sessionName(), u"Ancien"_s);
}

TEST_F(Launch, AnUnreadableSessionLeavesTheOpenOneAndItsFileInPlace) {
    const QUrl good = sessionFile(u"good.cdb"_s, u"Bonne"_s);
    ASSERT_EQ(launch->openRecent(listed(good)), std::nullopt);
    const QUrl bad = sessionFile(u"bad.cdb"_s, u"Mauvaise"_s);
    writeBytes(bad.toLocalFile(), QByteArray("{\"projects\": ["));
    launch->showSessionList();

    EXPECT_EQ(launch->openRecent(listed(bad)), std::nullopt);
    EXPECT_EQ(launch->phase(), Phase::sessionPicker);
    EXPECT_EQ(launch->error(), u"Erreur lors du chargement de la session."_s);
    EXPECT_EQ(launch->errorReason(), u"Fichier de session illisible : fichier "
                                     "tronqué (le document s'arrête avant sa fin)"_s);
    EXPECT_EQ(launch->loadFailedAlert().informativeText, launch->errorReason());
    EXPECT_EQ(store->sessionName(), u"Bonne"_s);
    EXPECT_EQ(store->defaultCDBFileURL(), good);
    EXPECT_EQ(readSession(workingCopy()).sessionName, u"Bonne"_s);

    // The next opening clears the message.
    EXPECT_EQ(launch->openRecent(*recent->entry(RecentFilesStore::urlText(good))), std::nullopt);
    EXPECT_EQ(launch->error(), QString());
    EXPECT_EQ(launch->errorReason(), QString());
}

TEST_F(Launch, AChosenFileIsOpenedListedAndProtectedByItsCode) {
    const QUrl url = sessionFile(u"c.cdb"_s, u"Choisie"_s, u"abc"_s);
    ASSERT_TRUE(launch->openChosenFile(url));
    EXPECT_EQ(launch->phase(), Phase::lockScreen);
    EXPECT_EQ(recent->entries().first().sessionName, u"Choisie"_s);
    EXPECT_EQ(store->defaultCDBFileURL(), url);
    // Opening copies the session into the working copy.
    EXPECT_EQ(readSession(workingCopy()).sessionName, u"Choisie"_s);

    EXPECT_EQ(LaunchPhase::openPanel().title, u"Ouvrir une base de données"_s);
    EXPECT_EQ(LaunchPhase::openPanel().prompt, u"Ouvrir"_s);
    EXPECT_EQ(LaunchPhase::openPanel().extension, u"cdb"_s);
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
    const QUrl old = sessionFile(u"old.cdb"_s, u"S"_s);
    const RecentEntry entry = listed(old);
    listed(sessionFile(u"other.cdb"_s, u"Autre"_s));
    const QUrl moved = sessionFile(u"moved/old.cdb"_s, u"S"_s);
    ASSERT_TRUE(QFile::remove(old.toLocalFile()));

    ASSERT_TRUE(launch->relocate(entry, moved));
    EXPECT_EQ(recent->entries().size(), 2);
    EXPECT_EQ(recent->entries().first().urlString, RecentFilesStore::urlText(moved));
    EXPECT_EQ(recent->entry(entry.urlString), std::nullopt);
}

} // namespace
