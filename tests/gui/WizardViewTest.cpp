#include "ScriptedDialogs.h"

#include "core/app/CompanySettingsForm.h"
#include "core/security/AccessCode.h"
#include "core/session/SessionWizard.h"
#include "core/store/RecentFilesStore.h"
#include "gui/common/AnimatedStack.h"
#include "gui/common/Theme.h"
#include "gui/launch/WizardIdentityStep.h"
#include "gui/launch/WizardLocationStep.h"
#include "gui/launch/WizardQuestionsStep.h"
#include "gui/launch/WizardView.h"
#include "support/QtPrinters.h"
#include "support/StoreFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace velmora;
using namespace velmora::gui;
using velmora::test::FaultyFileSystem;
using velmora::test::StoreFixture;
using Step = SessionWizard::Step;

namespace {

class FakeFreeSpace final : public FreeSpace {
public:
    std::optional<qint64> availableBytes(const QString&) const override { return bytes; }
    std::optional<qint64> bytes = qint64(20) * 1024 * 1024 * 1024;
};

class WizardViewTest : public StoreFixture {
protected:
    void SetUp() override {
        StoreFixture::SetUp();
        AnimatedStack::setAnimationsEnabled(false);
        m_store = startStore();
        m_recent = std::make_unique<RecentFilesStore>(m_defaults, m_bookmarks, m_fs);
        m_wizard = std::make_unique<SessionWizard>(
            SessionWizard::Services{*m_store, *m_recent, m_defaults, m_free});
        m_view = std::make_unique<WizardView>(*m_wizard, *m_store, m_dialogs);
        m_view->resize(1000, 700);
        m_view->show();
        m_wizard->start();
    }

    template <class T> T* find(const QString& name) const {
        T* widget = m_view->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QString errorShown() const {
        auto* label = find<QLabel>(QStringLiteral("wizardError"));
        return label->isVisible() ? label->text() : QString();
    }
    QString titleShown() const {
        auto* label = m_view->currentPage()->findChild<QLabel*>(QStringLiteral("wizardStepTitle"));
        return label ? label->text() : QString();
    }
    // The page the stack shows is the model's step.
    int pageShown() const {
        auto* stack = find<AnimatedStack>(QStringLiteral("wizardPages"));
        return stack->currentIndex() + 1;
    }
    void click(const QString& name) {
        auto* button = find<QAbstractButton>(name);
        ASSERT_TRUE(button->isVisible()) << name.toStdString();
        ASSERT_TRUE(button->isEnabled()) << name.toStdString();
        QTest::mouseClick(button, Qt::LeftButton);
    }
    void type(const QString& name, const QString& text) {
        auto* field = find<QLineEdit>(name);
        ASSERT_TRUE(field->isVisible()) << name.toStdString();
        QTest::keyClicks(field, text);
    }
    void next() { click(QStringLiteral("wizardContinue")); }
    QString continueText() const {
        return find<QPushButton>(QStringLiteral("wizardContinue"))->text();
    }

    QUrl sessionUrl(const QString& name = QStringLiteral("Atelier.cdb")) {
        QDir().mkpath(path(QStringLiteral("Documents")));
        return QUrl::fromLocalFile(path(QStringLiteral("Documents/") + name));
    }
    // Steps 1 to 3 through the widgets.
    void reachAccessCode() {
        next();
        type(QStringLiteral("sessionNameField"), QStringLiteral("Atelier Nord"));
        next();
        m_dialogs.chooseNext(sessionUrl());
        click(QStringLiteral("chooseLocationButton"));
        next();
        ASSERT_EQ(m_wizard->step(), Step::accessCode);
    }
    void reachQuestions() {
        reachAccessCode();
        type(QStringLiteral("accessCodeField"), QStringLiteral("Nord-42"));
        type(QStringLiteral("accessCodeConfirmField"), QStringLiteral("Nord-42"));
        next();
        ASSERT_EQ(m_wizard->step(), Step::securityQuestions);
    }

    FakeFreeSpace m_free;
    gui::test::ScriptedDialogs m_dialogs;
    std::unique_ptr<AppDataStore> m_store;
    std::unique_ptr<RecentFilesStore> m_recent;
    std::unique_ptr<SessionWizard> m_wizard;
    std::unique_ptr<WizardView> m_view;
};

TEST_F(WizardViewTest, AWholeCreationThroughTheWidgetsWritesTheSessionAndListsIt) {
    QSignalSpy finished(m_wizard.get(), &SessionWizard::finished);

    // 1. Appearance, applied at once.
    EXPECT_EQ(find<QLabel>(QStringLiteral("wizardStepIndicator"))->text(),
              QStringLiteral("Étape 1 sur 8"));
    EXPECT_EQ(titleShown(), SessionWizard::title(Step::appearance));
    EXPECT_FALSE(find<QPushButton>(QStringLiteral("wizardBack"))->isVisible());
    click(QStringLiteral("wizardAppearanceLight"));
    EXPECT_EQ(m_store->preferences().appearanceMode, AppAppearanceMode::light);
    EXPECT_EQ(theme::current(), AppAppearanceMode::light);
    next();

    // 2. Identity: no name, no way on.
    EXPECT_EQ(pageShown(), 2);
    EXPECT_TRUE(find<QPushButton>(QStringLiteral("wizardBack"))->isVisible());
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("sessionNameField"))->placeholderText(),
              QStringLiteral("Ex : Mon entreprise, Freelance…"));
    EXPECT_FALSE(find<QPushButton>(QStringLiteral("wizardContinue"))->isEnabled());
    type(QStringLiteral("sessionNameField"), QStringLiteral("   "));
    EXPECT_FALSE(find<QPushButton>(QStringLiteral("wizardContinue"))->isEnabled());
    find<QLineEdit>(QStringLiteral("sessionNameField"))->clear();
    type(QStringLiteral("sessionNameField"), QStringLiteral("Atelier Nord"));
    click(QStringLiteral("presetPicture_image_photographie"));
    EXPECT_EQ(m_wizard->presetImage(), QStringLiteral("image_photographie"));
    next();

