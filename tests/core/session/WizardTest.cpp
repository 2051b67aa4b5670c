#include "core/model/SectionDescriptor.h"
#include "core/session/SessionWizard.h"
#include "core/store/RecentFilesStore.h"
#include "support/DesktopStubs.h"
#include "support/QtPrinters.h"
#include "support/SessionChange.h"
#include "support/StoreFixture.h"

#include <QSignalSpy>

#include <functional>

using namespace Qt::StringLiterals;

using namespace velmora;
using velmora::test::FaultyFileSystem;
using velmora::test::StoreFixture;
using velmora::test::StubFreeSpace;
using Step = SessionWizard::Step;

namespace {

// User defaults that let a test look at the session at the moment a key is
// written.
class WatchedDefaults final : public UserDefaults {
public:
    explicit WatchedDefaults(UserDefaults& inner) : m_inner(inner) {}
    QVariant value(const QString& key) const override { return m_inner.value(key); }
    void setValue(const QString& key, const QVariant& value) override {
        if (onSet)
            onSet(key);
        m_inner.setValue(key, value);
    }
    void remove(const QString& key) override { m_inner.remove(key); }
    std::function<void(const QString&)> onSet;

private:
    UserDefaults& m_inner;
};

// Stands in for the security models, which write the code and the questions
// themselves and save.
Result<> storeCode(AppDataStore& store, const QString& code) {
    AppPreferences prefs = store.preferences();
    prefs.appPassword = code;
    test::changeSession(store, [&](SessionEdit& e) { e.preferences() = prefs; });
    const Result<> saved = store.save();
    return saved.ok() ? Result<>() : Result<>::failure(saved.error());
}

class Wizard : public StoreFixture {
protected:
    void SetUp() override {
        StoreFixture::SetUp();
        m_store = startStore();
        m_recent = std::make_unique<RecentFilesStore>(m_watched, m_bookmarks, m_fs);
        m_wizard = std::make_unique<SessionWizard>(
            SessionWizard::Services{*m_store, *m_recent, m_watched, m_free});
    }

    QUrl chosenFile(const QString& name = u"Mon entreprise.cdb"_s) {
        QDir().mkpath(path(u"Documents"_s));
        return QUrl::fromLocalFile(path(u"Documents/"_s + name));
    }

    // Runs the wizard up to the access-code step with a file chosen.
    void reachAccessCode() {
        m_wizard->start();
        m_wizard->continueFromAppearance();
        m_wizard->setSessionName(u"Studio"_s);
        ASSERT_TRUE(m_wizard->continueFromIdentity());
        ASSERT_TRUE(m_wizard->chooseLocation(chosenFile()));
        ASSERT_TRUE(m_wizard->continueFromLocation());
        ASSERT_EQ(m_wizard->step(), Step::accessCode);
    }

