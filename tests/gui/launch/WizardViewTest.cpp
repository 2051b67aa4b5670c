#include "ScriptedDialogs.h"
#include "WidgetDriver.h"

#include "core/app/CompanySettingsForm.h"
#include "core/security/AccessCode.h"
#include "core/security/WizardSecuritySteps.h"
#include "core/session/SessionWizard.h"
#include "core/store/RecentFilesStore.h"
#include "gui/common/AnimatedStack.h"
#include "gui/common/Theme.h"
#include "gui/launch/WizardIdentityStep.h"
#include "gui/launch/WizardLocationStep.h"
#include "gui/launch/WizardQuestionsStep.h"
#include "gui/launch/WizardView.h"
#include "support/DesktopStubs.h"
#include "support/QtPrinters.h"
#include "support/StoreFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QPushButton>
#include <QSignalSpy>

using namespace velmora;
using namespace velmora::gui;
using namespace Qt::StringLiterals;
using velmora::test::FaultyFileSystem;
using velmora::test::StoreFixture;
using Step = SessionWizard::Step;

namespace {

class WizardViewTest : public gui::test::WidgetDriver<StoreFixture> {
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
    QWidget& driven() override { return *m_view; }

    QString errorShown() { return shownText(u"wizardError"_s); }
    QString titleShown() const {
        auto* label = m_view->currentPage()->findChild<QLabel*>(u"wizardStepTitle"_s);
        return label ? label->text() : QString();
    }
    // The page the stack shows is the model's step.
    int pageShown() { return find<AnimatedStack>(u"wizardPages"_s)->currentIndex() + 1; }
    void next() { click(u"wizardContinue"_s); }
    bool shown(const QString& name) { return find<QWidget>(name)->isVisible(); }

    QUrl sessionUrl(const QString& name = u"Atelier.cdb"_s) {
        QDir().mkpath(path(u"Documents"_s));
        return QUrl::fromLocalFile(path(u"Documents/"_s + name));
    }
    // Steps 1 to 3 through the widgets.
    void reachAccessCode() {
        next();
        type(u"sessionNameField"_s, u"Atelier Nord"_s);
        next();
        m_dialogs.chooseNext(sessionUrl());
        click(u"chooseLocationButton"_s);
        next();
        ASSERT_EQ(m_wizard->step(), Step::accessCode);
    }
    void reachQuestions() {
        reachAccessCode();
        type(u"accessCodeField"_s, u"Nord-42"_s);
        type(u"accessCodeConfirmField"_s, u"Nord-42"_s);
        next();
        ASSERT_EQ(m_wizard->step(), Step::securityQuestions);
    }
    void reachCompany() {
        reachAccessCode();
        click(u"skipCodeButton"_s);
        next();
        ASSERT_EQ(m_wizard->step(), Step::company);
    }