    // 3. Location through the save panel.
    EXPECT_EQ(titleShown(), QStringLiteral("Emplacement de votre base"));
    EXPECT_FALSE(find<QPushButton>(QStringLiteral("wizardContinue"))->isEnabled());
    const QUrl file = sessionUrl();
    m_dialogs.chooseNext(file);
    click(QStringLiteral("chooseLocationButton"));
    ASSERT_EQ(m_dialogs.panels.size(), 1);
    FilePanel proposed = SessionWizard::locationPanel();
    proposed.proposedName = WizardLocationStep::proposedFile(QStringLiteral("Atelier Nord"));
    EXPECT_EQ(m_dialogs.panels.first(), proposed);
    EXPECT_EQ(find<QLabel>(QStringLiteral("locationFileName"))->text(),
              QStringLiteral("Atelier.cdb"));
    next();
    EXPECT_TRUE(QFileInfo::exists(file.toLocalFile()));

    // 4. Code.
    EXPECT_EQ(pageShown(), 4);
    EXPECT_EQ(find<QPushButton>(QStringLiteral("skipCodeButton"))->text(),
              QStringLiteral("Continuer sans code"));
    type(QStringLiteral("accessCodeField"), QStringLiteral("Nord-42"));
    type(QStringLiteral("accessCodeConfirmField"), QStringLiteral("Nord-42"));
    next();

