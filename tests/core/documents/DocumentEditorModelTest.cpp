#include "core/documents/DocumentEditorModel.h"

#include "DocumentsFixture.h"
#include "core/documents/DocumentLines.h"
#include "core/documents/DocumentLinks.h"
#include "support/SessionChange.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace velmora::test {
namespace {

class DocumentEditorModelTest : public DocumentsFixture {
protected:
    DocumentEditorModel newModel(CommercialDocumentKind kind) const {
        return DocumentEditorModel(m_store->session(), kind, m_clock.now());
    }
};

TEST_F(DocumentEditorModelTest, GeneratesTheNumberOfItsKindUntilTheUserTypesAnother) {
    put({makeInvoice(u"F-2025-004"_s), makeQuote(u"D-2025-009"_s)});
    DocumentEditorModel model = newModel(CommercialDocumentKind::invoice);
    EXPECT_FALSE(model.hasChanges());
    EXPECT_TRUE(model.numberIsAuto());
    EXPECT_EQ(model.form().number, u"F-2025-005"_s);
    EXPECT_EQ(model.form().statusID, invoiceStatus(u"Brouillon"_s));
    EXPECT_FALSE(model.form().validityDate);

    model.setKind(CommercialDocumentKind::quote);
    EXPECT_EQ(model.form().number, u"D-2025-010"_s);
    EXPECT_EQ(model.form().statusID, quoteStatus(u"Brouillon"_s));
    EXPECT_EQ(model.form().validityDate, m_clock.now().addDays(30));

    model.setNumber(u"D-2025-010"_s); // the same text keeps generation on
    EXPECT_TRUE(model.numberIsAuto());
    model.setNumber(u"D-2025-010-bis"_s);
    EXPECT_FALSE(model.numberIsAuto());
    model.setKind(CommercialDocumentKind::invoice);
    EXPECT_EQ(model.form().number, u"D-2025-010-bis"_s);
    model.setNumberIsAuto(true);
    EXPECT_EQ(model.form().number, u"F-2025-005"_s);
}

TEST_F(DocumentEditorModelTest, OrdersLinesAndRefusesADiscountBeforeAnyService) {
    DocumentEditorModel model = newModel(CommercialDocumentKind::invoice);
    EXPECT_FALSE(model.appendLine(CommercialDocumentLineKind::discount));
    const QUuid a = *model.appendLine(CommercialDocumentLineKind::service);
    const QUuid b = *model.appendLine(CommercialDocumentLineKind::discount);
    const QUuid c = *model.appendLine(CommercialDocumentLineKind::deposit);
    EXPECT_EQ(model.line(b)->title, u"Remise"_s);
    model.moveLine(c, 0);
    model.moveLine(a, 99);
    QList<QUuid> order;
    for (const CommercialDocumentLine& line : model.form().lines)
        order << line.id;
    EXPECT_EQ(order, (QList<QUuid>{c, b, a}));
    model.removeLine(b);
    EXPECT_EQ(model.form().lines.size(), 2);
    EXPECT_EQ(model.line(b), nullptr);
}

TEST_F(DocumentEditorModelTest, RefusesANonPositiveQuantityAndADiscountPastTheServices) {
    using K = CommercialDocumentLineKind;
    const QString tooLarge = LineEditor::discountTooLargeMessage(200);
    EXPECT_EQ(tooLarge, u"La remise ne peut pas dépasser le total des prestations "
                        u"(200,00\u00a0€).");
    EXPECT_EQ(LineEditor::quantityMessage(), u"La quantité doit être supérieure à 0.");
    const struct {
        const char* name;
        QList<CommercialDocumentLine> lines;
        QStringList refusals; // line by line
    } rows[] = {
        {"quantity 0", {serviceLine(100, 0)}, {LineEditor::quantityMessage()}},
        {"negative quantity", {serviceLine(100, -1)}, {LineEditor::quantityMessage()}},
        {"fixed, all of it", {serviceLine(100, 2), otherLine(K::discount, 200)}, {{}, {}}},
        {"fixed, past it", {serviceLine(100, 2), otherLine(K::discount, 200.01)}, {{}, tooLarge}},
        {"percent past 100",
         {serviceLine(100, 2), otherLine(K::discount, 101, true)},
         {{}, tooLarge}},
        {"the second goes past",
         {serviceLine(100, 2), otherLine(K::discount, 150), otherLine(K::discount, 60)},
         {{}, {}, tooLarge}},
        {"a service after the discount counts",
         {serviceLine(50), otherLine(K::discount, 200), serviceLine(150)},
         {{}, {}, {}}},
        {"deposits are not discounts", {serviceLine(100, 2), otherLine(K::deposit, 500)}, {{}, {}}},
    };
    for (const auto& row : rows) {
        QStringList refusals;
        for (const CommercialDocumentLine& line : row.lines)
            refusals << LineEditor::refusal(row.lines, line);
        EXPECT_EQ(refusals, row.refusals) << row.name;

        // Stored neither way.
        DocumentEditorModel model = newModel(CommercialDocumentKind::invoice);
        model.form().lines = row.lines;
        model.form().clientID = m_client.id;
        const Result<QUuid> stored =
            test::inEdit(*m_store, [&](SessionEdit& e) { return model.commit(e, m_clock); });
        const QString first = LineEditor::firstRefusal(row.lines);
        EXPECT_EQ(stored.ok(), first.isEmpty()) << row.name;
        if (!first.isEmpty()) {
            EXPECT_EQ(stored.error(), first) << row.name;
        }
    }
    EXPECT_EQ(m_store->documents().size(), 3) << "only the accepted documents";
}

TEST_F(DocumentEditorModelTest, LinksAtMostThreeActivities) {
    DocumentEditorModel model = newModel(CommercialDocumentKind::quote);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(model.setActivityLinked(QUuid::createUuid(), true), QString());
    EXPECT_EQ(model.setActivityLinked(QUuid::createUuid(), true), ActivityLinks::tooManyMessage());
    EXPECT_EQ(model.form().linkedProjectIDs.size(), 3);
    model.setActivityLinked(model.form().linkedProjectIDs.first(), false);
    EXPECT_EQ(model.setActivityLinked(m_project.id, true), QString());
}

TEST_F(DocumentEditorModelTest, EditingKeepsWhatTheFormDoesNotShow) {
    CommercialDocumentItem invoice = makeInvoice(u"F-2025-001"_s, {serviceLine(100)});
    invoice.encaissements = {payment(40)};
    put({invoice});
    DocumentEditorModel model(m_store->session(), invoice, m_clock.now());
    EXPECT_FALSE(model.isNew());
    EXPECT_FALSE(model.hasChanges());
    EXPECT_FALSE(model.numberIsAuto());
    EXPECT_EQ(model.title(), u"Modifier F-2025-001"_s);
    model.form().notes = u"Merci"_s;
    EXPECT_TRUE(model.hasChanges());
    model.line(invoice.lines.first().id)->priceTTC = 120;
    EXPECT_EQ(model.document().encaissements, invoice.encaissements);
    EXPECT_EQ(model.document().lines.first().priceTTC, 120);

    ASSERT_TRUE(
        test::inEdit(*m_store, [&](SessionEdit& e) { return model.commit(e, m_clock); }).ok());
    EXPECT_EQ(m_store->documents().size(), 1);
    EXPECT_EQ(stored(invoice.id).notes, u"Merci"_s);
    EXPECT_EQ(onDisk().documents.first().encaissements.size(), 1);
}

TEST_F(DocumentEditorModelTest, AnImportedPdfIsCopiedOnlyWhenTheDocumentIsStored) {
    const QString source = m_dir.filePath(u"devis-client.pdf"_s);
    QFile file(source);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("%PDF-1.4\n%%EOF\n");
    file.close();
    const auto mediaFiles = [&] { return QDir(m_store->mediaFolder()).entryList(QDir::Files); };

    DocumentEditorModel model = newModel(CommercialDocumentKind::quote);
    model.setImported(true);
    model.choosePdf(QUrl::fromLocalFile(source));
    EXPECT_EQ(model.shownPdf(), QUrl::fromLocalFile(source));
    model.setNumber(u" "_s);
    EXPECT_FALSE(test::inEdit(*m_store, [&](SessionEdit& e) { return model.commit(e, m_clock); }));
    EXPECT_TRUE(mediaFiles().isEmpty());

    model.setNumber(u"D-9"_s);
    m_fs.failOn(FaultyFileSystem::Op::Write);
    EXPECT_FALSE(test::inEdit(*m_store, [&](SessionEdit& e) { return model.commit(e, m_clock); }));
    EXPECT_TRUE(mediaFiles().isEmpty()) << "a refused save leaves no copy";
    m_fs.heal();

    const Result<QUuid> created =
        test::inEdit(*m_store, [&](SessionEdit& e) { return model.commit(e, m_clock); });
    ASSERT_TRUE(created.ok());
    const CommercialDocumentItem& stored = this->stored(created.value());
    EXPECT_EQ(stored.sourceKind, CommercialDocumentSourceKind::importedPDF);
    ASSERT_TRUE(stored.importedPDFURL);
    EXPECT_TRUE(stored.importedPDFURL->toLocalFile().startsWith(m_store->mediaFolder()));
    EXPECT_EQ(mediaFiles().size(), 1);
}

} // namespace
} // namespace velmora::test