    WatchedDefaults m_watched{m_defaults};
    StubFreeSpace m_free;
    std::unique_ptr<AppDataStore> m_store;
    std::unique_ptr<RecentFilesStore> m_recent;
    std::unique_ptr<SessionWizard> m_wizard;
};

TEST_F(Wizard, AWholeRunCreatesTheSessionFileAndListsIt) {
    m_free.bytes = qint64(10) * 1024 * 1024 * 1024;
    QSignalSpy finished(m_wizard.get(), &SessionWizard::finished);
    ASSERT_TRUE(m_recent->entries().isEmpty());

    m_wizard->start();
    EXPECT_TRUE(m_wizard->inProgress());
    EXPECT_EQ(m_wizard->stepNumber(), 1);
    EXPECT_EQ(SessionWizard::title(m_wizard->step()), u"Choisissez l'apparence"_s);
    m_wizard->setAppearance(AppAppearanceMode::light);
    m_wizard->continueFromAppearance();

    EXPECT_EQ(SessionWizard::title(m_wizard->step()), u"Identité de la session"_s);
    m_wizard->setSessionName(u"  Atelier Lumière\n"_s);
    EXPECT_TRUE(m_wizard->choosePresetImage(u"image_photographie"_s));
    ASSERT_TRUE(m_wizard->continueFromIdentity());

    EXPECT_EQ(SessionWizard::title(m_wizard->step()), u"Emplacement de votre base"_s);
    const QUrl file = chosenFile();
    ASSERT_TRUE(m_wizard->chooseLocation(file));
    EXPECT_EQ(m_free.asked, path(u"Documents"_s));
    ASSERT_TRUE(m_wizard->continueFromLocation());
    EXPECT_TRUE(QFileInfo::exists(file.toLocalFile()));

    EXPECT_EQ(SessionWizard::title(m_wizard->step()), u"Code d'accès"_s);
    ASSERT_TRUE(m_wizard->finishAccessCode(storeCode(*m_store, u"Lumi-42"_s)));

    EXPECT_EQ(SessionWizard::title(m_wizard->step()), u"Questions de sécurité"_s);
    const SecurityQuestion question{QUuid::createUuid(), u"Quel est votre plat préféré ?"_s,
                                    QString(64, QLatin1Char('a'))};
    test::changeSession(*m_store, [&](SessionEdit& e) { e.securityQuestions() = {question}; });
    ASSERT_TRUE(m_wizard->finishSecurityQuestions(Result<>()));

    EXPECT_EQ(SessionWizard::title(m_wizard->step()), u"Personnalisez votre espace"_s);
    m_wizard->setModuleEnabled(u"stock"_s, false);
    m_wizard->continueFromModules();

    EXPECT_EQ(SessionWizard::title(m_wizard->step()), u"Informations entreprise"_s);
    WizardCompanyIdentity company;
    company.displayName = u"Atelier Lumière"_s;
    company.ownerName = u"Léa Martin"_s;
    company.legalStatus = u"Micro-entrepreneur"_s;
    company.addressLine1 = u"3 rue des Lilas"_s;
    company.addressLine2 = u"69003 Lyon"_s;
    // The settings' rules: a SIRET they refuse is refused here too.
    company.siret = u"12345"_s;
    EXPECT_FALSE(m_wizard->saveCompany(company));
    EXPECT_EQ(m_wizard->error(), u"Le SIRET doit comporter 14 chiffres."_s);
    EXPECT_EQ(m_wizard->step(), Step::company);
    EXPECT_EQ(m_store->companySettings().displayName, QString());
    company.siret = u"123 456 789 00012"_s;
    ASSERT_TRUE(m_wizard->saveCompany(company));
    EXPECT_EQ(m_wizard->error(), QString());

    EXPECT_EQ(m_wizard->step(), Step::end);
    EXPECT_EQ(SessionWizard::text(m_wizard->step()),
              u"Tout est configuré. Vous pouvez commencer à utiliser Velmora Core."_s);
    ASSERT_TRUE(m_wizard->finish());
    EXPECT_EQ(finished.count(), 1);
    EXPECT_FALSE(m_wizard->inProgress());
    EXPECT_TRUE(m_defaults.value(SessionWizard::completedKey()).toBool());

    ASSERT_EQ(m_recent->entries().size(), 1);
    const RecentEntry entry = m_recent->entries().first();
    EXPECT_EQ(entry.urlString, RecentFilesStore::urlText(file));
    EXPECT_EQ(entry.displayName, u"Mon entreprise.cdb"_s);
    EXPECT_EQ(entry.sessionName, u"Atelier Lumière"_s);
    EXPECT_EQ(entry.profileImageName, u"image_photographie"_s);
    EXPECT_EQ(entry.profilePhotoData, std::nullopt);

    const AppDatabase onDisk = readSession(file.toLocalFile());
    EXPECT_EQ(onDisk.sessionName, u"Atelier Lumière"_s);
    EXPECT_EQ(onDisk.sessionProfileImageName, u"image_photographie"_s);
    EXPECT_EQ(onDisk.sessionProfilePhotoData, std::nullopt);
    EXPECT_EQ(onDisk.preferences.appearanceMode, AppAppearanceMode::light);
    EXPECT_EQ(onDisk.preferences.appPassword, u"Lumi-42"_s);
    EXPECT_TRUE(onDisk.preferences.tutorialShouldShowIntro);
    EXPECT_EQ(onDisk.securityQuestions, QList<SecurityQuestion>{question});
    for (const SidebarMenuItemConfig& item : onDisk.preferences.sidebarMenuItems)
        EXPECT_EQ(item.isEnabled, item.defaultKey != QLatin1String("stock"))
            << item.defaultKey.toStdString();
    EXPECT_EQ(onDisk.companySettings.displayName, company.displayName);
    EXPECT_EQ(onDisk.companySettings.ownerName, company.ownerName);
    EXPECT_EQ(onDisk.companySettings.legalStatus, company.legalStatus);
    EXPECT_EQ(onDisk.companySettings.siret, u"12345678900012"_s);
    EXPECT_EQ(onDisk.companySettings.addressLine1, company.addressLine1);
    EXPECT_EQ(onDisk.companySettings.addressLine2, company.addressLine2);
    EXPECT_EQ(onDisk.companySettings.tvaNote, CompanySettings::defaultTvaNote());
    EXPECT_EQ(onDisk.quoteStatuses.size(), 4);
    EXPECT_EQ(m_store->defaultCDBFileURL(), file);
    // The working copy mirrors the user's file.
    EXPECT_EQ(readBytes(workingCopy()), readBytes(file.toLocalFile()));
}

TEST_F(Wizard, CommencerMarksOnboardingDoneBeforeWritingAndListsAfterSaving) {
    reachAccessCode();
    m_wizard->setSessionName(u" Studio "_s);
    ASSERT_TRUE(m_wizard->finishWithoutCode(Result<>()));
    m_wizard->continueFromModules();
    m_wizard->skipCompany();

    QList<bool> progressSeen;
    QObject::connect(m_wizard.get(), &SessionWizard::inProgressChanged,
                     [&](bool running) { progressSeen.append(running); });
    QString nameWhenMarked = u"unset"_s;
    bool introOnDiskWhenListed = false;
    m_watched.onSet = [&](const QString& key) {
        if (key == SessionWizard::completedKey())
            nameWhenMarked = m_store->sessionName().value_or(QString());
        if (key == RecentFilesStore::key())
            introOnDiskWhenListed =
                readSession(chosenFile().toLocalFile()).preferences.tutorialShouldShowIntro;
    };
    ASSERT_TRUE(m_wizard->finish());
    EXPECT_EQ(nameWhenMarked, QString()); // the name is stored after the mark
    EXPECT_TRUE(introOnDiskWhenListed);   // the file is written before it is listed
    EXPECT_EQ(progressSeen, QList<bool>{false});
    EXPECT_EQ(m_store->sessionName(), u"Studio"_s);
}

// The step promises its details on the recipe book too: the book's header
// takes them, its title kept.
TEST_F(Wizard, CompanyStepFillsTheRecipeBookHeader) {
    reachAccessCode();
    ASSERT_TRUE(m_wizard->finishWithoutCode(Result<>()));
    m_wizard->continueFromModules();
    WizardCompanyIdentity company;
    company.displayName = u" Atelier Lumière "_s;
    company.ownerName = u"Léa Martin"_s;
    company.legalStatus = u"Micro-entrepreneur"_s;
    company.siret = u"123 456 789 00012"_s;
    company.addressLine1 = u"3 rue des Lilas"_s;
    company.addressLine2 = u"69003 Lyon"_s;
    ASSERT_TRUE(m_wizard->saveCompany(company));

    AccountingRecipeSettings expected;
    expected.companyName = u"Atelier Lumière"_s;
    expected.ownerName = company.ownerName;
    expected.legalStatus = company.legalStatus;
    expected.siret = u"12345678900012"_s;
    expected.addressLine1 = company.addressLine1;
    expected.addressLine2 = company.addressLine2;
    EXPECT_EQ(m_store->accountingRecipeSettings(), expected);
}

TEST_F(Wizard, TheFreeSpaceBoundIsFiftyMebibytes) {
    m_wizard->start();
    const QUrl file = chosenFile();

    m_free.bytes = 52'428'799;
    EXPECT_FALSE(m_wizard->chooseLocation(file));
    EXPECT_EQ(m_wizard->error(), u"Espace insuffisant (moins de 50 Mo disponibles)."_s);
    EXPECT_EQ(m_wizard->location(), std::nullopt);

    m_free.bytes = 52'428'800;
    EXPECT_TRUE(m_wizard->chooseLocation(file));
    EXPECT_EQ(m_wizard->error(), QString());
    EXPECT_EQ(m_wizard->location(), file);

    // A refusal drops the place kept before.
    m_free.bytes = 0;
    EXPECT_FALSE(m_wizard->chooseLocation(file));
    EXPECT_EQ(m_wizard->location(), std::nullopt);

    // Unknown free space does not stand in the way.
    m_free.bytes = std::nullopt;
    EXPECT_TRUE(m_wizard->chooseLocation(file));
    EXPECT_EQ(m_wizard->error(), QString());
}

TEST_F(Wizard, ContinuingNeedsANameAndAPlace) {
    m_wizard->start();
    m_wizard->continueFromAppearance();
    m_wizard->setSessionName(u" \n\t"_s);
    EXPECT_FALSE(m_wizard->continueFromIdentity());
    EXPECT_EQ(m_wizard->step(), Step::identity);
    EXPECT_FALSE(m_wizard->choosePresetImage(u"image_chat"_s));
    EXPECT_EQ(m_wizard->presetImage(), std::nullopt);
    m_wizard->setSessionName(u"S"_s);
    ASSERT_TRUE(m_wizard->continueFromIdentity());

    EXPECT_FALSE(m_wizard->continueFromLocation());
    EXPECT_EQ(m_wizard->step(), Step::location);
    EXPECT_EQ(m_store->defaultCDBFileURL(), std::nullopt);

    // The panel's file gets the session extension when it was typed without.
    ASSERT_TRUE(m_wizard->chooseLocation(chosenFile(u"Compta"_s)));
    EXPECT_EQ(m_wizard->location(), chosenFile(u"Compta.cdb"_s));
}

TEST_F(Wizard, AFileThatCannotBeWrittenIsNotKeptAsHomeAndStartingAgainForgetsAll) {
    reachAccessCode(); // a first place works
    m_wizard->back();
    EXPECT_EQ(m_wizard->step(), Step::location);
    m_fs.failOn(FaultyFileSystem::Op::Write);
    ASSERT_TRUE(m_wizard->chooseLocation(chosenFile(u"Autre.cdb"_s)));
    EXPECT_FALSE(m_wizard->continueFromLocation());
    EXPECT_EQ(m_wizard->step(), Step::location);
    EXPECT_TRUE(m_wizard->error().contains(u"No space left on device"_s));
    EXPECT_EQ(m_store->defaultCDBFileURL(), std::nullopt);
    EXPECT_FALSE(m_defaults.value(DefaultFileBookmark::pathKey()).isValid());

    m_fs.heal();
    EXPECT_TRUE(m_wizard->continueFromLocation());
    EXPECT_EQ(m_wizard->error(), QString());
    ASSERT_EQ(m_store->defaultCDBFileURL(), chosenFile(u"Autre.cdb"_s));

    // Starting again forgets the default file and every answer.
    m_wizard->start();
    EXPECT_EQ(m_wizard->step(), Step::appearance);
    EXPECT_EQ(m_wizard->sessionName(), QString());
    EXPECT_EQ(m_wizard->location(), std::nullopt);
    EXPECT_EQ(m_store->defaultCDBFileURL(), std::nullopt);
    EXPECT_FALSE(m_defaults.value(DefaultFileBookmark::bookmarkKey()).isValid());
    // The file written by the abandoned creation is left as it was.
    EXPECT_TRUE(QFileInfo::exists(chosenFile(u"Autre.cdb"_s).toLocalFile()));
}

TEST_F(Wizard, SecurityStepsStayOnTheirMessageAndSkippingTheCodeSkipsTheQuestions) {
    reachAccessCode();
    EXPECT_FALSE(
        m_wizard->finishAccessCode(Result<>::failure(u"Les codes ne correspondent pas."_s)));
    EXPECT_EQ(m_wizard->step(), Step::accessCode);
    EXPECT_EQ(m_wizard->error(), u"Les codes ne correspondent pas."_s);

    ASSERT_TRUE(m_wizard->finishWithoutCode(Result<>()));
    EXPECT_EQ(m_wizard->error(), QString());
    EXPECT_EQ(m_wizard->step(), Step::modules);
    m_wizard->back();
    EXPECT_EQ(m_wizard->step(), Step::accessCode);

    ASSERT_TRUE(m_wizard->finishAccessCode(storeCode(*m_store, u"1234"_s)));
    EXPECT_EQ(m_wizard->step(), Step::securityQuestions);
    EXPECT_FALSE(m_wizard->finishSecurityQuestions(
        Result<>::failure(u"Veuillez renseigner au moins une question et sa réponse."_s)));
    EXPECT_EQ(m_wizard->step(), Step::securityQuestions);
    ASSERT_TRUE(m_wizard->finishSecurityQuestions(Result<>()));
    m_wizard->back();
    EXPECT_EQ(m_wizard->step(), Step::securityQuestions);
}

TEST_F(Wizard, ModuleCardsFollowTheMenuSectionsWithoutTheDashboard) {
    m_wizard->start();
    const QList<LaunchModuleCard> cards = m_wizard->modules();
    QStringList ids;
    for (const LaunchModuleCard& card : cards) {
        ids.append(card.id);
        EXPECT_TRUE(card.isEnabled);
    }
    // Every section but the dashboard, by its card's rank, named as in the
    // sidebar of a new session.
    ASSERT_EQ(cards.size(), sectionDescriptors().size() - 1);
    EXPECT_FALSE(ids.contains(u"dashboard"_s));
    int rank = 0;
    for (const LaunchModuleCard& card : cards) {
        const SectionDescriptor* section = sectionDescriptor(card.id);
        ASSERT_NE(section, nullptr) << card.id.toStdString();
        EXPECT_EQ(card.displayName, section->name);
        EXPECT_EQ(card.icon, section->wizard->symbol);
        EXPECT_GT(section->wizard->rank, rank) << card.id.toStdString();
        rank = section->wizard->rank;
    }

    m_wizard->setModuleEnabled(u"calendar"_s, false);
    m_wizard->setModuleEnabled(u"dashboard"_s, false);
    EXPECT_FALSE(m_wizard->modules().first().isEnabled);
    for (const SidebarMenuItemConfig& item : m_store->preferences().sidebarMenuItems) {
        EXPECT_EQ(item.isEnabled, item.defaultKey != QLatin1String("calendar"))
            << item.defaultKey.toStdString();
    }
}

TEST_F(Wizard, APhotoIsStoredOnlyWithoutAPresetPicture) {
    reachAccessCode();
    m_wizard->back();
    m_wizard->back();
    ASSERT_EQ(m_wizard->step(), Step::identity);
    m_wizard->choosePhoto(QByteArray("\x89PNG", 4));
    ASSERT_TRUE(m_wizard->continueFromIdentity());
    ASSERT_TRUE(m_wizard->continueFromLocation());
    ASSERT_TRUE(m_wizard->finishWithoutCode(Result<>()));
    m_wizard->continueFromModules();
    m_wizard->skipCompany();
    ASSERT_TRUE(m_wizard->finish());

    const AppDatabase onDisk = readSession(chosenFile().toLocalFile());
    ASSERT_TRUE(onDisk.sessionProfilePhotoData);
    EXPECT_EQ(onDisk.sessionProfilePhotoData->decoded(), QByteArray("\x89PNG", 4));
    EXPECT_EQ(onDisk.sessionProfileImageName, std::nullopt);
    EXPECT_EQ(m_recent->entries().first().profilePhotoData->decoded(), QByteArray("\x89PNG", 4));
}

} // namespace