    // 5. Two questions, one of them the user's own.
    EXPECT_EQ(titleShown(), QStringLiteral("Questions de sécurité"));
    auto* first = find<QComboBox>(QStringLiteral("questionCombo0"));
    EXPECT_EQ(first->placeholderText(), QStringLiteral("Choisir une question…"));
    ASSERT_EQ(first->count(), 11);
    EXPECT_EQ(first->itemText(10), QStringLiteral("Question personnalisée…"));
    first->setCurrentIndex(8);
    type(QStringLiteral("answerField0"), QStringLiteral("  Couscous "));
    click(QStringLiteral("addQuestionButton"));
    auto* second = find<QComboBox>(QStringLiteral("questionCombo1"));
    EXPECT_FALSE(find<QLineEdit>(QStringLiteral("customQuestionField1"))->isVisible());
    second->setCurrentIndex(10);
    type(QStringLiteral("customQuestionField1"), QStringLiteral("Nom du premier voilier ?"));
    type(QStringLiteral("answerField1"), QStringLiteral("Alcyon"));
    next();

    // 6. Modules: stock off.
    EXPECT_EQ(pageShown(), 6);
    EXPECT_TRUE(find<QAbstractButton>(QStringLiteral("moduleSwitch_stock"))->isChecked());
    click(QStringLiteral("moduleSwitch_stock"));
    next();

    // 7. Company skipped.
    EXPECT_EQ(continueText(), QStringLiteral("Enregistrer et continuer"));
    EXPECT_EQ(find<QPushButton>(QStringLiteral("skipCompanyButton"))->text(),
              QStringLiteral("Passer cette étape"));
    EXPECT_FALSE(find<QPushButton>(QStringLiteral("skipCodeButton"))->isVisible());
    click(QStringLiteral("skipCompanyButton"));

    // 8. End.
    EXPECT_EQ(pageShown(), 8);
    EXPECT_EQ(find<QPushButton>(QStringLiteral("startButton"))->text(),
              QStringLiteral("Commencer"));
    EXPECT_FALSE(find<QPushButton>(QStringLiteral("wizardContinue"))->isVisible());
    EXPECT_EQ(find<QLabel>(QStringLiteral("endSessionName"))->text(),
              QStringLiteral("Atelier Nord"));
    click(QStringLiteral("startButton"));
    EXPECT_EQ(finished.count(), 1);
    EXPECT_TRUE(errorShown().isEmpty());

    const AppDatabase written = readSession(file.toLocalFile());
    EXPECT_EQ(written.preferences.appPassword, QStringLiteral("Nord-42"));
    EXPECT_EQ(written.preferences.appearanceMode, AppAppearanceMode::light);
    EXPECT_EQ(written.sessionName, QStringLiteral("Atelier Nord"));
    EXPECT_EQ(written.sessionProfileImageName, QStringLiteral("image_photographie"));
    EXPECT_FALSE(written.sessionProfilePhotoData.has_value());
    ASSERT_EQ(written.securityQuestions.size(), 2);
    EXPECT_EQ(written.securityQuestions[0].question, presetSecurityQuestions().at(8));
    EXPECT_EQ(written.securityQuestions[0].answerHash, answerDigest(QStringLiteral("couscous")));
    EXPECT_EQ(written.securityQuestions[1].question, QStringLiteral("Nom du premier voilier ?"));
    EXPECT_EQ(written.securityQuestions[1].answerHash, answerDigest(QStringLiteral("Alcyon")));
    int enabledModules = 0;
    for (const SidebarMenuItemConfig& item : written.preferences.sidebarMenuItems) {
        if (item.defaultKey == QLatin1String("stock"))
            EXPECT_FALSE(item.isEnabled);
        else if (item.isEnabled)
            ++enabledModules;
    }
    EXPECT_GE(enabledModules, 7);

    ASSERT_EQ(m_recent->entries().size(), 1);
    EXPECT_EQ(m_recent->entries().first().urlString, RecentFilesStore::urlText(file));
    EXPECT_EQ(m_recent->entries().first().sessionName, QStringLiteral("Atelier Nord"));
    EXPECT_EQ(m_recent->entries().first().profileImageName, QStringLiteral("image_photographie"));
}

