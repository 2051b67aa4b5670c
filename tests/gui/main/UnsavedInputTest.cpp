// What the user typed in an open editor or sheet survives closing the
// window, locking, logging out: each answer of "Quitter sans enregistrer ?"
// does what it says, and "Annuler" leaves the window as it was.

#include "SectionFixture.h"

#include "core/app/UnsavedInput.h"
#include "core/documents/DocumentCreation.h"
#include "gui/accounting/UrssafDeclarationSheet.h"
#include "gui/clients/ClientFormSheet.h"
#include "gui/documents/DocumentEditor.h"

#include <QCheckBox>
#include <QTabWidget>

namespace velmora::gui::test {

namespace {

class UnsavedInputTest : public SectionFixture {
protected:
    void openLockableSession(const QString& key) {
        m_path = writeUserSession(u"Atelier"_s, u"s3cret"_s);
        startApp();
        openFromList(m_path);
        submitCode(u"s3cret"_s);
        ASSERT_EQ(screen(), MainWindow::Screen::session);
        window().show();
        window().workspace().showSection(key);
        m_key = key;
    }
    void typeANewDocument() {
        trigger(u"Nouveau"_s);
        type(u"documentEditorTerms"_s, u"Acompte à la commande"_s);
    }
    void typeANewClient() {
        trigger(u"Nouveau"_s);
        type(u"clientLastName"_s, u"Durand"_s);
    }
    template <class Form> bool isOpen() {
        for (Form* form : window().findChildren<Form*>())
            if (form->isVisible())
                return true;
        return false;
    }
    bool asked(const QString& form) {
        return !m_dialogs.alerts.isEmpty() &&
               m_dialogs.alerts.last() == unsavedinput::confirmation(form);
    }
};

TEST_F(UnsavedInputTest, ClosingTheWindowOverTheEditorAsksAndEachAnswerDoesWhatItSays) {
    openLockableSession(u"documents"_s);
    typeANewDocument();
    const QString title = shownText(u"documentEditorTitle"_s);

    m_dialogs.answerNext(u"Annuler"_s);
    EXPECT_FALSE(window().close());
    EXPECT_TRUE(asked(title));
    EXPECT_EQ(m_dialogs.alerts.last().title, u"Quitter sans enregistrer ?"_s);
    EXPECT_EQ(m_dialogs.alerts.last().buttons.size(), 3);
    EXPECT_TRUE(isOpen<DocumentEditor>());
    EXPECT_EQ(find<QLineEdit>(u"documentEditorTerms"_s)->text(), u"Acompte à la commande"_s);

    m_dialogs.answerNext(u"Enregistrer"_s);
    EXPECT_TRUE(window().close());
    ASSERT_EQ(store().documents().size(), 1);
    EXPECT_TRUE(sessionFile().contains("Acompte à la commande"));
}

TEST_F(UnsavedInputTest, NotSavingDiscardsAndAnUntouchedEditorClosesWithoutAQuestion) {
    openLockableSession(u"documents"_s);
    typeANewDocument();
    m_dialogs.answerNext(u"Ne pas enregistrer"_s);
    EXPECT_TRUE(window().close());
    EXPECT_TRUE(store().documents().isEmpty());

    window().show();
    trigger(u"Nouveau"_s);
    m_dialogs.alerts.clear();
    EXPECT_TRUE(window().close());
    EXPECT_TRUE(m_dialogs.alerts.isEmpty());
}

// The editor was left for another section: it is shown again before the
// question, so that a refused save is seen where it happened.
TEST_F(UnsavedInputTest, AHiddenEditorIsShownAgainAndARefusedSaveKeepsTheWindow) {
    openLockableSession(u"documents"_s);
    typeANewDocument();
    if (find<QCheckBox>(u"documentEditorAutoNumber"_s)->isChecked())
        click(u"documentEditorAutoNumber"_s);
    type(u"documentEditorNumber"_s, QString());
    window().workspace().showSection(u"clients"_s);
    m_dialogs.answerNext(u"Enregistrer"_s);
    window().close();
    EXPECT_EQ(window().workspace().currentSection(), u"documents"_s);
    EXPECT_TRUE(isOpen<DocumentEditor>());
    EXPECT_EQ(shownText(u"documentEditorError"_s), DocumentCreation::numberRequiredMessage());
    EXPECT_TRUE(store().documents().isEmpty());
}

TEST_F(UnsavedInputTest, LockingOverASheetAsksBeforeTheLock) {
    openLockableSession(u"clients"_s);
    typeANewClient();
    m_dialogs.answerNext(u"Annuler"_s);
    trigger(u"Verrouiller le logiciel"_s);
    EXPECT_EQ(screen(), MainWindow::Screen::session);
    EXPECT_TRUE(isOpen<ClientFormSheet>());

    m_dialogs.answerNext(u"Ne pas enregistrer"_s);
    trigger(u"Verrouiller le logiciel"_s);
    EXPECT_EQ(screen(), MainWindow::Screen::locked);
    EXPECT_FALSE(isOpen<ClientFormSheet>());
    EXPECT_TRUE(store().clients().isEmpty());
}

TEST_F(UnsavedInputTest, LoggingOutOverASheetSavesItWhenAsked) {
    openLockableSession(u"clients"_s);
    typeANewClient();
    m_dialogs.answerNext(u"Se déconnecter"_s);
    m_dialogs.answerNext(u"Enregistrer"_s);
    trigger(u"Se déconnecter"_s);
    EXPECT_EQ(screen(), MainWindow::Screen::launch);
    EXPECT_TRUE(sessionFile().contains("Durand"));
}

TEST_F(UnsavedInputTest, TheUrssafDeclarationSheetIsSavedOnQuitting) {
    openLockableSession(u"accounting"_s);
    auto* tabs = find<QTabWidget>(u"accountingTabs"_s);
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->tabText(i) == u"URSSAF"_s)
            tabs->setCurrentIndex(i);
    click(u"urssafEmptyAction"_s);
    type(u"urssafBnc"_s, u"1450,00"_s);
    m_dialogs.answerNext(u"Enregistrer"_s);
    EXPECT_TRUE(window().close());
    EXPECT_FALSE(isOpen<UrssafDeclarationSheet>());
    EXPECT_EQ(store().urssafDeclarations().size(), 1);
}

} // namespace

} // namespace velmora::gui::test
