#include "gui/settings/SettingsWindow.h"
#include "ScriptedDialogs.h"
#include "gui/settings/AppearancePage.h"
#include "gui/settings/ChangeCodeSheet.h"
#include "gui/settings/CompanyPage.h"
#include "gui/settings/SidebarPage.h"
#include "support/MirroredStoreFixture.h"
#include "support/QtPrinters.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTest>

using namespace velmora;
using namespace velmora::gui;
using namespace velmora::gui::test;
using namespace velmora::test;

namespace {

class SettingsWindowTest : public MirroredStoreFixture {
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

    template <class T> T* find(const QString& name) const {
        T* child = window->findChild<T*>(name);
        EXPECT_NE(child, nullptr) << name.toStdString();
        return child;
    }
    QLabel* label(const QString& name) const { return find<QLabel>(name); }
    QString visibleMessage(const QString& name) const {
        QLabel* message = label(name);
        return message && !message->isHidden() ? message->text() : QString();
    }
    void click(const QString& name) {
        QPushButton* button = find<QPushButton>(name);
        ASSERT_NE(button, nullptr);
        ASSERT_TRUE(button->isEnabled()) << name.toStdString();
        QTest::mouseClick(button, Qt::LeftButton);
    }
    // Key by key, accents included, which QTest::keyClicks only takes in ASCII.
    static void typeInto(QWidget* widget, const QString& text) {
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    void type(const QString& name, const QString& text) {
        QLineEdit* edit = find<QLineEdit>(name);
        ASSERT_NE(edit, nullptr);
        edit->setFocus(Qt::MouseFocusReason);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        typeInto(edit, text);
    }
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
    void renameRow(int row, const QString& name) {
        QLineEdit* field = sidebarName(row);
        ASSERT_NE(field, nullptr);
        field->setFocus(Qt::MouseFocusReason);
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        typeInto(field, name);
    }

    void failSaves() { m_fs.failOn(FaultyFileSystem::Op::Write); }
    void expectSaveFailedAlert() {
        ASSERT_FALSE(dialogs.alerts.isEmpty());
        EXPECT_EQ(dialogs.alerts.last().title, QStringLiteral("Enregistrement impossible"));
        EXPECT_TRUE(dialogs.alerts.last().message.contains(QStringLiteral("No space left")))
            << dialogs.alerts.last().message.toStdString();
    }

    QUrl pictureFile(const QString& name) {
        QImage image(40, 20, QImage::Format_ARGB32);
        image.fill(Qt::darkCyan);
        const QString file = path(name);
        EXPECT_TRUE(image.save(file));
        return QUrl::fromLocalFile(file);
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

TEST_F(SettingsWindowTest, IsANonModalWindowOfFivePages) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Réglages"));
    EXPECT_FALSE(window->isModal());
    EXPECT_EQ(window->size(), QSize(860, 600));
    auto* pages = find<QListWidget>(QStringLiteral("settingsPages"));
    ASSERT_NE(pages, nullptr);
    QStringList names;
    for (int row = 0; row < pages->count(); ++row)
        names << pages->item(row)->text();
    EXPECT_EQ(names, (QStringList{QStringLiteral("Apparence"), QStringLiteral("Entreprise"),
                                  QStringLiteral("Sécurité"), QStringLiteral("Sauvegarde"),
                                  QStringLiteral("Menu latéral")}));
    auto* stack = find<QStackedWidget>(QStringLiteral("settingsStack"));
    ASSERT_NE(stack, nullptr);
    EXPECT_EQ(window->currentPage(), SettingsPage::appearance);
    pages->setCurrentRow(3);
    EXPECT_EQ(stack->currentIndex(), 3);
    EXPECT_EQ(window->currentPage(), SettingsPage::backup);
    window->showPage(SettingsPage::security);
    EXPECT_EQ(stack->currentIndex(), 2);
    EXPECT_EQ(pages->currentRow(), 2);
}

TEST_F(SettingsWindowTest, AppearanceIsSavedWhenChosen) {
    auto* dark = find<QRadioButton>(QStringLiteral("appearanceDark"));
    auto* light = find<QRadioButton>(QStringLiteral("appearanceLight"));
    ASSERT_TRUE(dark && light);
    EXPECT_EQ(dark->text(), QStringLiteral("Sombre"));
    EXPECT_EQ(light->text(), QStringLiteral("Clair"));
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
    AppPreferences prefs = store->preferences();
    prefs.appearanceMode = AppAppearanceMode::dark;
    store->setPreferences(prefs);
    EXPECT_TRUE(dark->isChecked());
}

// Each field is saved as the user leaves it; a refused one keeps the focus
// and its message, and closing the window keeps what was being typed.
TEST_F(SettingsWindowTest, CompanyFieldsAreSavedAsTheyAreLeft) {
    window->showPage(SettingsPage::company);
    EXPECT_EQ(window->findChildren<QPushButton*>(QStringLiteral("companySave")).size(), 0);
    type(QStringLiteral("companyDisplayName"), QStringLiteral("Studio Créatif"));
    leave(QStringLiteral("companyDisplayName"));
    EXPECT_EQ(onDisk().companySettings.displayName, QStringLiteral("Studio Créatif"));

    // The wizard let "12345" through; neither does now.
    auto* siret = find<QLineEdit>(QStringLiteral("companySiret"));
    QLabel* siretError = label(QStringLiteral("companySiretError"));
    ASSERT_TRUE(siret && siretError);
    const QByteArray before = readBytes(workingCopy());
    type(QStringLiteral("companySiret"), QStringLiteral("12345"));
    leave(QStringLiteral("companySiret"));
    EXPECT_TRUE(shown(siretError));
    EXPECT_EQ(siretError->text(), QStringLiteral("Le SIRET doit comporter 14 chiffres."));
    EXPECT_EQ(focused(), siret);
    EXPECT_EQ(readBytes(workingCopy()), before);
    // The message stays while deserved, and goes once the field is right.
    QTest::keyClicks(siret, QStringLiteral("6"));
    EXPECT_TRUE(shown(siretError));
    type(QStringLiteral("companySiret"), QStringLiteral("123 456 789 00012"));
    EXPECT_FALSE(shown(siretError));
    leave(QStringLiteral("companySiret"));
    EXPECT_NE(focused(), siret);
    EXPECT_EQ(onDisk().companySettings.siret, QStringLiteral("12345678900012"));
    EXPECT_EQ(siret->text(), QStringLiteral("12345678900012"));

    type(QStringLiteral("companyBankIBAN"), QStringLiteral("fr76 3000 6000 0112 3456 7890 189"));
    leave(QStringLiteral("companyBankIBAN"));
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("companyBankIBAN"))->text(),
              QStringLiteral("FR76 3000 6000 0112 3456 7890 189"));
    auto* legal = find<QPlainTextEdit>(QStringLiteral("companyAdditionalLegalText"));
    ASSERT_NE(legal, nullptr);
    legal->setFocus();
    legal->insertPlainText(QStringLiteral("Dispensé d’immatriculation.")); // pasted
    leave(QStringLiteral("companyAdditionalLegalText"));
    EXPECT_EQ(onDisk().companySettings.additionalLegalText,
              QStringLiteral("Dispensé d’immatriculation."));