TEST_F(WizardViewTest, TheCodeStepStaysWithTheModelsMessage) {
    reachAccessCode();
    next();
    EXPECT_EQ(errorShown(), QStringLiteral("Veuillez saisir un code d'accès."));

    type(QStringLiteral("accessCodeField"), QStringLiteral("Secret"));
    type(QStringLiteral("accessCodeConfirmField"), QStringLiteral("secret"));
    next();
    EXPECT_EQ(errorShown(), QStringLiteral("Les codes ne correspondent pas."));
    EXPECT_EQ(m_wizard->step(), Step::accessCode);
    EXPECT_EQ(pageShown(), 4);
    EXPECT_TRUE(m_store->preferences().appPassword.isEmpty());

    // The eye shows what was typed.
    auto* field = find<QLineEdit>(QStringLiteral("accessCodeField"));
    EXPECT_EQ(field->echoMode(), QLineEdit::Password);
    auto* toggle = field->findChild<QAction*>(QStringLiteral("accessCodeFieldToggle"));
    ASSERT_NE(toggle, nullptr);
    toggle->trigger();
    EXPECT_EQ(field->echoMode(), QLineEdit::Normal);

    auto* confirmation = find<QLineEdit>(QStringLiteral("accessCodeConfirmField"));
    confirmation->clear();
    type(QStringLiteral("accessCodeConfirmField"), QStringLiteral("Secret"));
    next();
    EXPECT_EQ(m_wizard->step(), Step::securityQuestions);
    EXPECT_TRUE(errorShown().isEmpty());
    EXPECT_EQ(m_store->preferences().appPassword, QStringLiteral("Secret"));
}

TEST_F(WizardViewTest, GoingOnWithoutACodeSkipsTheQuestionsBothWays) {
    reachAccessCode();
    click(QStringLiteral("skipCodeButton"));
    EXPECT_EQ(m_wizard->step(), Step::modules);
    EXPECT_EQ(pageShown(), 6);
    EXPECT_TRUE(m_store->preferences().appPassword.isEmpty());
    click(QStringLiteral("wizardBack"));
    EXPECT_EQ(pageShown(), 4);
    EXPECT_EQ(titleShown(), QStringLiteral("Code d'accès"));
}

TEST_F(WizardViewTest, AFolderBelowFiftyMegabytesIsRefusedInline) {
    next();
    type(QStringLiteral("sessionNameField"), QStringLiteral("Atelier"));
    next();

    m_free.bytes = 52'428'799;
    m_dialogs.chooseNext(sessionUrl());
    click(QStringLiteral("chooseLocationButton"));
    EXPECT_EQ(errorShown(), QStringLiteral("Espace insuffisant (moins de 50 Mo disponibles)."));
    EXPECT_EQ(find<QLabel>(QStringLiteral("locationFileName"))->text(),
              QStringLiteral("Aucun emplacement choisi"));
    EXPECT_FALSE(find<QPushButton>(QStringLiteral("wizardContinue"))->isEnabled());

    m_free.bytes = 52'428'800;
    m_dialogs.chooseNext(sessionUrl());
    click(QStringLiteral("chooseLocationButton"));
    EXPECT_TRUE(errorShown().isEmpty());
    EXPECT_EQ(find<QLabel>(QStringLiteral("locationFileName"))->text(),
              QStringLiteral("Atelier.cdb"));
    EXPECT_TRUE(find<QPushButton>(QStringLiteral("wizardContinue"))->isEnabled());

    // A cancelled panel changes nothing.
    click(QStringLiteral("chooseLocationButton"));
    EXPECT_EQ(m_wizard->location(), sessionUrl());
}

