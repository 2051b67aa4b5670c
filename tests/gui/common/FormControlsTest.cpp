// What the keyboard and the mouse do in forms and dialogs: the wheel scrolls
// a form without changing its values, Return closes a dialog on its safe
// button; and a long name or path stays inside its card.

#include "SectionFixture.h"

#include "core/app/UnsavedInput.h"
#include "core/documents/DocumentWorkflow.h"
#include "core/documents/RecordDeletion.h"
#include "core/stock/ServiceForm.h"
#include "gui/common/AnimatedStack.h"
#include "gui/common/ChoiceMenuButton.h"
#include "gui/common/PendingInput.h"
#include "gui/common/WidgetDialogs.h"
#include "gui/documents/CataloguePicker.h"
#include "gui/documents/DocumentLineEditor.h"

#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

namespace velmora::gui::test {
namespace {

ServiceItem service(const QString& title) {
    ServiceItem s;
    s.id = QUuid::createUuid();
    s.title = title;
    s.priceTTC = u"450,00"_s;
    return s;
}

class FormControlsTest : public SectionFixture {
protected:
    void openDocuments(const QString& clientName = u"Atelier Lumen"_s) {
        openSection(u"documents"_s, [&](AppDatabase& db) {
            m_client.id = QUuid::createUuid();
            m_client.kind = ClientKind::professionnel;
            m_client.company = clientName;
            db.clients = {m_client};
            db.services = {service(u"Logo"_s), service(u"Charte graphique"_s),
                           service(u"Affiche"_s)};
        });
    }
    template <class T = QWidget> T* shown(const QString& name) {
        for (T* widget : window().findChildren<T*>(name))
            if (widget->isVisible())
                return widget;
        return nullptr;
    }
    // A service line added to the document being written.
    DocumentLineEditor* addServiceLine() {
        const QList<DocumentLineEditor*> before = window().findChildren<DocumentLineEditor*>();
        click(u"documentEditorAddService"_s);
        for (auto* line : window().findChildren<DocumentLineEditor*>())
            if (line->isVisible() && !before.contains(line))
                return line;
        return nullptr;
    }
    // One notch of the wheel over the middle of the combo box, towards an
    // item it has.
    static void turnWheel(QComboBox* box) {
        const int notch = box->currentIndex() == box->count() - 1 ? 120 : -120;
        const QPointF at = QRectF(box->rect()).center();
        QWheelEvent wheel(at, box->mapToGlobal(at), QPoint(), QPoint(0, notch), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(box, &wheel);
    }
    static void expectWheelOnlyOnceFocused(QComboBox* box) {
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->focusPolicy(), Qt::StrongFocus);
        const int before = box->currentIndex();
        turnWheel(box);
        EXPECT_EQ(box->currentIndex(), before) << "scrolling over it changed it";
        box->window()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(box->window()));
        box->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(box->hasFocus());
        turnWheel(box);
        EXPECT_NE(box->currentIndex(), before) << "focused, it takes the wheel";
    }

    ClientItem m_client;
};

TEST_F(FormControlsTest, TheWheelOverAnUnfocusedPrestationTypeScrollsTheFormInstead) {
    openDocuments();
    // In the catalogue's form, a sheet over the window.
    window().workspace().showSection(u"services"_s);
    trigger(u"Nouveau"_s);
    auto* sheet = shown<QDialog>(u"serviceForm"_s);
    ASSERT_NE(sheet, nullptr);
    expectWheelOnlyOnceFocused(sheet->findChild<QComboBox*>(u"serviceType"_s));
    sheet->reject();

    // In the document editor, a full page.
    window().workspace().showSection(u"documents"_s);
    click(u"documentsEmptyAction"_s);
    DocumentLineEditor* line = addServiceLine();
    ASSERT_NE(line, nullptr);
    auto* type = line->findChild<QComboBox*>(u"documentLineType"_s);
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(type->accessibleName(), ServiceForm::prestationTypeLabel());
    expectWheelOnlyOnceFocused(type);
}

// Return is what a hurried user presses: it must not confirm what cannot
// be undone.
TEST(InputSnapshot, AChoiceMadeOnlyInAMenuCountsAsTyped) {
    QWidget form;
    auto* categories = new ChoiceMenuButton(u"Catégories"_s, false, &form);
    categories->showNamesOnly(u"Aucun choix"_s);
    const QUuid paint = QUuid::createUuid();
    categories->setChoices({{paint, u"Peinture"_s}});
    const QStringList shown = inputSnapshot(form);
    categories->setChecked({paint});
    EXPECT_NE(inputSnapshot(form), shown);
    categories->setChecked({});
    EXPECT_EQ(inputSnapshot(form), shown);
}

TEST_F(FormControlsTest, ReturnAnswersAnAlertWithItsSafeButton) {
    CommercialDocumentItem quote;
    quote.kind = CommercialDocumentKind::quote;
    quote.number = u"D-2026-001"_s;
    ServiceItem logo = service(u"Logo"_s);
    const Alert question{Alert::Kind::information,
                         u"Enregistrer ?"_s,
                         u"Le document a changé."_s,
                         {AlertButton{u"Annuler"_s, AlertRole::cancel},
                          AlertButton{u"Enregistrer"_s, AlertRole::defaultAction}}};
    const struct {
        Alert alert;
        QString answer;
    } cases[] = {
        {freezeConfirmation(quote), u"Annuler"_s},
        {RecordDeletion::serviceConfirmation(logo), u"Annuler"_s},
        {question, u"Enregistrer"_s},
        {unsavedinput::confirmation(u"Nouvelle facture"_s), u"Enregistrer"_s},
        {okAlert(u"Titre"_s, u"Message"_s), u"OK"_s},
    };
    for (const auto& c : cases) {
        QTimer::singleShot(0, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                QTest::keyClick(box, Qt::Key_Return);
        });
        const int answer = WidgetDialogs().ask(nullptr, c.alert);
        ASSERT_GE(answer, 0) << c.alert.title.toStdString();
        EXPECT_EQ(c.alert.buttons.at(answer).text, c.answer) << c.alert.title.toStdString();
    }
}