    // Closed while typing: what was typed is saved, not lost.
    type(QStringLiteral("companyOwnerName"), QStringLiteral("Camille Martin"));
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(dialogs.alerts.isEmpty());
    const CompanySettings written = onDisk().companySettings;
    EXPECT_EQ(written.ownerName, QStringLiteral("Camille Martin"));
    EXPECT_EQ(written.bankIBAN, QStringLiteral("FR76 3000 6000 0112 3456 7890 189"));
    EXPECT_EQ(written.tvaNote, QStringLiteral("TVA non applicable, art. 293 B du CGI"));
}

// A refused field far down the page comes back into view with the focus,
// and holds its page and the window open until it is fixed.
TEST_F(SettingsWindowTest, ARefusedFieldStaysInViewAndHoldsTheWindow) {
    window->showPage(SettingsPage::company);
    auto* title = find<QLineEdit>(QStringLiteral("companyLateChargeLineTitle"));
    auto* scroll =
        qobject_cast<QScrollArea*>(window->companyPage()->parentWidget()->parentWidget());
    ASSERT_TRUE(title && scroll);
    type(QStringLiteral("companyLateChargeLineTitle"), QString());
    scroll->verticalScrollBar()->setValue(0);
    ASSERT_TRUE(title->visibleRegion().isEmpty());

    auto* pages = find<QListWidget>(QStringLiteral("settingsPages"));
    QTest::mouseClick(pages->viewport(), Qt::LeftButton, {},
                      pages->visualItemRect(pages->item(0)).center());
    EXPECT_EQ(window->currentPage(), SettingsPage::company);
    EXPECT_EQ(focused(), title);
    EXPECT_FALSE(title->visibleRegion().isEmpty());
    EXPECT_EQ(visibleMessage(QStringLiteral("companyLateChargeLineTitleError")),
              QStringLiteral("Le titre de la ligne de frais de retard ne peut pas être vide."));

    window->close();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(focused(), title);
    type(QStringLiteral("companyLateChargeLineTitle"), QStringLiteral("Indemnité"));
    QTest::keyClick(title, Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(onDisk().companySettings.lateChargeLineTitle, QStringLiteral("Indemnité"));
}

TEST_F(SettingsWindowTest, CompanyLogoIsSavedOnceChosenAndRemoved) {
    window->showPage(SettingsPage::company);
    QLabel* preview = label(QStringLiteral("companyLogoPreview"));
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->text(), QStringLiteral("Aucun logo"));
    EXPECT_FALSE(find<QPushButton>(QStringLiteral("companyLogoRemove"))->isEnabled());

    // A cancelled panel changes nothing; a GIF is refused under the logo.
    click(QStringLiteral("companyLogoChoose"));
    ASSERT_EQ(dialogs.panels.size(), 1);
    EXPECT_EQ(dialogs.panels[0].mode, FilePanel::Mode::openFile);
    EXPECT_EQ(dialogs.panels[0].extension, QStringLiteral("png svg jpg jpeg"));
    EXPECT_EQ(preview->text(), QStringLiteral("Aucun logo"));
    writeBytes(path(QStringLiteral("logo.gif")), "GIF89a");
    dialogs.chooseNext(QUrl::fromLocalFile(path(QStringLiteral("logo.gif"))));
    click(QStringLiteral("companyLogoChoose"));
    EXPECT_EQ(label(QStringLiteral("companyLogoError"))->text(),
              QStringLiteral("Le logo doit être une image PNG, SVG ou JPEG."));
    EXPECT_TRUE(shown(label(QStringLiteral("companyLogoError"))));
    EXPECT_EQ(onDisk().preferences.invoiceLogoURL, std::nullopt);

    dialogs.chooseNext(pictureFile(QStringLiteral("logo.png")));
    click(QStringLiteral("companyLogoChoose"));
    EXPECT_FALSE(shown(label(QStringLiteral("companyLogoError"))));
    ASSERT_FALSE(preview->pixmap().isNull());
    const std::optional<QUrl> logo = onDisk().preferences.invoiceLogoURL;
    ASSERT_TRUE(logo.has_value());
    EXPECT_TRUE(logo->toLocalFile().startsWith(store->mediaFolder()));
    EXPECT_EQ(onDisk().embeddedMedia.size(), 1);

    click(QStringLiteral("companyLogoRemove"));
    EXPECT_EQ(preview->text(), QStringLiteral("Aucun logo"));
    EXPECT_EQ(onDisk().preferences.invoiceLogoURL, std::nullopt);
    EXPECT_TRUE(onDisk().embeddedMedia.isEmpty());
}

TEST_F(SettingsWindowTest, CompanySaveFailureIsShownAndTheTypingStays) {
    window->showPage(SettingsPage::company);
    type(QStringLiteral("companyOwnerName"), QStringLiteral("Camille Martin"));
    failSaves();
    leave(QStringLiteral("companyOwnerName"));
    expectSaveFailedAlert();
    EXPECT_EQ(store->companySettings().ownerName, QString());
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("companyOwnerName"))->text(),
              QStringLiteral("Camille Martin"));
    // Leaving it again tries again.
    m_fs.heal();
    find<QLineEdit>(QStringLiteral("companyOwnerName"))->setFocus();
    leave(QStringLiteral("companyOwnerName"));
    EXPECT_EQ(onDisk().companySettings.ownerName, QStringLiteral("Camille Martin"));
}