TEST_F(WizardViewTest, ASecondClickDuringTheSlideDoesNotAnswerTheNextStep) {
    reachAccessCode();
    click(QStringLiteral("skipCodeButton"));
    ASSERT_EQ(m_wizard->step(), Step::modules);

    AnimatedStack::setAnimationsEnabled(true);
    auto* stack = find<AnimatedStack>(QStringLiteral("wizardPages"));
    next();
    EXPECT_TRUE(stack->isAnimating());
    // The company page is still coming in: its "continue" would save it empty.
    next();
    EXPECT_EQ(m_wizard->step(), Step::company);
    click(QStringLiteral("wizardBack"));
    EXPECT_EQ(m_wizard->step(), Step::company);
    stack->finishAnimation();
    AnimatedStack::setAnimationsEnabled(false);
    EXPECT_EQ(pageShown(), 7);

    // Return in a field goes on like the button once the page is there.
    type(QStringLiteral("companyDisplayName"), QStringLiteral("Studio Nord"));
    QTest::keyClick(find<QLineEdit>(QStringLiteral("companyDisplayName")), Qt::Key_Return);
    EXPECT_EQ(m_wizard->step(), Step::end);
    EXPECT_EQ(m_store->companySettings().displayName, QStringLiteral("Studio Nord"));
}

// The company step keeps the settings' rules: a SIRET they refuse is
// refused here, with the keyboard back in the field.
TEST_F(WizardViewTest, TheCompanyStepRefusesWhatTheSettingsRefuse) {
    reachAccessCode();
    click(QStringLiteral("skipCodeButton"));
    next();
    ASSERT_EQ(m_wizard->step(), Step::company);
    auto* siret = find<QLineEdit>(QStringLiteral("companySiret"));
    type(QStringLiteral("companySiret"), QStringLiteral("12345"));
    next();
    EXPECT_EQ(m_wizard->step(), Step::company);
    EXPECT_EQ(errorShown(), QStringLiteral("Le SIRET doit comporter 14 chiffres."));
    EXPECT_EQ(m_view->focusWidget(), siret);
    siret->clear();
    type(QStringLiteral("companySiret"), QStringLiteral("123 456 789 00012"));
    EXPECT_EQ(errorShown(), QString());
    next();
    EXPECT_EQ(m_wizard->step(), Step::end);
    EXPECT_EQ(m_store->companySettings().siret, QStringLiteral("12345678900012"));
}

TEST_F(WizardViewTest, BackShowsWhatWasChosenBefore) {
    click(QStringLiteral("wizardAppearanceLight"));
    next();
    type(QStringLiteral("sessionNameField"), QStringLiteral("Atelier Nord"));
    click(QStringLiteral("presetPicture_image_sport_bienetre"));
    next();
    ASSERT_EQ(pageShown(), 3);

    click(QStringLiteral("wizardBack"));
    EXPECT_EQ(m_wizard->step(), Step::identity);
    EXPECT_EQ(pageShown(), 2);
    EXPECT_EQ(find<QLabel>(QStringLiteral("wizardStepIndicator"))->text(),
              QStringLiteral("Étape 2 sur 8"));
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("sessionNameField"))->text(),
              QStringLiteral("Atelier Nord"));
    EXPECT_TRUE(
        find<QAbstractButton>(QStringLiteral("presetPicture_image_sport_bienetre"))->isChecked());
    EXPECT_FALSE(
        find<QAbstractButton>(QStringLiteral("presetPicture_image_automobile"))->isChecked());

    click(QStringLiteral("wizardBack"));
    EXPECT_EQ(pageShown(), 1);
    EXPECT_TRUE(find<QAbstractButton>(QStringLiteral("wizardAppearanceLight"))->isChecked());
    EXPECT_FALSE(find<QPushButton>(QStringLiteral("wizardBack"))->isVisible());
}

