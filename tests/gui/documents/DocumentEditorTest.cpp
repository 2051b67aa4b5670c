// The document editor: a quote written from the catalogue with a discount
// and a deposit, its totals and page following each keystroke; the rules
// that refuse a document; an imported PDF; a failed save.

#include "SectionFixture.h"

#include "core/documents/DocumentCreation.h"
#include "core/documents/DocumentLines.h"
#include "gui/documents/CataloguePicker.h"
#include "gui/documents/DocumentEditor.h"
#include "gui/documents/DocumentLineEditor.h"
#include "gui/documents/DocumentPagePreview.h"
#include "support/SessionChange.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>

namespace velmora::gui::test {
namespace {

ServiceItem service(const QString& title, const QString& price, ServicePrestationType type) {
    ServiceItem s;
    s.id = QUuid::createUuid();
    s.title = title;
    s.description = title + u" — détail"_s;
    s.priceTTC = price;
    s.prestationType = type;
    return s;
}

class DocumentEditorTest : public SectionFixture {
protected:
    void openEmptyDocuments() {
        openSection(u"documents"_s, [this](AppDatabase& db) {
            m_client.id = QUuid::createUuid();
            m_client.kind = ClientKind::professionnel;
            m_client.company = u"Atelier Lumen"_s;
            db.clients = {m_client};
            db.services = {
                service(u"Logo"_s, u"450,00"_s, ServicePrestationType::prestationsLiberalesBNC),
                service(u"Charte graphique"_s, u"300"_s,
                        ServicePrestationType::prestationsCommercialesBIC)};
        });
    }
    // The editor on screen; none once it closed.
    DocumentEditor* editor() {
        for (auto* shown : window().findChildren<DocumentEditor*>())
            if (shown->isVisible())
                return shown;
        return nullptr;
    }
    // The line editors on screen, in the document's order.
    QList<DocumentLineEditor*> lines() {
        QList<DocumentLineEditor*> shown;
        for (const CommercialDocumentLine& line : editor()->model().form().lines)
            for (auto* lineEditor : editor()->findChildren<DocumentLineEditor*>())
                if (lineEditor->isVisible() && lineEditor->lineId() == line.id)
                    shown << lineEditor;
        return shown;
    }
    void typeInLine(int line, const QString& field, const QString& text) {
        auto* edit = lines().value(line)->findChild<QLineEdit*>(field);
        ASSERT_NE(edit, nullptr) << field.toStdString();
        typeInto(edit, text);
    }
    void pickFromCatalogue(int line, const QString& query) {
        // Clicked without the mouse: a line just added has no geometry yet.
        lines().value(line)->findChild<QPushButton*>(u"documentLineCatalogue"_s)->click();
        CataloguePicker* picker = nullptr;
        for (auto* shown : window().findChildren<CataloguePicker*>())
            if (shown->isVisible())
                picker = shown;
        ASSERT_NE(picker, nullptr);
        typeInto(picker->findChild<QLineEdit*>(u"cataloguePickerSearch"_s), query);
        QTest::keyClick(picker->findChild<QLineEdit*>(u"cataloguePickerSearch"_s), Qt::Key_Return);
        EXPECT_FALSE(picker->isVisible());
    }
    QString grandTotal() { return shownText(u"documentEditorGrandTotal"_s); }
    QString previewGrandTotal() {
        editor()->refreshPreview();
        for (const auto& total : editor()->pagePreview()->page().totals)
            if (total.isGrandTotal)
                return total.amount;
        return {};
    }