TEST_F(SettingsWindowTest, CompanyFollowsChangesMadeElsewhereExceptTheTyping) {
    CompanySettings company = store->companySettings();
    company.displayName = QStringLiteral("Atelier");
    store->setCompanySettings(company);
    auto* name = find<QLineEdit>(QStringLiteral("companyDisplayName"));
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(), QStringLiteral("Atelier"));

    type(QStringLiteral("companyOwnerName"), QStringLiteral("Camille"));
    company.displayName = QStringLiteral("Autre");
    company.ownerName = QStringLiteral("Dominique");
    store->setCompanySettings(company);
    EXPECT_EQ(name->text(), QStringLiteral("Autre"));
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("companyOwnerName"))->text(),
              QStringLiteral("Camille"));
}

TEST_F(SettingsWindowTest, SecurityRowFollowsTheStoredCode) {
    window->showPage(SettingsPage::security);
    QLabel* code = label(QStringLiteral("securityCodeValue"));
    QLabel* questions = label(QStringLiteral("securityQuestionCount"));
    ASSERT_TRUE(code && questions);
    EXPECT_EQ(code->text(), QStringLiteral("Aucun"));
    EXPECT_EQ(questions->text(), QStringLiteral("Aucune question enregistrée"));
    EXPECT_EQ(label(QStringLiteral("securityHashingHelp"))->text(),
              QStringLiteral("Les réponses sont hachées (SHA-256) — jamais stockées en clair."));

    AppPreferences prefs = store->preferences();
    prefs.appPassword = QStringLiteral("1234");
    store->setPreferences(prefs);
    EXPECT_EQ(code->text(), QStringLiteral("••••••"));
    store->setSecurityQuestions({SecurityQuestion{QUuid::createUuid(), QStringLiteral("Q1 ?"),
                                                  QString(64, QLatin1Char('a'))},
                                 SecurityQuestion{QUuid::createUuid(), QStringLiteral("Q2 ?"),
                                                  QString(64, QLatin1Char('b'))}});
    EXPECT_EQ(questions->text(), QStringLiteral("2 questions enregistrées"));
}

