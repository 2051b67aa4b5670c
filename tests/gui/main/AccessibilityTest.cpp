// What a screen reader finds: a name on every control of the document
// editor, the catalogue form and the wizard's first steps, and the values of
// a card read with their label.

#include "SectionFixture.h"

#include "core/security/WizardSecuritySteps.h"
#include "gui/common/AnimatedStack.h"
#include "gui/documents/DocumentLineEditor.h"
#include "gui/launch/WizardStepPage.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>

namespace velmora::gui::test {
namespace {

bool isControl(QWidget* w) {
    // The line edit inside a combo box or a spin box is its owner's part.
    QWidget* owner = w->parentWidget();
    if (qobject_cast<QComboBox*>(owner) || qobject_cast<QAbstractSpinBox*>(owner))
        return false;
    return qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
           qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
           qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QAbstractItemView*>(w);
}

// The wizard's step that holds the widget.
QWidget* stepOf(QWidget* w) {
    while (w && !qobject_cast<WizardStepPage*>(w))
        w = w->parentWidget();
    return w;
}

QString nameOf(QWidget* w) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(w);
    return accessible ? accessible->text(QAccessible::Name).trimmed() : QString();
}

// The controls shown under `root` that a screen reader cannot name.
QStringList unnamedControls(QWidget* root) {
    QStringList unnamed;
    for (QWidget* w : root->findChildren<QWidget*>())
        if (w->isVisibleTo(root) && isControl(w) && nameOf(w).isEmpty())
            unnamed << QString::fromLatin1(w->metaObject()->className()) + u' ' + w->objectName();
    return unnamed;
}

class AccessibilityTest : public SectionFixture {
protected:
    void SetUp() override {
        SectionFixture::SetUp();
        AnimatedStack::setAnimationsEnabled(false);
    }
    template <class T = QWidget> T* shown(const QString& name) {
        for (T* widget : window().findChildren<T*>(name))
            if (widget->isVisible())
                return widget;
        return nullptr;
    }
};

TEST_F(AccessibilityTest, EveryControlOfTheEditorAndTheCatalogueFormHasAName) {
    openSection(u"documents"_s, [](AppDatabase& db) {
        ClientItem client;
        client.id = QUuid::createUuid();
        client.company = u"Atelier Lumen"_s;
        db.clients = {client};
    });
    click(u"documentsEmptyAction"_s);
    click(u"documentEditorAddService"_s);
    click(u"documentEditorAddDiscount"_s);
    click(u"documentEditorAddDeposit"_s);
    auto* editor = shown(u"documentEditor"_s);
    ASSERT_NE(editor, nullptr);
    auto* line = editor->findChild<DocumentLineEditor*>(u"documentLine"_s);
    ASSERT_NE(line, nullptr);
    for (const auto& [field, name] : {std::pair{u"documentLinePrice"_s, u"Prix unitaire HT"_s},
                                      std::pair{u"documentLineQuantity"_s, u"Quantité"_s},
                                      std::pair{u"documentLineTva"_s, u"TVA (%)"_s}})
        EXPECT_EQ(nameOf(line->findChild<QLineEdit*>(field)), name);
    EXPECT_EQ(unnamedControls(editor), QStringList());

    window().workspace().showSection(u"services"_s);
    click(u"servicesEmptyAction"_s);
    auto* sheet = shown<QDialog>(u"serviceForm"_s);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(nameOf(sheet->findChild<QLineEdit*>(u"servicePrice"_s)), u"Prix TTC"_s);
    EXPECT_EQ(unnamedControls(sheet), QStringList());
}

TEST_F(AccessibilityTest, TheWizardsIdentityAndCodeStepsNameEveryField) {
    startApp();
    ASSERT_TRUE(m_app->wizard().inProgress());
    click(u"wizardContinue"_s);
    EXPECT_EQ(nameOf(find(u"sessionNameField"_s)), u"Nom de la session"_s);
    EXPECT_EQ(unnamedControls(stepOf(find(u"sessionNameField"_s))), QStringList());

    type(u"sessionNameField"_s, u"Atelier Nord"_s);
    click(u"presetPicture_image_photographie"_s);
    click(u"wizardContinue"_s);
    m_dialogs.chooseNext(QUrl::fromLocalFile(m_dir.path() + u"/Atelier Nord.cdb"_s));
    click(u"chooseLocationButton"_s);
    click(u"wizardContinue"_s);
    auto* code = find(u"accessCodeField"_s);
    ASSERT_NE(code, nullptr);
    EXPECT_EQ(nameOf(code), AccessCodeStep::codeLabel());
    EXPECT_EQ(nameOf(find(u"accessCodeConfirmField"_s)), AccessCodeStep::confirmationLabel());
    EXPECT_EQ(unnamedControls(stepOf(code)), QStringList());
}

TEST_F(AccessibilityTest, TheValuesOfAClientCardAreReadWithTheirLabel) {
    openSection(u"clients"_s, [](AppDatabase& db) {
        ClientItem client;
        client.id = QUuid::createUuid();
        client.firstName = u"Éloïse"_s;
        client.lastName = u"Martin"_s;
        client.email = u"eloise@exemple.fr"_s;
        client.phone = u"06 12 34 56 78"_s;
        db.clients = {client};
    });
    auto* list = find<QListView>(u"clientsList"_s);
    ASSERT_NE(list, nullptr);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(0, 0)).center());
    auto* card = shown(u"clientCard"_s);
    ASSERT_NE(card, nullptr);
    QStringList read;
    for (auto* label : card->findChildren<QLabel*>())
        if (auto* value = qobject_cast<QLabel*>(label->buddy()); value && value->isVisible())
            read << nameOf(value);
    EXPECT_TRUE(read.contains(u"E-mail\u00a0: eloise@exemple.fr"_s))
        << read.join(u" | "_s).toStdString();
    EXPECT_TRUE(read.contains(u"Téléphone\u00a0: 06 12 34 56 78"_s))
        << read.join(u" | "_s).toStdString();
}

} // namespace
} // namespace velmora::gui::test