TEST_F(WizardViewTest, QuestionRowsStayBetweenOneAndThree) {
    reachQuestions();
    const auto* page = static_cast<WizardQuestionsStep*>(m_view->currentPage());
    EXPECT_FALSE(find<QAbstractButton>(QStringLiteral("removeQuestion0"))->isEnabled());

    click(QStringLiteral("addQuestionButton"));
    click(QStringLiteral("addQuestionButton"));
    EXPECT_EQ(page->model().rowCount(), 3);
    EXPECT_NE(m_view->findChild<QComboBox*>(QStringLiteral("questionCombo2")), nullptr);
    EXPECT_FALSE(find<QPushButton>(QStringLiteral("addQuestionButton"))->isVisible());
    EXPECT_EQ(m_view->findChild<QComboBox*>(QStringLiteral("questionCombo3")), nullptr);
    EXPECT_TRUE(find<QAbstractButton>(QStringLiteral("removeQuestion0"))->isEnabled());

    // What was typed in a row follows it when another row goes.
    find<QComboBox>(QStringLiteral("questionCombo2"))->setCurrentIndex(3);
    type(QStringLiteral("answerField2"), QStringLiteral("Jules Ferry"));
    click(QStringLiteral("removeQuestion0"));
    EXPECT_EQ(page->model().rowCount(), 2);
    EXPECT_TRUE(find<QPushButton>(QStringLiteral("addQuestionButton"))->isVisible());
    EXPECT_EQ(find<QComboBox>(QStringLiteral("questionCombo1"))->currentText(),
              presetSecurityQuestions().at(3));
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("answerField1"))->text(),
              QStringLiteral("Jules Ferry"));

    // Two rows with the same question are refused by the model.
    find<QComboBox>(QStringLiteral("questionCombo0"))->setCurrentIndex(3);
    type(QStringLiteral("answerField0"), QStringLiteral("Autre"));
    next();
    EXPECT_EQ(errorShown(), QStringLiteral("Deux questions identiques ont été saisies."));
    EXPECT_EQ(m_wizard->step(), Step::securityQuestions);
    EXPECT_TRUE(m_store->securityQuestions().isEmpty());
}

TEST_F(WizardViewTest, OnlyReadableImagesBecomeTheSessionPhoto) {
    next();
    const QString text = path(QStringLiteral("notes.png"));
    writeBytes(text, "pas une image");
    m_dialogs.chooseNext(QUrl::fromLocalFile(text));
    click(QStringLiteral("choosePhotoButton"));
    ASSERT_EQ(m_dialogs.panels.size(), 1);
    EXPECT_EQ(m_dialogs.panels.first(), WizardIdentityStep::photoPanel());
    EXPECT_EQ(m_dialogs.panels.first().extension, QStringLiteral("png jpg jpeg heic gif bmp webp"));
    auto* error = find<QLabel>(QStringLiteral("pictureError"));
    EXPECT_TRUE(error->isVisible());
    EXPECT_EQ(error->text(), QStringLiteral("Ce fichier n’est pas une image lisible."));
    EXPECT_FALSE(m_wizard->photo().has_value());

    click(QStringLiteral("presetPicture_image_automobile"));
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    const QString photo = path(QStringLiteral("portrait.png"));
    ASSERT_TRUE(image.save(photo));
    m_dialogs.chooseNext(QUrl::fromLocalFile(photo));
    click(QStringLiteral("choosePhotoButton"));
    EXPECT_FALSE(error->isVisible());
    ASSERT_TRUE(m_wizard->photo().has_value());
    EXPECT_EQ(*m_wizard->photo(), readBytes(photo));
    EXPECT_FALSE(m_wizard->presetImage().has_value());
    EXPECT_FALSE(
        find<QAbstractButton>(QStringLiteral("presetPicture_image_automobile"))->isChecked());

    click(QStringLiteral("removePictureButton"));
    EXPECT_FALSE(m_wizard->photo().has_value());
    EXPECT_FALSE(find<QPushButton>(QStringLiteral("removePictureButton"))->isEnabled());
}