TEST_F(SettingsWindowTest, ChangeCodeSheetValidatesThenSaves) {
    AppPreferences prefs = store->preferences();
    prefs.appPassword = QStringLiteral("Ancien");
    store->setPreferences(prefs);
    ASSERT_TRUE(store->save().ok());
    window->showPage(SettingsPage::security);
    click(QStringLiteral("changeCodeButton"));
    auto* sheet = window->findChild<ChangeCodeSheet*>(QStringLiteral("changeCodeSheet"));
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(sheet->windowTitle(), QStringLiteral("Modifier le mot de passe"));

    auto* oldField = sheet->findChild<QLineEdit*>(QStringLiteral("oldCodeField"));
    auto* newField = sheet->findChild<QLineEdit*>(QStringLiteral("newCodeField"));
    auto* confirmField = sheet->findChild<QLineEdit*>(QStringLiteral("confirmCodeField"));
    auto* error = sheet->findChild<QLabel*>(QStringLiteral("changeCodeError"));
    auto* save = sheet->findChild<QPushButton*>(QStringLiteral("changeCodeSave"));
    ASSERT_TRUE(oldField && newField && confirmField && error && save);
    for (QLineEdit* field : {oldField, newField, confirmField})
        EXPECT_EQ(field->echoMode(), QLineEdit::Password);

    // Each toggle shows and hides its own field.
    auto* toggle = sheet->findChild<QAction*>(QStringLiteral("newCodeToggle"));
    ASSERT_NE(toggle, nullptr);
    toggle->trigger();
    EXPECT_EQ(newField->echoMode(), QLineEdit::Normal);
    EXPECT_EQ(oldField->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(sheet->model().newCodeVisible);
    toggle->trigger();
    EXPECT_EQ(newField->echoMode(), QLineEdit::Password);

    QTest::keyClicks(oldField, QStringLiteral("ancien"));
    QTest::keyClicks(newField, QStringLiteral("Neuf"));
    QTest::keyClicks(confirmField, QStringLiteral("Neuf"));
    QTest::mouseClick(save, Qt::LeftButton);
    EXPECT_TRUE(shown(error));
    EXPECT_EQ(error->text(), QStringLiteral("L'ancien mot de passe est incorrect."));
    EXPECT_TRUE(sheet->isVisible());

    oldField->clear();
    QTest::keyClicks(oldField, QStringLiteral("Ancien"));
    QTest::keyClicks(confirmField, QStringLiteral("!"));
    QTest::mouseClick(save, Qt::LeftButton);
    EXPECT_EQ(error->text(), QStringLiteral("Les nouveaux mots de passe ne correspondent pas."));
    EXPECT_EQ(onDisk().preferences.appPassword, QStringLiteral("Ancien"));

    QTest::keyClick(confirmField, Qt::Key_Backspace);
    QTest::mouseClick(save, Qt::LeftButton);
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_TRUE(dialogs.alerts.isEmpty());
    EXPECT_EQ(store->preferences().appPassword, QStringLiteral("Neuf"));
    EXPECT_EQ(onDisk().preferences.appPassword, QStringLiteral("Neuf"));
    EXPECT_EQ(label(QStringLiteral("securityCodeValue"))->text(), QStringLiteral("••••••"));

    // Opened again, the sheet is empty.
    click(QStringLiteral("changeCodeButton"));
    EXPECT_TRUE(oldField->text().isEmpty());
    EXPECT_TRUE(newField->text().isEmpty());
    EXPECT_FALSE(shown(error));
}

TEST_F(SettingsWindowTest, ChangeCodeSheetAsksBeforeDroppingTyping) {
    window->showPage(SettingsPage::security);
    click(QStringLiteral("changeCodeButton"));
    auto* sheet = window->findChild<ChangeCodeSheet*>(QStringLiteral("changeCodeSheet"));
    ASSERT_NE(sheet, nullptr);

    // Nothing typed: it closes without a question.
    sheet->reject();
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_TRUE(dialogs.alerts.isEmpty());

    click(QStringLiteral("changeCodeButton"));
    auto* newField = sheet->findChild<QLineEdit*>(QStringLiteral("newCodeField"));
    QTest::keyClicks(newField, QStringLiteral("abc"));
    dialogs.answerNext(QStringLiteral("Annuler"));
    QTest::mouseClick(sheet->findChild<QPushButton*>(QStringLiteral("changeCodeCancel")),
                      Qt::LeftButton);
    ASSERT_EQ(dialogs.alerts.size(), 1);
    const Alert alert = dialogs.alerts[0];
    EXPECT_EQ(alert.title, QStringLiteral("Quitter sans enregistrer ?"));
    EXPECT_EQ(alert.message,
              QStringLiteral("Les modifications du mot de passe ne seront pas enregistrées."));
    ASSERT_EQ(alert.buttons.size(), 2);
    EXPECT_EQ(alert.buttons[0].text, QStringLiteral("Quitter"));
    EXPECT_EQ(alert.buttons[1].text, QStringLiteral("Annuler"));
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(newField->text(), QStringLiteral("abc"));

    // Escape goes the same way; "Quitter" drops the typing.
    dialogs.answerNext(QStringLiteral("Quitter"));
    QTest::keyClick(newField, Qt::Key_Escape);
    EXPECT_EQ(dialogs.alerts.size(), 2);
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_TRUE(newField->text().isEmpty());
    EXPECT_FALSE(sheet->model().hasUnsavedInput());
    EXPECT_EQ(onDisk().preferences.appPassword, QString());
}

TEST_F(SettingsWindowTest, ChangeCodeSaveFailureKeepsTheSheetOpen) {
    window->showPage(SettingsPage::security);
    click(QStringLiteral("changeCodeButton"));
    auto* sheet = window->findChild<ChangeCodeSheet*>(QStringLiteral("changeCodeSheet"));
    ASSERT_NE(sheet, nullptr);
    QTest::keyClicks(sheet->findChild<QLineEdit*>(QStringLiteral("newCodeField")),
                     QStringLiteral("Code"));
    QTest::keyClicks(sheet->findChild<QLineEdit*>(QStringLiteral("confirmCodeField")),
                     QStringLiteral("Code"));
    failSaves();
    QTest::mouseClick(sheet->findChild<QPushButton*>(QStringLiteral("changeCodeSave")),
                      Qt::LeftButton);
    expectSaveFailedAlert();
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(store->preferences().appPassword, QString());
    EXPECT_EQ(label(QStringLiteral("securityCodeValue"))->text(), QStringLiteral("Aucun"));
}

TEST_F(SettingsWindowTest, BackupNeedsAFolderBeforeItIsSwitchedOn) {
    window->showPage(SettingsPage::backup);
    auto* enabled = find<QCheckBox>(QStringLiteral("backupEnabled"));
    QLabel* folder = label(QStringLiteral("backupFolderPath"));
    QLabel* error = label(QStringLiteral("backupError"));
    ASSERT_TRUE(enabled && folder && error);
    EXPECT_EQ(folder->text(), QStringLiteral("Aucun dossier choisi"));
    EXPECT_FALSE(enabled->isChecked());

    enabled->click();
    EXPECT_FALSE(enabled->isChecked());
    EXPECT_TRUE(shown(error));
    EXPECT_EQ(error->text(), QStringLiteral("Choisissez d’abord un dossier de sauvegarde."));
    EXPECT_FALSE(store->storagePreferences().backupAlwaysEnabled);

    const QString chosen = path(QStringLiteral("Clé USB"));
    dialogs.chooseNext(QUrl::fromLocalFile(chosen));
    click(QStringLiteral("backupChooseFolder"));
    ASSERT_EQ(dialogs.panels.size(), 1);
    EXPECT_EQ(dialogs.panels[0].mode, FilePanel::Mode::chooseFolder);
    EXPECT_FALSE(shown(error));
    EXPECT_EQ(folder->text(), chosen);
    EXPECT_EQ(onDisk().storagePreferences.backupFolderURL, QUrl::fromLocalFile(chosen));

    enabled->click();
    EXPECT_TRUE(enabled->isChecked());
    EXPECT_TRUE(onDisk().storagePreferences.backupAlwaysEnabled);
    EXPECT_EQ(readBytes(chosen + QStringLiteral("/database_backup.cdb")), readBytes(workingCopy()));

    click(QStringLiteral("backupClearFolder"));
    EXPECT_FALSE(enabled->isChecked());
    EXPECT_EQ(folder->text(), QStringLiteral("Aucun dossier choisi"));
    EXPECT_EQ(onDisk().storagePreferences, StoragePreferences());
    EXPECT_TRUE(dialogs.alerts.isEmpty());
}

TEST_F(SettingsWindowTest, BackupFolderThatFailsIsNotKept) {
    window->showPage(SettingsPage::backup);
    writeBytes(path(QStringLiteral("fichier")), "not a folder");
    dialogs.chooseNext(QUrl::fromLocalFile(path(QStringLiteral("fichier"))));
    click(QStringLiteral("backupChooseFolder"));
    ASSERT_TRUE(dialogs.alerts.isEmpty());
    find<QCheckBox>(QStringLiteral("backupEnabled"))->click();
    ASSERT_EQ(dialogs.alerts.size(), 1);
    EXPECT_EQ(dialogs.alerts[0].title, QStringLiteral("Enregistrement impossible"));
    EXPECT_FALSE(find<QCheckBox>(QStringLiteral("backupEnabled"))->isChecked());
    EXPECT_FALSE(store->storagePreferences().backupAlwaysEnabled);
    EXPECT_FALSE(onDisk().storagePreferences.backupAlwaysEnabled);
}

TEST_F(SettingsWindowTest, SidebarChangesAreSavedAsTheyAreMade) {
    window->showPage(SettingsPage::sidebar);
    auto* list = find<QListWidget>(QStringLiteral("sidebarList"));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 9);
    EXPECT_EQ(sidebarName(0)->text(), QStringLiteral("Tableau de bord"));
    EXPECT_FALSE(find<QPushButton>(QStringLiteral("sidebarMoveUp"))->isEnabled());

    // "Calendrier" (row 7) goes up twice.
    list->setCurrentRow(7);
    click(QStringLiteral("sidebarMoveUp"));
    click(QStringLiteral("sidebarMoveUp"));
    EXPECT_EQ(list->currentRow(), 5);
    EXPECT_EQ(sidebarName(5)->text(), QStringLiteral("Calendrier"));
    EXPECT_EQ(onDisk().preferences.sidebarMenuItems[5].defaultKey, QStringLiteral("calendar"));
    renameRow(5, QStringLiteral("  Agenda "));
    QTest::keyClick(sidebarName(5), Qt::Key_Tab);
    sidebarBox(1)->click(); // Clients
    EXPECT_FALSE(sidebarBox(1)->isChecked());
    list->setCurrentRow(8);
    EXPECT_FALSE(find<QPushButton>(QStringLiteral("sidebarMoveDown"))->isEnabled());

    EXPECT_TRUE(dialogs.alerts.isEmpty());
    const QList<SidebarMenuItemConfig> written = onDisk().preferences.sidebarMenuItems;
    EXPECT_EQ(keysOf(written), (QStringList{QStringLiteral("dashboard"), QStringLiteral("clients"),
                                            QStringLiteral("projects"), QStringLiteral("documents"),
                                            QStringLiteral("services"), QStringLiteral("calendar"),
                                            QStringLiteral("stock"), QStringLiteral("accounting"),
                                            QStringLiteral("externalTools")}));
    EXPECT_EQ(written[5].displayName, QStringLiteral("Agenda"));
    EXPECT_EQ(written[5].systemName, QStringLiteral("calendar"));
    EXPECT_FALSE(written[1].isEnabled);
    EXPECT_TRUE(written[0].isEnabled);
    // The list shows the names as written.
    EXPECT_EQ(sidebarName(5)->text(), QStringLiteral("Agenda"));
}

