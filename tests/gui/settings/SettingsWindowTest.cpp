#include "gui/settings/SettingsWindow.h"
#include "ScriptedDialogs.h"
#include "WidgetDriver.h"
#include "core/app/BackupSettingsForm.h"
#include "core/app/CompanySettingsForm.h"
#include "core/app/PaymentMethodChoice.h"
#include "core/app/SettingsPages.h"
#include "core/app/SidebarMenuEditor.h"
#include "core/security/AccessCode.h"
#include "gui/settings/AppearancePage.h"
#include "gui/settings/ChangeCodeSheet.h"
#include "gui/settings/CompanyPage.h"
#include "gui/settings/SidebarPage.h"
#include "support/MirroredStoreFixture.h"
#include "support/QtPrinters.h"
#include "support/SessionChange.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>

using namespace velmora;
using namespace velmora::gui;
using namespace velmora::gui::test;
using namespace velmora::test;
using namespace Qt::StringLiterals;

namespace {

class SettingsWindowTest : public WidgetDriver<MirroredStoreFixture> {
protected:
    void SetUp() override {
        MirroredStoreFixture::SetUp();
        window = std::make_unique<SettingsWindow>(*store, dialogs);
        window->show();
        // Fields are left as a person leaves them: the focus moves on.
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void TearDown() override { window.reset(); }
    QWidget& driven() override { return *window; }

    QLabel* label(const QString& name) { return find<QLabel>(name); }
    // Tab to the next field.
    void leave(const QString& name) {
        QWidget* field = find<QWidget>(name);
        ASSERT_NE(field, nullptr);
        QTest::keyClick(field, Qt::Key_Tab);
    }
    static QWidget* focused() { return QApplication::focusWidget(); }
    // Shown when its window is: the inline messages are hidden when empty.
    static bool shown(QWidget* widget) { return widget && !widget->isHidden(); }

    QLineEdit* sidebarName(int row) const {
        QLineEdit* field = window->sidebarPage()->nameField(row);
        EXPECT_NE(field, nullptr) << row;
        return field;
    }
    QCheckBox* sidebarBox(int row) const {
        QCheckBox* box = window->sidebarPage()->enabledBox(row);
        EXPECT_NE(box, nullptr) << row;
        return box;
    }
    ChangeCodeSheet* openCodeSheet() {
        window->showPage(SettingsPage::security);
        click(u"changeCodeButton"_s);
        auto* sheet = window->findChild<ChangeCodeSheet*>(u"changeCodeSheet"_s);
        EXPECT_TRUE(sheet && sheet->isVisible());
        return sheet;
    }

    void failSaves() { m_fs.failOn(FaultyFileSystem::Op::Write); }
    void expectSaveFailedAlert() {
        ASSERT_FALSE(dialogs.alerts.isEmpty());
        EXPECT_EQ(dialogs.alerts.last().title, u"Enregistrement impossible"_s);
        EXPECT_TRUE(dialogs.alerts.last().message.contains(u"No space left"_s))
            << dialogs.alerts.last().message.toStdString();
    }

    ScriptedDialogs dialogs;
    std::unique_ptr<SettingsWindow> window;
};

QStringList keysOf(const QList<SidebarMenuItemConfig>& items) {
    QStringList keys;
    for (const SidebarMenuItemConfig& item : items)
        keys << item.defaultKey;
    return keys;
}

} // namespace

// The names of the window and its pages are those of the pages' model.
TEST_F(SettingsWindowTest, IsANonModalWindowOfFivePages) {
    EXPECT_EQ(window->windowTitle(), settingspages::windowTitle());
    EXPECT_FALSE(window->isModal());
    EXPECT_EQ(window->size(), QSize(860, 600));
    auto* pages = find<QListWidget>(u"settingsPages"_s);
    auto* stack = find<QStackedWidget>(u"settingsStack"_s);
    ASSERT_TRUE(pages && stack);
    ASSERT_EQ(pages->count(), 5);
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ(pages->item(row)->text(), settingspages::title(settingspages::all()[row]));
    EXPECT_EQ(window->currentPage(), SettingsPage::appearance);
    pages->setCurrentRow(3);
    EXPECT_EQ(stack->currentIndex(), 3);
    EXPECT_EQ(window->currentPage(), SettingsPage::backup);
    window->showPage(SettingsPage::security);
    EXPECT_EQ(stack->currentIndex(), 2);
    EXPECT_EQ(pages->currentRow(), 2);
}

TEST_F(SettingsWindowTest, AppearanceIsSavedWhenChosen) {
    auto* dark = find<QRadioButton>(u"appearanceDark"_s);
    auto* light = find<QRadioButton>(u"appearanceLight"_s);
    ASSERT_TRUE(dark && light);
    EXPECT_EQ(dark->text(), u"Sombre"_s);
    EXPECT_EQ(light->text(), u"Clair"_s);
    EXPECT_TRUE(dark->isChecked());

    light->click();
    EXPECT_EQ(store->preferences().appearanceMode, AppAppearanceMode::light);
    EXPECT_EQ(onDisk().preferences.appearanceMode, AppAppearanceMode::light);
    EXPECT_TRUE(dialogs.alerts.isEmpty());

    // A failed save says so and shows the appearance still in force.
    failSaves();
    dark->click();
    expectSaveFailedAlert();
    EXPECT_TRUE(light->isChecked());
    EXPECT_EQ(store->preferences().appearanceMode, AppAppearanceMode::light);
    EXPECT_EQ(onDisk().preferences.appearanceMode, AppAppearanceMode::light);

    // Changed elsewhere (the menu of the main window), shown here.
    m_fs.heal();
    ASSERT_TRUE(store
                    ->edit([&](SessionEdit& e) {
                        return settingspages::applyAppearance(e, AppAppearanceMode::dark);
                    })
                    .ok());
    EXPECT_TRUE(dark->isChecked());
}

// Each field is saved as the user leaves it; a refused one keeps the focus
// and its message, and closing the window keeps what was being typed.
TEST_F(SettingsWindowTest, CompanyFieldsAreSavedAsTheyAreLeft) {
    window->showPage(SettingsPage::company);
    EXPECT_EQ(window->findChildren<QPushButton*>(u"companySave"_s).size(), 0);
    type(u"companyDisplayName"_s, u"Studio Créatif"_s);
    leave(u"companyDisplayName"_s);
    EXPECT_EQ(onDisk().companySettings.displayName, u"Studio Créatif"_s);

    // The wizard let "12345" through; neither does now.
    auto* siret = find<QLineEdit>(u"companySiret"_s);
    QLabel* siretError = label(u"companySiretError"_s);
    ASSERT_TRUE(siret && siretError);
    const QByteArray before = readBytes(workingCopy());
    type(u"companySiret"_s, u"12345"_s);
    leave(u"companySiret"_s);
    EXPECT_TRUE(shown(siretError));
    EXPECT_EQ(siretError->text(), CompanySettingsForm::siretMessage());
    EXPECT_EQ(focused(), siret);
    EXPECT_EQ(readBytes(workingCopy()), before);
    // The message stays while deserved, and goes once the field is right.
    QTest::keyClicks(siret, u"6"_s);
    EXPECT_TRUE(shown(siretError));
    type(u"companySiret"_s, u"123 456 789 00012"_s);
    EXPECT_FALSE(shown(siretError));
    leave(u"companySiret"_s);
    EXPECT_NE(focused(), siret);
    EXPECT_EQ(onDisk().companySettings.siret, u"12345678900012"_s);
    EXPECT_EQ(siret->text(), u"12345678900012"_s);

    auto* legal = find<QPlainTextEdit>(u"companyAdditionalLegalText"_s);
    ASSERT_NE(legal, nullptr);
    legal->setFocus();
    legal->insertPlainText(u"Dispensé d’immatriculation."_s); // pasted
    leave(u"companyAdditionalLegalText"_s);
    EXPECT_EQ(onDisk().companySettings.additionalLegalText, u"Dispensé d’immatriculation."_s);

    // Closed while typing: what was typed is saved, not lost.
    type(u"companyOwnerName"_s, u"Camille Martin"_s);
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(dialogs.alerts.isEmpty());
    const CompanySettings written = onDisk().companySettings;
    EXPECT_EQ(written.ownerName, u"Camille Martin"_s);
    EXPECT_EQ(written.tvaNote, CompanySettings::defaultTvaNote());
}

TEST_F(SettingsWindowTest, PaymentMethodsAreTickedWithTheirPicturesAndSavedAtOnce) {
    (void)store->edit([](SessionEdit& edit) {
        edit.companySettings().acceptedPaymentMethods = {u"Lydia"_s};
        return Result<>();
    });
    window.reset();
    window = std::make_unique<SettingsWindow>(*store, dialogs);
    window->show();
    window->showPage(SettingsPage::company);
    for (const QString& method : PaymentMethodChoice::offered({u"Lydia"_s})) {
        auto* box = find<QCheckBox>(u"companyPaymentMethod_"_s + method);
        ASSERT_NE(box, nullptr) << method.toStdString();
        EXPECT_EQ(box->isChecked(), method == u"Lydia"_s) << method.toStdString();
        EXPECT_FALSE(box->icon().isNull()) << method.toStdString();
    }
    click(u"companyPaymentMethod_Chèque"_s);
    click(u"companyPaymentMethod_Virement"_s);
    EXPECT_EQ(onDisk().companySettings.acceptedPaymentMethods,
              (QStringList{u"Virement"_s, u"Chèque"_s, u"Lydia"_s}));
    click(u"companyPaymentMethod_Lydia"_s);
    EXPECT_EQ(onDisk().companySettings.acceptedPaymentMethods,
              (QStringList{u"Virement"_s, u"Chèque"_s}));

    // A tick that cannot be saved is taken back.
    failSaves();
    click(u"companyPaymentMethod_Espèces"_s);
    expectSaveFailedAlert();
    EXPECT_FALSE(find<QCheckBox>(u"companyPaymentMethod_Espèces"_s)->isChecked());
    EXPECT_EQ(store->companySettings().acceptedPaymentMethods,
              (QStringList{u"Virement"_s, u"Chèque"_s}));
}

// A refused field far down the page comes back into view with the focus,
// and holds its page and the window open until it is fixed.
TEST_F(SettingsWindowTest, ARefusedFieldStaysInViewAndHoldsTheWindow) {
    window->showPage(SettingsPage::company);
    auto* title = find<QLineEdit>(u"companyLateChargeLineTitle"_s);
    auto* scroll =
        qobject_cast<QScrollArea*>(window->companyPage()->parentWidget()->parentWidget());
    ASSERT_TRUE(title && scroll);
    type(u"companyLateChargeLineTitle"_s, QString());
    scroll->verticalScrollBar()->setValue(0);
    ASSERT_TRUE(title->visibleRegion().isEmpty());

    auto* pages = find<QListWidget>(u"settingsPages"_s);
    QTest::mouseClick(pages->viewport(), Qt::LeftButton, {},
                      pages->visualItemRect(pages->item(0)).center());
    EXPECT_EQ(window->currentPage(), SettingsPage::company);
    EXPECT_EQ(focused(), title);
    EXPECT_FALSE(title->visibleRegion().isEmpty());
    EXPECT_EQ(shownText(u"companyLateChargeLineTitleError"_s),
              CompanySettingsForm::lateChargeTitleMessage());

    window->close();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(focused(), title);
    type(u"companyLateChargeLineTitle"_s, u"Indemnité"_s);
    QTest::keyClick(title, Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(onDisk().companySettings.lateChargeLineTitle, u"Indemnité"_s);
}

TEST_F(SettingsWindowTest, CompanyLogoIsSavedOnceChosenAndRemoved) {
    window->showPage(SettingsPage::company);
    QLabel* preview = label(u"companyLogoPreview"_s);
    ASSERT_NE(preview, nullptr);
    const QString noLogo = u"Aucun logo"_s;
    EXPECT_EQ(preview->text(), noLogo);
    EXPECT_FALSE(find<QPushButton>(u"companyLogoRemove"_s)->isEnabled());

    // A cancelled panel changes nothing; a GIF is refused under the logo.
    click(u"companyLogoChoose"_s);
    EXPECT_EQ(dialogs.panels, QList<FilePanel>{CompanySettingsForm::logoPanel()});
    EXPECT_EQ(preview->text(), noLogo);
    writeBytes(path(u"logo.gif"_s), "GIF89a");
    dialogs.chooseNext(QUrl::fromLocalFile(path(u"logo.gif"_s)));
    click(u"companyLogoChoose"_s);
    EXPECT_EQ(shownText(u"companyLogoError"_s), CompanySettingsForm::logoTypeMessage());
    EXPECT_EQ(onDisk().preferences.invoiceLogoURL, std::nullopt);

    QImage image(40, 20, QImage::Format_ARGB32);
    image.fill(Qt::darkCyan);
    ASSERT_TRUE(image.save(path(u"logo.png"_s)));
    dialogs.chooseNext(QUrl::fromLocalFile(path(u"logo.png"_s)));
    click(u"companyLogoChoose"_s);
    EXPECT_FALSE(shown(label(u"companyLogoError"_s)));
    ASSERT_FALSE(preview->pixmap().isNull());
    const std::optional<QUrl> logo = onDisk().preferences.invoiceLogoURL;
    ASSERT_TRUE(logo.has_value());
    EXPECT_TRUE(logo->toLocalFile().startsWith(store->mediaFolder()));
    EXPECT_EQ(onDisk().embeddedMedia.size(), 1);

    click(u"companyLogoRemove"_s);
    EXPECT_EQ(preview->text(), noLogo);
    EXPECT_EQ(onDisk().preferences.invoiceLogoURL, std::nullopt);
    EXPECT_TRUE(onDisk().embeddedMedia.isEmpty());
}

// A failed save keeps what was typed, which changes made elsewhere spare too.
TEST_F(SettingsWindowTest, CompanySaveFailureAndChangesMadeElsewhereKeepTheTyping) {
    window->showPage(SettingsPage::company);
    auto* owner = find<QLineEdit>(u"companyOwnerName"_s);
    ASSERT_NE(owner, nullptr);
    type(u"companyOwnerName"_s, u"Camille Martin"_s);
    failSaves();
    leave(u"companyOwnerName"_s);
    expectSaveFailedAlert();
    EXPECT_EQ(store->companySettings().ownerName, QString());
    EXPECT_EQ(owner->text(), u"Camille Martin"_s);

    m_fs.heal();
    CompanySettings company = store->companySettings();
    company.displayName = u"Autre"_s;
    company.ownerName = u"Dominique"_s;
    velmora::test::changeSession(*store, [&](SessionEdit& e) { e.companySettings() = company; });
    EXPECT_EQ(find<QLineEdit>(u"companyDisplayName"_s)->text(), u"Autre"_s);
    EXPECT_EQ(owner->text(), u"Camille Martin"_s);
    // Leaving it again tries again.
    owner->setFocus();
    leave(u"companyOwnerName"_s);
    EXPECT_EQ(onDisk().companySettings.ownerName, u"Camille Martin"_s);
}

// The security row follows the stored code and questions; the sheet checks
// the old code before it saves the new one.
TEST_F(SettingsWindowTest, SecurityRowFollowsTheStoredCodeThatTheSheetChanges) {
    window->showPage(SettingsPage::security);
    QLabel* code = label(u"securityCodeValue"_s);
    QLabel* questions = label(u"securityQuestionCount"_s);
    ASSERT_TRUE(code && questions);
    EXPECT_EQ(code->text(), settingspages::codeSummary(QString()));
    EXPECT_EQ(questions->text(), settingspages::questionCountText(0));
    EXPECT_EQ(label(u"securityHashingHelp"_s)->text(), securitytext::hashingHelp());

    AppPreferences prefs = store->preferences();
    prefs.appPassword = u"Ancien"_s;
    velmora::test::changeSession(*store, [&](SessionEdit& e) { e.preferences() = prefs; });
    ASSERT_TRUE(store->save().ok());
    EXPECT_EQ(code->text(), settingspages::codeSummary(u"Ancien"_s));
    velmora::test::changeSession(*store, [&](SessionEdit& e) {
        e.securityQuestions() = {
            SecurityQuestion{QUuid::createUuid(), u"Q1 ?"_s, QString(64, u'a')},
            SecurityQuestion{QUuid::createUuid(), u"Q2 ?"_s, QString(64, u'b')}};
    });
    EXPECT_EQ(questions->text(), settingspages::questionCountText(2));

    ChangeCodeSheet* sheet = openCodeSheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->windowTitle(), u"Modifier le mot de passe"_s);
    auto* oldField = find<QLineEdit>(u"oldCodeField"_s);
    auto* newField = find<QLineEdit>(u"newCodeField"_s);
    auto* confirmField = find<QLineEdit>(u"confirmCodeField"_s);
    ASSERT_TRUE(oldField && newField && confirmField);
    for (QLineEdit* field : {oldField, newField, confirmField})
        EXPECT_EQ(field->echoMode(), QLineEdit::Password);

    // Each toggle shows and hides its own field.
    auto* toggle = sheet->findChild<QAction*>(u"newCodeToggle"_s);
    ASSERT_NE(toggle, nullptr);
    toggle->trigger();
    EXPECT_EQ(newField->echoMode(), QLineEdit::Normal);
    EXPECT_EQ(oldField->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(sheet->model().newCodeVisible);
    toggle->trigger();
    EXPECT_EQ(newField->echoMode(), QLineEdit::Password);

    type(u"oldCodeField"_s, u"ancien"_s);
    type(u"newCodeField"_s, u"Neuf"_s);
    type(u"confirmCodeField"_s, u"Neuf"_s);
    click(u"changeCodeSave"_s);
    EXPECT_EQ(shownText(u"changeCodeError"_s), u"L'ancien mot de passe est incorrect."_s);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(onDisk().preferences.appPassword, u"Ancien"_s);

    type(u"oldCodeField"_s, u"Ancien"_s);
    click(u"changeCodeSave"_s);
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_TRUE(dialogs.alerts.isEmpty());
    EXPECT_EQ(store->preferences().appPassword, u"Neuf"_s);
    EXPECT_EQ(onDisk().preferences.appPassword, u"Neuf"_s);
    EXPECT_EQ(code->text(), settingspages::codeSummary(u"Neuf"_s));

    // Opened again, the sheet is empty.
    click(u"changeCodeButton"_s);
    EXPECT_TRUE(oldField->text().isEmpty());
    EXPECT_TRUE(newField->text().isEmpty());
    EXPECT_EQ(shownText(u"changeCodeError"_s), QString());
}

TEST_F(SettingsWindowTest, ChangeCodeSheetAsksBeforeDroppingTypingAndSurvivesAFailedSave) {
    ChangeCodeSheet* sheet = openCodeSheet();
    ASSERT_NE(sheet, nullptr);
    // Nothing typed: it closes without a question.
    sheet->reject();
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_TRUE(dialogs.alerts.isEmpty());

    click(u"changeCodeButton"_s);
    type(u"newCodeField"_s, u"abc"_s);
    dialogs.answerNext(u"Annuler"_s);
    click(u"changeCodeCancel"_s);
    ASSERT_EQ(dialogs.alerts.size(), 1);
    EXPECT_EQ(dialogs.alerts[0], settingspages::changeCodeDiscardAlert());
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(find<QLineEdit>(u"newCodeField"_s)->text(), u"abc"_s);

    // Escape goes the same way; "Quitter" drops the typing.
    dialogs.answerNext(u"Quitter"_s);
    QTest::keyClick(find<QLineEdit>(u"newCodeField"_s), Qt::Key_Escape);
    EXPECT_EQ(dialogs.alerts.size(), 2);
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_TRUE(find<QLineEdit>(u"newCodeField"_s)->text().isEmpty());
    EXPECT_FALSE(sheet->model().hasUnsavedInput());
    EXPECT_EQ(onDisk().preferences.appPassword, QString());

    // A failed save keeps the sheet open and the code as it was.
    click(u"changeCodeButton"_s);
    type(u"newCodeField"_s, u"Code"_s);
    type(u"confirmCodeField"_s, u"Code"_s);
    failSaves();
    click(u"changeCodeSave"_s);
    expectSaveFailedAlert();
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(store->preferences().appPassword, QString());
    EXPECT_EQ(label(u"securityCodeValue"_s)->text(), settingspages::codeSummary(QString()));
}

TEST_F(SettingsWindowTest, BackupNeedsAFolderThatTakesTheCopyBeforeItIsSwitchedOn) {
    window->showPage(SettingsPage::backup);
    auto* enabled = find<QCheckBox>(u"backupEnabled"_s);
    QLabel* folder = label(u"backupFolderPath"_s);
    ASSERT_TRUE(enabled && folder);
    EXPECT_EQ(folder->text(), BackupSettingsForm::noFolderText());
    EXPECT_FALSE(enabled->isChecked());

    enabled->click();
    EXPECT_FALSE(enabled->isChecked());
    EXPECT_EQ(shownText(u"backupError"_s), BackupSettingsForm::noFolderMessage());
    EXPECT_FALSE(store->storagePreferences().backupAlwaysEnabled);

    const QString chosen = path(u"Clé USB"_s);
    dialogs.chooseNext(QUrl::fromLocalFile(chosen));
    click(u"backupChooseFolder"_s);
    ASSERT_EQ(dialogs.panels.size(), 1);
    EXPECT_EQ(dialogs.panels[0].mode, FilePanel::Mode::chooseFolder);
    EXPECT_EQ(shownText(u"backupError"_s), QString());
    EXPECT_EQ(folder->text(), chosen);
    EXPECT_EQ(onDisk().storagePreferences.backupFolderURL, QUrl::fromLocalFile(chosen));

    enabled->click();
    EXPECT_TRUE(enabled->isChecked());
    EXPECT_TRUE(onDisk().storagePreferences.backupAlwaysEnabled);
    EXPECT_EQ(readBytes(chosen + u"/database_backup.cdb"_s), readBytes(workingCopy()));

    click(u"backupClearFolder"_s);
    EXPECT_FALSE(enabled->isChecked());
    EXPECT_EQ(folder->text(), BackupSettingsForm::noFolderText());
    EXPECT_EQ(onDisk().storagePreferences, StoragePreferences());

    // A folder that cannot take the copy is not kept switched on.
    writeBytes(path(u"fichier"_s), "not a folder");
    dialogs.chooseNext(QUrl::fromLocalFile(path(u"fichier"_s)));
    click(u"backupChooseFolder"_s);
    ASSERT_TRUE(dialogs.alerts.isEmpty());
    enabled->click();
    ASSERT_EQ(dialogs.alerts.size(), 1);
    EXPECT_EQ(dialogs.alerts[0].title, u"Enregistrement impossible"_s);
    EXPECT_FALSE(enabled->isChecked());
    EXPECT_FALSE(store->storagePreferences().backupAlwaysEnabled);
    EXPECT_FALSE(onDisk().storagePreferences.backupAlwaysEnabled);
}

TEST_F(SettingsWindowTest, SidebarChangesAreSavedAsTheyAreMadeOrSaidToFail) {
    window->showPage(SettingsPage::sidebar);
    auto* list = find<QListWidget>(u"sidebarList"_s);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 9);
    EXPECT_EQ(sidebarName(0)->text(), u"Tableau de bord"_s);
    EXPECT_FALSE(find<QPushButton>(u"sidebarMoveUp"_s)->isEnabled());

    // "Calendrier" (row 7) goes up twice.
    list->setCurrentRow(7);
    click(u"sidebarMoveUp"_s);
    click(u"sidebarMoveUp"_s);
    EXPECT_EQ(list->currentRow(), 5);
    EXPECT_EQ(sidebarName(5)->text(), u"Calendrier"_s);
    EXPECT_EQ(onDisk().preferences.sidebarMenuItems[5].defaultKey, u"calendar"_s);
    typeInto(sidebarName(5), u"  Agenda "_s);
    QTest::keyClick(sidebarName(5), Qt::Key_Tab);
    sidebarBox(1)->click(); // Clients
    EXPECT_FALSE(sidebarBox(1)->isChecked());
    list->setCurrentRow(8);
    EXPECT_FALSE(find<QPushButton>(u"sidebarMoveDown"_s)->isEnabled());

    EXPECT_TRUE(dialogs.alerts.isEmpty());
    const QList<SidebarMenuItemConfig> written = onDisk().preferences.sidebarMenuItems;
    EXPECT_EQ(keysOf(written),
              (QStringList{"dashboard", "clients", "projects", "documents", "services", "calendar",
                           "stock", "accounting", "externalTools"}));
    EXPECT_EQ(written[5].displayName, u"Agenda"_s);
    EXPECT_EQ(written[5].systemName, u"calendar"_s);
    EXPECT_FALSE(written[1].isEnabled);
    EXPECT_TRUE(written[0].isEnabled);
    // The list shows the names as written.
    EXPECT_EQ(sidebarName(5)->text(), u"Agenda"_s);

    // A failed save says so; the list stays as the user made it, and the
    // next change tries again with it.
    const QList<SidebarMenuItemConfig> before = store->preferences().sidebarMenuItems;
    failSaves();
    sidebarBox(2)->click();
    expectSaveFailedAlert();
    EXPECT_EQ(store->preferences().sidebarMenuItems, before);
    EXPECT_FALSE(sidebarBox(2)->isChecked());
    m_fs.heal();
    sidebarBox(4)->click();
    EXPECT_FALSE(onDisk().preferences.sidebarMenuItems[4].isEnabled);
    EXPECT_FALSE(onDisk().preferences.sidebarMenuItems[2].isEnabled);
}

TEST_F(SettingsWindowTest, SidebarRefusesAnEmptyNameAndKeepsTheDashboard) {
    window->showPage(SettingsPage::sidebar);
    auto* list = find<QListWidget>(u"sidebarList"_s);
    ASSERT_NE(list, nullptr);
    const QByteArray before = readBytes(workingCopy());

    // The dashboard's box cannot be unticked, and says why.
    QCheckBox* dashboard = sidebarBox(0);
    EXPECT_TRUE(dashboard->isChecked());
    EXPECT_FALSE(dashboard->isEnabled());
    EXPECT_EQ(dashboard->toolTip(), SidebarMenuEditor::dashboardRequiredMessage());
    dashboard->click();
    EXPECT_TRUE(dashboard->isChecked());

    typeInto(sidebarName(3), u"   "_s);
    EXPECT_EQ(shownText(u"sidebarError"_s), SidebarMenuEditor::emptyNameMessage());
    QTest::keyClick(sidebarName(3), Qt::Key_Tab);
    EXPECT_EQ(focused(), sidebarName(3));
    EXPECT_EQ(list->currentRow(), 3);
    window->close();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(readBytes(workingCopy()), before);
    typeInto(sidebarName(3), u"Devis"_s);
    EXPECT_EQ(shownText(u"sidebarError"_s), QString());
    QTest::keyClick(sidebarName(3), Qt::Key_Tab);
    EXPECT_EQ(onDisk().preferences.sidebarMenuItems[3].displayName, u"Devis"_s);

    // "Rétablir les réglages par défaut" gives the nine sections back at once.
    sidebarBox(6)->click();
    EXPECT_FALSE(onDisk().preferences.sidebarMenuItems[6].isEnabled);
    click(u"sidebarReset"_s);
    EXPECT_EQ(sidebarName(3)->text(), u"Documents"_s);
    EXPECT_TRUE(sidebarBox(6)->isChecked());
    const QList<SidebarMenuItemConfig> written = onDisk().preferences.sidebarMenuItems;
    EXPECT_EQ(keysOf(written), keysOf(SidebarMenuItemConfig::defaults()));
    EXPECT_EQ(written[3].displayName, u"Documents"_s);
    EXPECT_TRUE(written[6].isEnabled);
}