TEST_F(WizardViewTest, AFailedStartKeepsEverythingAndSaysWhy) {
    reachAccessCode();
    click(QStringLiteral("skipCodeButton"));
    next();
    type(QStringLiteral("companyDisplayName"), QStringLiteral("Studio Nord"));
    next();
    ASSERT_EQ(m_wizard->step(), Step::end);
    EXPECT_EQ(m_store->companySettings().displayName, QStringLiteral("Studio Nord"));

    QSignalSpy finished(m_wizard.get(), &SessionWizard::finished);
    m_fs.failOn(FaultyFileSystem::Op::Write);
    click(QStringLiteral("startButton"));
    EXPECT_EQ(finished.count(), 0);
    EXPECT_FALSE(errorShown().isEmpty());
    EXPECT_EQ(errorShown(), m_wizard->error());
    EXPECT_EQ(pageShown(), 8);
    EXPECT_TRUE(m_wizard->inProgress());
    // The failure is no new creation: what was typed is still there.
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("sessionNameField"))->text(),
              QStringLiteral("Atelier Nord"));
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("companyDisplayName"))->text(),
              QStringLiteral("Studio Nord"));

    m_fs.heal();
    click(QStringLiteral("startButton"));
    EXPECT_EQ(finished.count(), 1);
    EXPECT_TRUE(errorShown().isEmpty());
}

TEST_F(WizardViewTest, TheCompanyStepWritesItsFieldsAndALogoThatCanBeDrawn) {
    reachAccessCode();
    click(QStringLiteral("skipCodeButton"));
    next();
    ASSERT_EQ(m_wizard->step(), Step::company);
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("companyDisplayName"))->placeholderText(),
              QStringLiteral("Nom affiché (ex : Studio Créatif)"));
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("companyLegalStatus"))->placeholderText(),
              QStringLiteral("Statut juridique (ex : Micro-entrepreneur)"));
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("companyAddressLine2"))->placeholderText(),
              QStringLiteral("Adresse ligne 2 (code postal, ville)"));

    const QString notes = path(QStringLiteral("logo.png"));
    writeBytes(notes, "pas un logo");
    m_dialogs.chooseNext(QUrl::fromLocalFile(notes));
    click(QStringLiteral("chooseLogoButton"));
    // The same logos as in the settings.
    EXPECT_EQ(m_dialogs.panels.last(), CompanySettingsForm::logoPanel());
    EXPECT_EQ(find<QLabel>(QStringLiteral("companyLogoError"))->text(),
              QStringLiteral("Ce fichier n’est pas une image lisible."));

    const QString logo = path(QStringLiteral("vrai-logo.svg"));
    writeBytes(logo, R"(<svg xmlns="http://www.w3.org/2000/svg" width="10" height="10">)"
                     R"(<rect width="10" height="10" fill="#336699"/></svg>)");
    m_dialogs.chooseNext(QUrl::fromLocalFile(logo));
    click(QStringLiteral("chooseLogoButton"));
    EXPECT_FALSE(find<QLabel>(QStringLiteral("companyLogoError"))->isVisible());
    type(QStringLiteral("companyDisplayName"), QStringLiteral("Studio Nord"));
    type(QStringLiteral("companySiret"), QStringLiteral("12345678900011"));
    type(QStringLiteral("companyAddressLine2"), QStringLiteral("75011 Paris"));
    next();

    EXPECT_EQ(m_wizard->step(), Step::end);
    const CompanySettings company = m_store->companySettings();
    EXPECT_EQ(company.displayName, QStringLiteral("Studio Nord"));
    EXPECT_EQ(company.siret, QStringLiteral("12345678900011"));
    EXPECT_EQ(company.addressLine2, QStringLiteral("75011 Paris"));
    EXPECT_TRUE(company.ownerName.isEmpty());
    ASSERT_TRUE(m_store->preferences().invoiceLogoURL.has_value());
    EXPECT_EQ(readBytes(m_store->preferences().invoiceLogoURL->toLocalFile()), readBytes(logo));
}