TEST_F(SettingsWindowTest, SidebarRefusesAnEmptyNameAndKeepsTheDashboard) {
    window->showPage(SettingsPage::sidebar);
    auto* list = find<QListWidget>(QStringLiteral("sidebarList"));
    QLabel* error = label(QStringLiteral("sidebarError"));
    ASSERT_TRUE(list && error);
    const QByteArray before = readBytes(workingCopy());

    // The dashboard's box cannot be unticked, and says why.
    QCheckBox* dashboard = sidebarBox(0);
    EXPECT_TRUE(dashboard->isChecked());
    EXPECT_FALSE(dashboard->isEnabled());
    EXPECT_EQ(dashboard->toolTip(),
              QStringLiteral("Le tableau de bord ne peut pas être désactivé\u00a0: la "
                             "session s’ouvre sur lui et y revient au verrouillage."));
    dashboard->click();
    EXPECT_TRUE(dashboard->isChecked());

    renameRow(3, QStringLiteral("   "));
    EXPECT_TRUE(shown(error));
    EXPECT_EQ(error->text(), QStringLiteral("Le nom ne peut pas être vide."));
    QTest::keyClick(sidebarName(3), Qt::Key_Tab);
    EXPECT_EQ(focused(), sidebarName(3));
    EXPECT_EQ(list->currentRow(), 3);
    window->close();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(readBytes(workingCopy()), before);
    renameRow(3, QStringLiteral("Devis"));
    EXPECT_FALSE(shown(error));
    QTest::keyClick(sidebarName(3), Qt::Key_Tab);
    EXPECT_EQ(onDisk().preferences.sidebarMenuItems[3].displayName, QStringLiteral("Devis"));

    // "Rétablir les réglages par défaut" gives the nine sections back at once.
    sidebarBox(6)->click();
    EXPECT_FALSE(onDisk().preferences.sidebarMenuItems[6].isEnabled);
    click(QStringLiteral("sidebarReset"));
    EXPECT_EQ(sidebarName(3)->text(), QStringLiteral("Documents"));
    EXPECT_TRUE(sidebarBox(6)->isChecked());
    const QList<SidebarMenuItemConfig> written = onDisk().preferences.sidebarMenuItems;
    EXPECT_EQ(keysOf(written), keysOf(SidebarMenuItemConfig::defaults()));
    EXPECT_EQ(written[3].displayName, QStringLiteral("Documents"));
    EXPECT_TRUE(written[6].isEnabled);
}

TEST_F(SettingsWindowTest, SidebarSaveFailureIsShown) {
    window->showPage(SettingsPage::sidebar);
    const QList<SidebarMenuItemConfig> before = store->preferences().sidebarMenuItems;
    failSaves();
    sidebarBox(2)->click();
    expectSaveFailedAlert();
    EXPECT_EQ(store->preferences().sidebarMenuItems, before);
    EXPECT_FALSE(sidebarBox(2)->isChecked()) << "the list stays as the user made it";
    // The next change tries again, with this one.
    m_fs.heal();
    sidebarBox(4)->click();
    EXPECT_FALSE(onDisk().preferences.sidebarMenuItems[2].isEnabled);
    EXPECT_FALSE(onDisk().preferences.sidebarMenuItems[4].isEnabled);
}