    ClientItem m_client;
};

TEST_F(DocumentEditorTest, WritesAQuoteFromTheCatalogueWithADiscountAndADeposit) {
    openEmptyDocuments();
    click(u"documentsEmptyAction"_s);
    ASSERT_NE(editor(), nullptr);
    EXPECT_FALSE(canRun(page(), SectionCommand::create)) << "the list waits for the editor";
    click(u"documentEditorQuote"_s);
    const QString number = u"D-%1-001"_s.arg(store().clock().now().date().year());
    EXPECT_EQ(find<QLineEdit>(u"documentEditorNumber"_s)->text(), number);
    EXPECT_EQ(shownText(u"documentEditorPreviewLabel"_s), u"Aperçu live (document en brouillon)"_s);
    auto* client = find<QComboBox>(u"documentEditorClient"_s);
    client->setCurrentIndex(client->findText(u"Atelier Lumen"_s));
    emit client->activated(client->currentIndex());

    EXPECT_FALSE(find<QPushButton>(u"documentEditorAddDiscount"_s)->isEnabled());
    click(u"documentEditorAddService"_s);
    pickFromCatalogue(0, u"logo"_s);
    click(u"documentEditorAddService"_s);
    pickFromCatalogue(1, u"charte"_s);
    EXPECT_EQ(grandTotal(), u"750,00\u00a0€"_s);
    // Each keystroke moves the totals; the page follows after the pause.
    typeInLine(1, u"documentLineTva"_s, u"20"_s);
    EXPECT_EQ(grandTotal(), u"810,00\u00a0€"_s);
    EXPECT_EQ(previewGrandTotal(), grandTotal());
    typeInLine(1, u"documentLinePrice"_s, u"30x"_s);
    EXPECT_EQ(shownText(u"documentLineError"_s), DocumentLineEditor::invalidAmountMessage());
    typeInLine(1, u"documentLinePrice"_s, u"250"_s);
    EXPECT_EQ(grandTotal(), u"750,00\u00a0€"_s);

    click(u"documentEditorAddDiscount"_s);
    typeInLine(2, u"documentLinePrice"_s, u"50"_s);
    click(u"documentEditorAddDeposit"_s);
    typeInLine(3, u"documentLinePrice"_s, u"200"_s);
    EXPECT_EQ(grandTotal(), u"500,00\u00a0€"_s);
    EXPECT_EQ(previewGrandTotal(), u"500,00\u00a0€"_s);
    // The deposit goes first and comes back down: the order is the user's.
    lines().value(3)->findChild<QToolButton*>(u"documentLineUp"_s)->click();
    EXPECT_EQ(editor()->model().form().lines.at(2).kind, CommercialDocumentLineKind::deposit);
    // Dragged by its header below the last line, it is last again.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QMimeData line;
    line.setData(DocumentLineEditor::dragMimeType(), lines().value(2)->lineId().toByteArray());
    const QPoint below =
        lines().value(3)->mapTo(editor(), lines().value(3)->rect().bottomLeft() + QPoint(4, -2));
    QDropEvent drop(below, Qt::MoveAction, &line, Qt::LeftButton, Qt::NoModifier);
    // Straight to the editor: the application hands drops only to the
    // target of a drag in progress.
    static_cast<QObject*>(editor())->event(&drop);
    EXPECT_EQ(editor()->model().form().lines.at(3).kind, CommercialDocumentLineKind::deposit);
    EXPECT_EQ(editor()->model().form().lines.at(2).kind, CommercialDocumentLineKind::discount);

    click(u"documentEditorCommit"_s);
    EXPECT_EQ(editor(), nullptr);
    ASSERT_EQ(store().documents().size(), 1);
    const CommercialDocumentItem& quote = store().documents().first();
    EXPECT_EQ(quote.kind, CommercialDocumentKind::quote);
    EXPECT_EQ(quote.number, number);
    EXPECT_EQ(quote.clientID, m_client.id);
    ASSERT_EQ(quote.lines.size(), 4);
    EXPECT_EQ(quote.lines.at(0).title, u"Logo"_s);
    EXPECT_EQ(quote.lines.at(0).priceTTC, 450);
    EXPECT_EQ(quote.lines.at(1).prestationType, ServicePrestationType::prestationsCommercialesBIC);
    EXPECT_EQ(quote.lines.at(1).tvaRate, 20);
    EXPECT_EQ(shownRows(), QStringList{u"Devis "_s + number});
    EXPECT_TRUE(sessionFile().contains(number.toUtf8()));

    // Edited again, a draft keeps its number and saves in place.
    ASSERT_TRUE(canRun(page(), SectionCommand::edit));
    run(page(), SectionCommand::edit);
    type(u"documentEditorNumber"_s, u"D-2025-042"_s);
    EXPECT_FALSE(find<QCheckBox>(u"documentEditorAutoNumber"_s)->isChecked());
    click(u"documentEditorCommit"_s);
    EXPECT_EQ(store().documents().first().number, u"D-2025-042"_s);
    EXPECT_EQ(store().documents().size(), 1);
}

TEST_F(DocumentEditorTest, FrenchAmountsAreReadAndKeptAsTyped) {
    openEmptyDocuments();
    click(u"documentsEmptyAction"_s);
    click(u"documentEditorInvoice"_s);
    click(u"documentEditorAddService"_s);
    typeInLine(0, u"documentLinePrice"_s, u"1 450,00"_s);
    EXPECT_FALSE(lines().value(0)->hasInvalidAmount());
    EXPECT_TRUE(lines()
                    .value(0)
                    ->findChild<QLabel*>(u"documentLineFigures"_s)
                    ->text()
                    .contains(u"1\u202f450,00\u00a0€"_s));
    EXPECT_EQ(grandTotal(), u"1\u202f450,00\u00a0€"_s);
    EXPECT_EQ(previewGrandTotal(), grandTotal());

    // Lines laid out again keep what was typed, refused or not.
    typeInLine(0, u"documentLinePrice"_s, u"145,50"_s);
    typeInLine(0, u"documentLineQuantity"_s, u"2x"_s);
    for (int i = 0; i < 4; ++i)
        click(u"documentEditorAddService"_s);
    auto* price = lines().value(0)->findChild<QLineEdit*>(u"documentLinePrice"_s);
    EXPECT_EQ(price->text(), u"145,50"_s);
    EXPECT_FALSE(price->property("refused").toBool());
    auto* quantity = lines().value(0)->findChild<QLineEdit*>(u"documentLineQuantity"_s);
    EXPECT_EQ(quantity->text(), u"2x"_s);
    EXPECT_TRUE(quantity->property("refused").toBool());
    typeInLine(0, u"documentLineQuantity"_s, u"1"_s);
    EXPECT_FALSE(quantity->property("refused").toBool());

    // A refused amount stays in red and comes into view when saving.
    typeInLine(4, u"documentLinePrice"_s, u"1 45,00"_s);
    auto* refused = lines().value(4)->findChild<QLineEdit*>(u"documentLinePrice"_s);
    EXPECT_TRUE(refused->property("refused").toBool());
    lines().value(4)->setExpanded(false);
    QScrollArea* area = nullptr;
    for (QWidget* w = refused->parentWidget(); w && !area; w = w->parentWidget())
        area = qobject_cast<QScrollArea*>(w);
    ASSERT_NE(area, nullptr);
    area->verticalScrollBar()->setValue(0);
    click(u"documentEditorCommit"_s);
    EXPECT_TRUE(store().documents().isEmpty());
    EXPECT_EQ(refused->text(), u"1 45,00"_s);
    EXPECT_TRUE(lines().value(4)->isExpanded());
    EXPECT_EQ(refused->window()->focusWidget(), refused);
    const QRect shown(refused->mapTo(area->viewport(), QPoint(0, 0)), refused->size());
    EXPECT_TRUE(area->viewport()->rect().contains(shown));
    EXPECT_EQ(lines().value(4)->findChild<QLabel*>(u"documentLineError"_s)->text(),
              DocumentLineEditor::invalidAmountMessage());
}

TEST_F(DocumentEditorTest, RefusesWhatCannotBeStoredAndLosesNothing) {
    openEmptyDocuments();
    click(u"documentsEmptyAction"_s);
    click(u"documentEditorInvoice"_s);
    click(u"documentEditorAddDeposit"_s);
    typeInLine(0, u"documentLinePrice"_s, u"100"_s);
    click(u"documentEditorCommit"_s);
    EXPECT_EQ(shownText(u"documentEditorError"_s),
              DocumentCreation::clientRequiredForDepositOnCreate());
    type(u"documentEditorNumber"_s, u"  "_s);
    click(u"documentEditorCommit"_s);
    EXPECT_EQ(shownText(u"documentEditorError"_s), DocumentCreation::numberRequiredMessage());

    // A full disk: the alert says so and the editor keeps what was typed.
    type(u"documentEditorNumber"_s, u"F-1"_s);
    lines().value(0)->findChild<QToolButton*>(u"documentLineRemove"_s)->click();
    m_fs.failOn(velmora::test::FaultyFileSystem::Op::Write);
    click(u"documentEditorCommit"_s);
    m_fs.heal();
    ASSERT_FALSE(m_dialogs.alerts.isEmpty());
    EXPECT_EQ(m_dialogs.alerts.last().kind, Alert::Kind::error);
    EXPECT_TRUE(store().documents().isEmpty());
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(find<QLineEdit>(u"documentEditorNumber"_s)->text(), u"F-1"_s);

    // A client made from the editor is chosen at once.
    click(u"documentEditorNewClient"_s);
    type(u"clientFirstName"_s, u"Jeanne"_s);
    type(u"clientLastName"_s, u"Roux"_s);
    click(u"clientFormSave"_s);
    EXPECT_EQ(find<QComboBox>(u"documentEditorClient"_s)->currentText(), u"ROUX Jeanne"_s);
    ASSERT_EQ(store().clients().size(), 2);
    EXPECT_EQ(editor()->model().form().clientID, store().clients().last().id);

    // Leaving what was typed is asked first.
    click(u"documentEditorCancel"_s);
    EXPECT_EQ(m_dialogs.alerts.last(), DocumentEditorModel::discardConfirmation());
    ASSERT_NE(editor(), nullptr);
    m_dialogs.answerNext(u"Quitter"_s);
    click(u"documentEditorCancel"_s);
    EXPECT_EQ(editor(), nullptr);
    EXPECT_TRUE(store().documents().isEmpty());
}

TEST_F(DocumentEditorTest, RefusesANonPositiveQuantityAndADiscountPastTheServicesAtTheField) {
    openEmptyDocuments();
    click(u"documentsEmptyAction"_s);
    click(u"documentEditorInvoice"_s);
    click(u"documentEditorAddService"_s);
    typeInLine(0, u"documentLineTitle"_s, u"Logo"_s);
    typeInLine(0, u"documentLinePrice"_s, u"100"_s);
    click(u"documentEditorAddDiscount"_s);
    const auto refusal = [&](int line) {
        auto* label = lines().value(line)->findChild<QLabel*>(u"documentLineRefusal"_s);
        return label && label->isVisibleTo(editor()) ? label->text() : QString();
    };
    const auto field = [&](int line, const QString& name) {
        return lines().value(line)->findChild<QLineEdit*>(name);
    };
    const struct {
        int line;
        QString field, typed;
        QString refusal0, refusal1;
    } steps[] = {
        {0, u"documentLineQuantity"_s, u"-2"_s, LineEditor::quantityMessage(), {}},
        {0, u"documentLineQuantity"_s, u"0"_s, LineEditor::quantityMessage(), {}},
        {0, u"documentLineQuantity"_s, u"2"_s, {}, {}},
        {1, u"documentLinePrice"_s, u"250"_s, {}, LineEditor::discountTooLargeMessage(200)},
        // The bound follows the services: a higher quantity takes the discount in.
        {0, u"documentLineQuantity"_s, u"3"_s, {}, {}},
        {1, u"documentLinePrice"_s, u"300,01"_s, {}, LineEditor::discountTooLargeMessage(300)},
    };
    for (const auto& step : steps) {
        typeInLine(step.line, step.field, step.typed);
        const std::string name = step.typed.toStdString();
        EXPECT_EQ(refusal(0), step.refusal0) << name;
        EXPECT_EQ(refusal(1), step.refusal1) << name;
        for (int line : {0, 1})
            EXPECT_FALSE(lines()
                             .value(line)
                             ->findChild<QLabel*>(u"documentLineError"_s)
                             ->isVisibleTo(editor()))
                << "a number, not a misread one: " << name;
        EXPECT_EQ(field(step.line, step.field)->text(), step.typed) << "kept as typed";
        const bool refused = !step.refusal0.isEmpty() || !step.refusal1.isEmpty();
        EXPECT_EQ(field(step.line, step.field)->property("refused").toBool(), refused) << name;
        if (refused) {
            click(u"documentEditorCommit"_s);
            EXPECT_NE(editor(), nullptr) << name;
            EXPECT_TRUE(store().documents().isEmpty()) << name;
        }
    }
    typeInLine(1, u"documentLinePrice"_s, u"300"_s);
    EXPECT_EQ(refusal(1), QString()) << "the whole services total may be given";
    click(u"documentEditorCommit"_s);
    EXPECT_EQ(editor(), nullptr);
    ASSERT_EQ(store().documents().size(), 1);
    EXPECT_EQ(store().documents().first().lines.at(0).quantity, 3);
}

TEST_F(DocumentEditorTest, ImportsAPdfAndFreezesWhatWasIssued) {
    openEmptyDocuments();
    const QString source = m_dir.path() + u"/Devis signé.pdf"_s;
    QFile pdf(source);
    ASSERT_TRUE(pdf.open(QIODevice::WriteOnly));
    pdf.write("%PDF-1.4\n%%EOF\n");
    pdf.close();

    m_dialogs.chooseNext(QUrl::fromLocalFile(m_dir.path() + u"/notes.txt"_s));
    click(u"documentsEmptyImport"_s);
    EXPECT_EQ(editor(), nullptr);
    EXPECT_EQ(m_dialogs.alerts.last().title, u"Import impossible"_s);

    m_dialogs.chooseNext(QUrl::fromLocalFile(source));
    click(u"documentsEmptyImport"_s);
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(shownText(u"documentEditorPdfName"_s), u"Devis signé.pdf"_s);
    EXPECT_FALSE(isShown(u"documentEditorDueDays"_s));
    click(u"documentEditorCommit"_s);
    ASSERT_EQ(store().documents().size(), 1);
    const CommercialDocumentItem imported = store().documents().first();
    EXPECT_EQ(imported.sourceKind, CommercialDocumentSourceKind::importedPDF);
    ASSERT_TRUE(imported.importedPDFURL);
    EXPECT_EQ(contentsOf(imported.importedPDFURL->toLocalFile()), contentsOf(source));

    // An issued editor document is frozen: nothing offers to edit it.
    CommercialDocumentItem issued = imported;
    issued.id = QUuid::createUuid();
    issued.sourceKind = CommercialDocumentSourceKind::editor;
    issued.pdfSnapshot = DocumentSnapshot{};
    velmora::test::changeSession(store(), [&](SessionEdit& e) {
        e.documents() = {issued, imported};
    });
    page()->reveal(issued.id);
    EXPECT_FALSE(canRun(page(), SectionCommand::edit));
    EXPECT_FALSE(isShown(u"documentCardEdit"_s));
    EXPECT_TRUE(
        shownText(u"documentCardFrozen"_s).endsWith(u"ce document n’est plus modifiable."_s));
    page()->reveal(imported.id);
    EXPECT_TRUE(canRun(page(), SectionCommand::edit));
    click(u"documentCardEdit"_s);
    EXPECT_NE(editor(), nullptr);
}

} // namespace
} // namespace velmora::gui::test