TEST_F(FormControlsTest, TheCataloguePickerTakesTheSelectedServiceOnReturnOrChoisir) {
    openDocuments();
    click(u"documentsEmptyAction"_s);
    for (const bool withButton : {false, true}) {
        DocumentLineEditor* line = addServiceLine();
        ASSERT_NE(line, nullptr);
        line->findChild<QPushButton*>(u"documentLineCatalogue"_s)->click();
        auto* picker = shown<CataloguePicker>(u"cataloguePicker"_s);
        ASSERT_NE(picker, nullptr);
        auto* choose = picker->findChild<QPushButton*>(u"cataloguePickerChoose"_s);
        ASSERT_NE(choose, nullptr);
        EXPECT_EQ(choose->text(), u"Choisir"_s);
        EXPECT_TRUE(choose->isDefault());
        // The second service, reached with the arrows.
        auto* list = picker->findChild<QListWidget*>(u"cataloguePickerList"_s);
        list->setFocus(Qt::TabFocusReason);
        list->setCurrentRow(0);
        QTest::keyClick(list, Qt::Key_Down);
        ASSERT_EQ(list->currentRow(), 1);
        const QUuid id = line->lineId();
        if (withButton)
            QTest::mouseClick(choose, Qt::LeftButton);
        else
            QTest::keyClick(list, Qt::Key_Return);
        EXPECT_FALSE(picker->isVisible());
        // The lines are drawn again with what they hold now.
        QString title;
        for (auto* shownLine : window().findChildren<DocumentLineEditor*>())
            if (shownLine->isVisible() && shownLine->lineId() == id)
                title = shownLine->findChild<QLineEdit*>(u"documentLineTitle"_s)->text();
        EXPECT_EQ(title, u"Charte graphique"_s) << (withButton ? "Choisir" : "Return");
    }
}

TEST_F(FormControlsTest, ALongClientNameKeepsTheDocumentCardAndItsButtonsInView) {
    const QString name = u"Association des artisans photographes indépendants de la vallée du "
                         "Rhône, de la Saône et de leurs environs immédiats"_s;
    openSection(u"documents"_s, [&](AppDatabase& db) {
        ClientItem client;
        client.id = QUuid::createUuid();
        client.kind = ClientKind::professionnel;
        client.company = name;
        db.clients = {client};
        db.documents = {documentOf(CommercialDocumentKind::invoice, u"F-2025-001"_s, u"Logo"_s,
                                   client.id, statusNamed(db.invoiceStatuses, u"Brouillon"_s))};
    });
    window().resize(1100, 760);
    auto* list = find<QListView>(u"documentsList"_s);
    ASSERT_NE(list, nullptr);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(0, 0)).center());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);

    QPushButton* link = nullptr;
    for (auto* button : window().findChildren<QPushButton*>(u"documentCardLink"_s))
        if (button->isVisible() && button->text() == name)
            link = button;
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->toolTip(), name);
    QScrollArea* area = nullptr;
    for (QWidget* up = link->parentWidget(); up && !area; up = up->parentWidget())
        area = qobject_cast<QScrollArea*>(up);
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->horizontalScrollBar()->maximum(), 0);
    const int room = area->viewport()->width();
    for (auto* button : area->widget()->findChildren<QPushButton*>()) {
        if (!button->isVisible())
            continue;
        EXPECT_LE(button->mapTo(area->viewport(), QPoint(button->width(), 0)).x(), room)
            << button->text().toStdString();
    }
}

TEST_F(FormControlsTest, ADeepFolderInTheWizardIsShortenedWithItsPathAsTooltip) {
    AnimatedStack::setAnimationsEnabled(false);
    startApp();
    ASSERT_TRUE(m_app->wizard().inProgress());
    window().resize(1000, 700);
    click(u"wizardContinue"_s);
    type(u"sessionNameField"_s, u"Atelier Nord"_s);
    click(u"presetPicture_image_photographie"_s);
    click(u"wizardContinue"_s);
    const QString folder = m_dir.path() +
                           u"/Documents/Entreprise/Administratif/Comptabilité et gestion/"
                           "Sauvegardes de la session principale/Année en cours"_s;
    ASSERT_TRUE(QDir().mkpath(folder));
    m_dialogs.chooseNext(QUrl::fromLocalFile(folder + u"/Atelier Nord.cdb"_s));
    click(u"chooseLocationButton"_s);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);

    auto* path = find<QLabel>(u"locationPath"_s);
    ASSERT_NE(path, nullptr);
    EXPECT_EQ(path->text(), QDir::toNativeSeparators(folder));
    EXPECT_EQ(path->toolTip(), path->text());
    EXPECT_LT(path->width(), path->fontMetrics().horizontalAdvance(path->text()));
    auto* choose = find<QWidget>(u"chooseLocationButton"_s);
    EXPECT_LE(choose->mapTo(&window(), QPoint(choose->width(), 0)).x(), window().width());
}

} // namespace
} // namespace velmora::gui::test