TEST_F(WizardViewTest, ANewCreationStartsFromEmptyPages) {
    click(QStringLiteral("wizardAppearanceLight"));
    reachQuestions();
    click(QStringLiteral("addQuestionButton"));
    type(QStringLiteral("answerField0"), QStringLiteral("Rex"));

    m_wizard->abandon();
    m_wizard->start();
    EXPECT_EQ(pageShown(), 1);
    EXPECT_EQ(find<QLabel>(QStringLiteral("wizardStepIndicator"))->text(),
              QStringLiteral("Étape 1 sur 8"));
    // The new session is dark again, and so is the screen.
    EXPECT_TRUE(find<QAbstractButton>(QStringLiteral("wizardAppearanceDark"))->isChecked());
    EXPECT_EQ(theme::current(), AppAppearanceMode::dark);
    EXPECT_TRUE(find<QLineEdit>(QStringLiteral("sessionNameField"))->text().isEmpty());
    EXPECT_TRUE(find<QLineEdit>(QStringLiteral("accessCodeField"))->text().isEmpty());
    EXPECT_TRUE(find<QLineEdit>(QStringLiteral("answerField0"))->text().isEmpty());
    EXPECT_EQ(m_view->findChild<QComboBox*>(QStringLiteral("questionCombo1")), nullptr);
    EXPECT_EQ(find<QComboBox>(QStringLiteral("questionCombo0"))->currentIndex(), -1);
}

// The stack the wizard and the lock screen slide with.
class AnimatedStackTest : public ::testing::Test {
protected:
    void SetUp() override {
        AnimatedStack::setAnimationsEnabled(true);
        for (int i = 0; i < 3; ++i)
            m_stack.addWidget(new QLabel(QStringLiteral("Page %1").arg(i)));
        m_stack.resize(400, 300);
        m_stack.show();
    }
    void TearDown() override { AnimatedStack::setAnimationsEnabled(false); }

    AnimatedStack m_stack;
};

TEST_F(AnimatedStackTest, ANewChangeCompletesTheRunningOne) {
    QSignalSpy done(&m_stack, &AnimatedStack::transitionFinished);
    m_stack.slideTo(1, 10'000);
    EXPECT_TRUE(m_stack.isAnimating());
    EXPECT_EQ(m_stack.currentIndex(), 0);
    EXPECT_TRUE(m_stack.widget(1)->isVisible());

    m_stack.slideTo(2, 10'000, true);
    ASSERT_GE(done.count(), 1);
    EXPECT_EQ(done.first().first().toInt(), 1);
    m_stack.setCurrentIndex(0);
    EXPECT_FALSE(m_stack.isAnimating());
    EXPECT_EQ(m_stack.currentIndex(), 0);
    // Every page is back in place, alone and without its fade.
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(m_stack.widget(i)->geometry(), m_stack.widget(0)->geometry());
        EXPECT_EQ(m_stack.widget(i)->graphicsEffect(), nullptr);
        EXPECT_EQ(m_stack.widget(i)->isVisible(), i == 0);
    }
}

TEST_F(AnimatedStackTest, AnAnimationEndsOnItsOwnAndOutOfRangeIsIgnored) {
    QSignalSpy done(&m_stack, &AnimatedStack::transitionFinished);
    m_stack.slideTo(2, 40);
    EXPECT_TRUE(done.wait(2000));
    EXPECT_EQ(m_stack.currentIndex(), 2);
    EXPECT_FALSE(m_stack.isAnimating());
    EXPECT_FALSE(m_stack.widget(0)->isVisible());

    m_stack.slideTo(7, 40);
    m_stack.slideTo(-1, 40);
    EXPECT_FALSE(m_stack.isAnimating());
    EXPECT_EQ(m_stack.currentIndex(), 2);

    AnimatedStack::setAnimationsEnabled(false);
    m_stack.slideTo(0, 40);
    EXPECT_FALSE(m_stack.isAnimating());
    EXPECT_EQ(m_stack.currentIndex(), 0);
}

} // namespace