    velmora::test::StubFreeSpace m_free;
    gui::test::ScriptedDialogs m_dialogs;
    std::unique_ptr<AppDataStore> m_store;
    std::unique_ptr<RecentFilesStore> m_recent;
    std::unique_ptr<SessionWizard> m_wizard;
    std::unique_ptr<WizardView> m_view;
};

TEST_F(WizardViewTest, AWholeCreationThroughTheWidgetsWritesTheSessionAndListsIt) {
    QSignalSpy finished(m_wizard.get(), &SessionWizard::finished);

    // 1. Appearance, applied at once.
    EXPECT_EQ(find<QLabel>(u"wizardStepIndicator"_s)->text(), u"Étape 1 sur 8"_s);
    EXPECT_EQ(titleShown(), SessionWizard::title(Step::appearance));
    EXPECT_FALSE(shown(u"wizardBack"_s));
    click(u"wizardAppearanceLight"_s);
    EXPECT_EQ(m_store->preferences().appearanceMode, AppAppearanceMode::light);
    EXPECT_EQ(theme::current(), AppAppearanceMode::light);
    next();

    // 2. Identity: no name, no way on.
    EXPECT_EQ(pageShown(), 2);
    EXPECT_TRUE(shown(u"wizardBack"_s));
    EXPECT_EQ(find<QLineEdit>(u"sessionNameField"_s)->placeholderText(),
              u"Ex : Mon entreprise, Freelance…"_s);
    EXPECT_FALSE(find<QPushButton>(u"wizardContinue"_s)->isEnabled());
    type(u"sessionNameField"_s, u"   "_s);
    EXPECT_FALSE(find<QPushButton>(u"wizardContinue"_s)->isEnabled());
    type(u"sessionNameField"_s, u"Atelier Nord"_s);
    click(u"presetPicture_image_photographie"_s);
    EXPECT_EQ(m_wizard->presetImage(), u"image_photographie"_s);
    next();

    // 3. Location through the save panel.
    EXPECT_EQ(titleShown(), SessionWizard::title(Step::location));
    EXPECT_FALSE(find<QPushButton>(u"wizardContinue"_s)->isEnabled());
    // A folder below 50 Mo is refused inline.
    const QUrl file = sessionUrl();
    m_free.bytes = 52'428'799;
    m_dialogs.chooseNext(file);
    click(u"chooseLocationButton"_s);
    EXPECT_EQ(errorShown(), SessionWizard::insufficientSpaceMessage());
    EXPECT_EQ(find<QLabel>(u"locationFileName"_s)->text(), u"Aucun emplacement choisi"_s);
    EXPECT_FALSE(find<QPushButton>(u"wizardContinue"_s)->isEnabled());
    m_free.bytes = 52'428'800;
    m_dialogs.chooseNext(file);
    click(u"chooseLocationButton"_s);
    EXPECT_TRUE(errorShown().isEmpty());
    FilePanel proposed = SessionWizard::locationPanel();
    proposed.proposedName = WizardLocationStep::proposedFile(u"Atelier Nord"_s);
    EXPECT_EQ(m_dialogs.panels, (QList<FilePanel>{proposed, proposed}));
    EXPECT_EQ(find<QLabel>(u"locationFileName"_s)->text(), u"Atelier.cdb"_s);
    // A cancelled panel changes nothing.
    click(u"chooseLocationButton"_s);
    EXPECT_EQ(m_wizard->location(), file);
    next();
    EXPECT_TRUE(QFileInfo::exists(file.toLocalFile()));

    // 4. Code.
    EXPECT_EQ(pageShown(), 4);
    EXPECT_EQ(find<QPushButton>(u"skipCodeButton"_s)->text(), AccessCodeStep::skipButton());
    type(u"accessCodeField"_s, u"Nord-42"_s);
    type(u"accessCodeConfirmField"_s, u"Nord-42"_s);
    next();

    // 5. Two questions, one of them the user's own.
    EXPECT_EQ(titleShown(), SessionWizard::title(Step::securityQuestions));
    auto* first = find<QComboBox>(u"questionCombo0"_s);
    EXPECT_EQ(first->placeholderText(), SecurityQuestionsStep::pickerPrompt());
    ASSERT_EQ(first->count(), 11);
    EXPECT_EQ(first->itemText(10), SecurityQuestionsStep::customEntry());
    first->setCurrentIndex(8);
    type(u"answerField0"_s, u"  Couscous "_s);
    click(u"addQuestionButton"_s);
    EXPECT_FALSE(shown(u"customQuestionField1"_s));
    find<QComboBox>(u"questionCombo1"_s)->setCurrentIndex(10);
    type(u"customQuestionField1"_s, u"Nom du premier voilier ?"_s);
    type(u"answerField1"_s, u"Alcyon"_s);
    next();

    // 6. Modules: stock off.
    EXPECT_EQ(pageShown(), 6);
    EXPECT_TRUE(find<QAbstractButton>(u"moduleSwitch_stock"_s)->isChecked());
    click(u"moduleSwitch_stock"_s);
    next();

    // 7. Company skipped.
    EXPECT_EQ(find<QPushButton>(u"wizardContinue"_s)->text(), u"Enregistrer et continuer"_s);
    EXPECT_EQ(find<QPushButton>(u"skipCompanyButton"_s)->text(), u"Passer cette étape"_s);
    EXPECT_FALSE(shown(u"skipCodeButton"_s));
    click(u"skipCompanyButton"_s);

    // 8. End.
    EXPECT_EQ(pageShown(), 8);
    EXPECT_EQ(find<QPushButton>(u"startButton"_s)->text(), u"Commencer"_s);
    EXPECT_FALSE(shown(u"wizardContinue"_s));
    EXPECT_EQ(find<QLabel>(u"endSessionName"_s)->text(), u"Atelier Nord"_s);
    click(u"startButton"_s);
    EXPECT_EQ(finished.count(), 1);
    EXPECT_TRUE(errorShown().isEmpty());

    const AppDatabase written = readSession(file.toLocalFile());
    EXPECT_EQ(written.preferences.appPassword, u"Nord-42"_s);
    EXPECT_EQ(written.preferences.appearanceMode, AppAppearanceMode::light);
    EXPECT_EQ(written.sessionName, u"Atelier Nord"_s);
    ASSERT_EQ(written.securityQuestions.size(), 2);
    EXPECT_EQ(written.securityQuestions[0].question, presetSecurityQuestions().at(8));
    EXPECT_EQ(written.securityQuestions[0].answerHash, answerDigest(u"couscous"_s));
    EXPECT_EQ(written.securityQuestions[1].question, u"Nom du premier voilier ?"_s);
    EXPECT_EQ(written.securityQuestions[1].answerHash, answerDigest(u"Alcyon"_s));
    for (const SidebarMenuItemConfig& item : written.preferences.sidebarMenuItems)
        EXPECT_EQ(item.isEnabled, item.defaultKey != "stock"_L1) << item.defaultKey.toStdString();
}

// The step shows the model's message, which stays while it is deserved and
// goes once the typing fixes it.
TEST_F(WizardViewTest, TheCodeStepShowsTheModelsMessageUntilFixed) {
    reachAccessCode();
    next();
    EXPECT_EQ(errorShown(), securitytext::emptyWizardCode());
    type(u"accessCodeField"_s, u"Secret"_s);
    EXPECT_EQ(errorShown(), QString());
    next();
    EXPECT_EQ(errorShown(), securitytext::codesDiffer());
    type(u"accessCodeConfirmField"_s, u"secret"_s);
    next();
    EXPECT_EQ(errorShown(), securitytext::codesDiffer());
    type(u"accessCodeConfirmField"_s, u"Sec"_s);
    EXPECT_EQ(errorShown(), securitytext::codesDiffer()) << "still deserved";
    EXPECT_EQ(m_wizard->step(), Step::accessCode);
    EXPECT_EQ(pageShown(), 4);
    EXPECT_TRUE(m_store->preferences().appPassword.isEmpty());

    // The eye shows what was typed.
    auto* field = find<QLineEdit>(u"accessCodeField"_s);
    EXPECT_EQ(field->echoMode(), QLineEdit::Password);
    auto* toggle = field->findChild<QAction*>(u"accessCodeFieldToggle"_s);
    ASSERT_NE(toggle, nullptr);
    toggle->trigger();
    EXPECT_EQ(field->echoMode(), QLineEdit::Normal);

    type(u"accessCodeConfirmField"_s, u"Secret"_s);
    EXPECT_EQ(errorShown(), QString());
    next();
    EXPECT_EQ(m_wizard->step(), Step::securityQuestions);
    EXPECT_EQ(m_store->preferences().appPassword, u"Secret"_s);
}

TEST_F(WizardViewTest, ASecondClickDuringTheSlideDoesNotAnswerTheNextStep) {
    reachAccessCode();
    click(u"skipCodeButton"_s);
    ASSERT_EQ(m_wizard->step(), Step::modules);

    AnimatedStack::setAnimationsEnabled(true);
    auto* stack = find<AnimatedStack>(u"wizardPages"_s);
    next();
    EXPECT_TRUE(stack->isAnimating());
    // The company page is still coming in: its "continue" would save it empty.
    next();
    EXPECT_EQ(m_wizard->step(), Step::company);
    click(u"wizardBack"_s);
    EXPECT_EQ(m_wizard->step(), Step::company);
    stack->finishAnimation();
    AnimatedStack::setAnimationsEnabled(false);
    EXPECT_EQ(pageShown(), 7);

    // Return in a field goes on like the button once the page is there.
    type(u"companyDisplayName"_s, u"Studio Nord"_s);
    QTest::keyClick(find<QLineEdit>(u"companyDisplayName"_s), Qt::Key_Return);
    EXPECT_EQ(m_wizard->step(), Step::end);
    EXPECT_EQ(m_store->companySettings().displayName, u"Studio Nord"_s);
}

// The company step keeps the settings' rules: a SIRET they refuse is refused
// here, with the keyboard back in the field; a logo is one they can draw.
TEST_F(WizardViewTest, TheCompanyStepKeepsTheSettingsRulesAndAFailedStartKeepsIt) {
    reachCompany();
    EXPECT_EQ(find<QLineEdit>(u"companyDisplayName"_s)->placeholderText(),
              u"Nom affiché (ex : Studio Créatif)"_s);
    EXPECT_EQ(find<QLineEdit>(u"companyLegalStatus"_s)->placeholderText(),
              u"Statut juridique (ex : Micro-entrepreneur)"_s);
    EXPECT_EQ(find<QLineEdit>(u"companyAddressLine2"_s)->placeholderText(),
              u"Adresse ligne 2 (code postal, ville)"_s);
    // A filled field keeps its name above it.
    const std::pair<const char*, QString> captions[] = {
        {"companyDisplayName", u"Nom affiché"_s},
        {"companyOwnerName", u"Nom et prénom"_s},
        {"companySiret", u"SIRET"_s},
        {"companyAddressLine2", u"Adresse ligne 2"_s}};
    for (const auto& [field, text] : captions) {
        const QString name = QString::fromLatin1(field);
        type(name, u"Rempli"_s);
        auto* caption = find<QLabel>(name + u"Caption"_s);
        ASSERT_NE(caption, nullptr) << field;
        EXPECT_TRUE(caption->isVisibleTo(m_view.get())) << field;
        EXPECT_EQ(caption->text(), text);
        EXPECT_EQ(caption->buddy(), find<QLineEdit>(name));
    }

    const QString notes = path(u"logo.png"_s);
    writeBytes(notes, "pas un logo");
    m_dialogs.chooseNext(QUrl::fromLocalFile(notes));
    click(u"chooseLogoButton"_s);
    // The same logos as in the settings.
    EXPECT_EQ(m_dialogs.panels.last(), CompanySettingsForm::logoPanel());
    EXPECT_EQ(find<QLabel>(u"companyLogoError"_s)->text(),
              u"Ce fichier n’est pas une image lisible."_s);
    const QString logo = path(u"vrai-logo.svg"_s);
    writeBytes(logo, R"(<svg xmlns="http://www.w3.org/2000/svg" width="10" height="10">)"
                     R"(<rect width="10" height="10" fill="#336699"/></svg>)");
    m_dialogs.chooseNext(QUrl::fromLocalFile(logo));
    click(u"chooseLogoButton"_s);
    EXPECT_FALSE(shown(u"companyLogoError"_s));

    type(u"companySiret"_s, u"12345"_s);
    type(u"companyDisplayName"_s, u"Studio Nord"_s);
    type(u"companyAddressLine2"_s, u"75011 Paris"_s);
    click(u"companyPaymentMethod_Espèces"_s);
    click(u"companyPaymentMethod_Virement"_s);
    next();
    EXPECT_EQ(m_wizard->step(), Step::company);
    EXPECT_EQ(errorShown(), CompanySettingsForm::siretMessage());
    EXPECT_EQ(m_view->focusWidget(), find<QLineEdit>(u"companySiret"_s));
    type(u"companySiret"_s, u"123 456 789 00012"_s);
    EXPECT_EQ(errorShown(), QString());
    next();

    EXPECT_EQ(m_wizard->step(), Step::end);
    const CompanySettings company = m_store->companySettings();
    EXPECT_EQ(company.displayName, u"Studio Nord"_s);
    EXPECT_EQ(company.siret, u"12345678900012"_s);
    EXPECT_EQ(company.addressLine2, u"75011 Paris"_s);
    EXPECT_EQ(company.ownerName, u"Rempli"_s);
    EXPECT_TRUE(company.legalStatus.isEmpty());
    EXPECT_EQ(company.acceptedPaymentMethods, (QStringList{u"Virement"_s, u"Espèces"_s}));
    ASSERT_TRUE(m_store->preferences().invoiceLogoURL.has_value());
    EXPECT_EQ(readBytes(m_store->preferences().invoiceLogoURL->toLocalFile()), readBytes(logo));

    // A start that fails keeps everything and says why.
    QSignalSpy finished(m_wizard.get(), &SessionWizard::finished);
    m_fs.failOn(FaultyFileSystem::Op::Write);
    click(u"startButton"_s);
    EXPECT_EQ(finished.count(), 0);
    EXPECT_FALSE(errorShown().isEmpty());
    EXPECT_EQ(errorShown(), m_wizard->error());
    EXPECT_EQ(pageShown(), 8);
    EXPECT_TRUE(m_wizard->inProgress());
    EXPECT_TRUE(m_recent->entries().isEmpty());
    // The failure is no new creation: what was typed is still there.
    EXPECT_EQ(find<QLineEdit>(u"sessionNameField"_s)->text(), u"Atelier Nord"_s);
    EXPECT_EQ(find<QLineEdit>(u"companyDisplayName"_s)->text(), u"Studio Nord"_s);

    m_fs.heal();
    click(u"startButton"_s);
    EXPECT_EQ(finished.count(), 1);
    EXPECT_TRUE(errorShown().isEmpty());
}

// Back shows what was chosen before; a new creation starts from empty pages.
TEST_F(WizardViewTest, BackShowsWhatWasChosenAndANewCreationForgetsIt) {
    click(u"wizardAppearanceLight"_s);
    next();
    type(u"sessionNameField"_s, u"Atelier Nord"_s);
    click(u"presetPicture_image_sport_bienetre"_s);
    next();
    ASSERT_EQ(pageShown(), 3);

    click(u"wizardBack"_s);
    EXPECT_EQ(m_wizard->step(), Step::identity);
    EXPECT_EQ(pageShown(), 2);
    EXPECT_EQ(find<QLabel>(u"wizardStepIndicator"_s)->text(), u"Étape 2 sur 8"_s);
    EXPECT_EQ(find<QLineEdit>(u"sessionNameField"_s)->text(), u"Atelier Nord"_s);
    EXPECT_TRUE(find<QAbstractButton>(u"presetPicture_image_sport_bienetre"_s)->isChecked());
    EXPECT_FALSE(find<QAbstractButton>(u"presetPicture_image_automobile"_s)->isChecked());

    click(u"wizardBack"_s);
    EXPECT_EQ(pageShown(), 1);
    EXPECT_TRUE(find<QAbstractButton>(u"wizardAppearanceLight"_s)->isChecked());
    EXPECT_FALSE(shown(u"wizardBack"_s));

    reachQuestions();
    click(u"addQuestionButton"_s);
    type(u"answerField0"_s, u"Rex"_s);

    m_wizard->abandon();
    m_wizard->start();
    EXPECT_EQ(pageShown(), 1);
    EXPECT_EQ(find<QLabel>(u"wizardStepIndicator"_s)->text(), u"Étape 1 sur 8"_s);
    // The new session is dark again, and so is the screen.
    EXPECT_TRUE(find<QAbstractButton>(u"wizardAppearanceDark"_s)->isChecked());
    EXPECT_EQ(theme::current(), AppAppearanceMode::dark);
    for (const QString& field : {u"sessionNameField"_s, u"accessCodeField"_s, u"answerField0"_s})
        EXPECT_TRUE(find<QLineEdit>(field)->text().isEmpty()) << field.toStdString();
    EXPECT_EQ(m_view->findChild<QComboBox*>(u"questionCombo1"_s), nullptr);
    EXPECT_EQ(find<QComboBox>(u"questionCombo0"_s)->currentIndex(), -1);
    EXPECT_FALSE(find<QAbstractButton>(u"presetPicture_image_sport_bienetre"_s)->isChecked());
}

// The step says its details appear on the recipe book: the book's header
// holds them once the step is saved.
TEST_F(WizardViewTest, TheCompanyTypedInTheStepHeadsTheRecipeBook) {
    reachCompany();
    type(u"companyDisplayName"_s, u"Studio Nord"_s);
    type(u"companyOwnerName"_s, u"Nora Bensaïd"_s);
    type(u"companySiret"_s, u"123 456 789 00012"_s);
    type(u"companyAddressLine2"_s, u"75011 Paris"_s);
    next();
    ASSERT_EQ(m_wizard->step(), Step::end);
    const AccountingRecipeSettings book = m_store->accountingRecipeSettings();
    EXPECT_EQ(book.companyName, u"Studio Nord"_s);
    EXPECT_EQ(book.ownerName, u"Nora Bensaïd"_s);
    EXPECT_EQ(book.siret, u"12345678900012"_s);
    EXPECT_EQ(book.addressLine2, u"75011 Paris"_s);
    EXPECT_EQ(book.title, AccountingRecipeSettings().title);
}

TEST_F(WizardViewTest, QuestionRowsStayBetweenOneAndThree) {
    reachQuestions();
    const auto* page = static_cast<WizardQuestionsStep*>(m_view->currentPage());
    EXPECT_FALSE(find<QAbstractButton>(u"removeQuestion0"_s)->isEnabled());

    click(u"addQuestionButton"_s);
    click(u"addQuestionButton"_s);
    EXPECT_EQ(page->model().rowCount(), 3);
    EXPECT_NE(m_view->findChild<QComboBox*>(u"questionCombo2"_s), nullptr);
    EXPECT_FALSE(shown(u"addQuestionButton"_s));
    EXPECT_EQ(m_view->findChild<QComboBox*>(u"questionCombo3"_s), nullptr);
    EXPECT_TRUE(find<QAbstractButton>(u"removeQuestion0"_s)->isEnabled());

    // What was typed in a row follows it when another row goes.
    find<QComboBox>(u"questionCombo2"_s)->setCurrentIndex(3);
    type(u"answerField2"_s, u"Jules Ferry"_s);
    click(u"removeQuestion0"_s);
    EXPECT_EQ(page->model().rowCount(), 2);
    EXPECT_TRUE(shown(u"addQuestionButton"_s));
    EXPECT_EQ(find<QComboBox>(u"questionCombo1"_s)->currentText(), presetSecurityQuestions().at(3));
    EXPECT_EQ(find<QLineEdit>(u"answerField1"_s)->text(), u"Jules Ferry"_s);
}

TEST_F(WizardViewTest, OnlyReadableImagesBecomeTheSessionPhoto) {
    next();
    const QString text = path(u"notes.png"_s);
    writeBytes(text, "pas une image");
    m_dialogs.chooseNext(QUrl::fromLocalFile(text));
    click(u"choosePhotoButton"_s);
    ASSERT_EQ(m_dialogs.panels.size(), 1);
    EXPECT_EQ(m_dialogs.panels.first(), WizardIdentityStep::photoPanel());
    EXPECT_EQ(m_dialogs.panels.first().extension, u"png jpg jpeg heic gif bmp webp"_s);
    EXPECT_EQ(shownText(u"pictureError"_s), u"Ce fichier n’est pas une image lisible."_s);
    EXPECT_FALSE(m_wizard->photo().has_value());

    click(u"presetPicture_image_automobile"_s);
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    const QString photo = path(u"portrait.png"_s);
    ASSERT_TRUE(image.save(photo));
    m_dialogs.chooseNext(QUrl::fromLocalFile(photo));
    click(u"choosePhotoButton"_s);
    EXPECT_FALSE(shown(u"pictureError"_s));
    ASSERT_TRUE(m_wizard->photo().has_value());
    EXPECT_EQ(*m_wizard->photo(), readBytes(photo));
    EXPECT_FALSE(m_wizard->presetImage().has_value());
    EXPECT_FALSE(find<QAbstractButton>(u"presetPicture_image_automobile"_s)->isChecked());

    click(u"removePictureButton"_s);
    EXPECT_FALSE(m_wizard->photo().has_value());
    EXPECT_FALSE(find<QPushButton>(u"removePictureButton"_s)->isEnabled());
}

// The stack the wizard and the lock screen slide with.
class AnimatedStackTest : public ::testing::Test {
protected:
    void SetUp() override {
        AnimatedStack::setAnimationsEnabled(true);
        for (int i = 0; i < 3; ++i)
            m_stack.addWidget(new QLabel(u"Page %1"_s.arg(i)));
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
