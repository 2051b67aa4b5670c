// The documents section: a quote and an invoice shown by kind, status and
// search; the invoice's PDF saved; the quote converted; a document deleted.

#include "SectionFixture.h"

#include "core/documents/DocumentCreation.h"
#include "core/documents/RecordDeletion.h"

#include <QPdfDocument>
#include <QPdfView>
#include <QPushButton>

namespace velmora::gui::test {
namespace {

class DocumentsPageTest : public SectionFixture {
protected:
    void openDocuments() {
        openSection(u"documents"_s, [this](AppDatabase& db) {
            ClientItem client;
            client.id = QUuid::createUuid();
            client.kind = ClientKind::professionnel;
            client.company = u"Atelier Lumen"_s;
            db.clients = {client};
            m_quote = documentOf(CommercialDocumentKind::quote, u"D-2025-001"_s, u"Logo"_s,
                                 client.id, statusNamed(db.quoteStatuses, u"Envoyé"_s));
            // Sent and past its validity day, unanswered.
            m_quote.validityDate = QDateTime(QDate(2025, 7, 1), QTime(10, 0), Qt::UTC);
            m_invoice =
                documentOf(CommercialDocumentKind::invoice, u"F-2025-001"_s, u"Refonte du site"_s,
                           client.id, statusNamed(db.invoiceStatuses, u"Brouillon"_s));
            db.documents = {m_quote, m_invoice};
        });
    }
    QStringList sortedRows() {
        QStringList rows = shownRows();
        rows.sort();
        return rows;
    }

    CommercialDocumentItem m_quote;
    CommercialDocumentItem m_invoice;
};

TEST_F(DocumentsPageTest, ShownByKindStatusAndSearch) {
    openDocuments();
    const QStringList both{u"Devis D-2025-001"_s, u"Facture F-2025-001"_s};
    EXPECT_EQ(sortedRows(), both);
    EXPECT_EQ(shownText(u"documentsCount"_s), u"2 documents"_s);

    click(u"documentsKindQuotes"_s);
    EXPECT_EQ(shownRows(), QStringList{u"Devis D-2025-001"_s});
    click(u"documentsKindInvoices"_s);
    EXPECT_EQ(shownRows(), QStringList{u"Facture F-2025-001"_s});
    click(u"documentsKindAll"_s);

    // "Brouillon" stands for both kinds' drafts; only the invoice is one.
    click(u"documentsFilter_Brouillon"_s);
    EXPECT_EQ(shownRows(), QStringList{u"Facture F-2025-001"_s});
    click(u"documentsFilter_Brouillon"_s);
    EXPECT_EQ(sortedRows(), both);
    click(u"documentsAlerts_Expiré"_s);
    EXPECT_EQ(shownRows(), QStringList{u"Devis D-2025-001"_s});
    click(u"documentsAlerts_Expiré"_s);

    for (const auto& [query, rows] :
         {std::pair{u"logo"_s, QStringList{u"Devis D-2025-001"_s}}, std::pair{u"lumen"_s, both},
          std::pair{u"F-2025"_s, QStringList{u"Facture F-2025-001"_s}},
          std::pair{u"personne"_s, QStringList{}}}) {
        type(u"documentsSearch"_s, query);
        EXPECT_EQ(sortedRows(), rows) << query.toStdString();
    }
    EXPECT_EQ(shownText(u"documentsCount"_s), u"Aucun document"_s);
}

TEST_F(DocumentsPageTest, SavesThePdfConvertsTheQuoteAndDeletes) {
    openDocuments();
    page()->reveal(m_invoice.id);
    EXPECT_EQ(shownText(u"documentCardTitle"_s), u"Facture F-2025-001"_s);
    auto* preview = find<QPdfView>(u"documentPreviewView"_s);
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->document()->pageCount(), 1);

    const QString path = m_dir.path() + u"/Facture.pdf"_s;
    m_dialogs.chooseNext(QUrl::fromLocalFile(path));
    ASSERT_TRUE(canRun(page(), SectionCommand::exportPDF));
    run(page(), SectionCommand::exportPDF);
    ASSERT_FALSE(m_dialogs.panels.isEmpty());
    EXPECT_EQ(m_dialogs.panels.last().proposedName, u"F-2025-001.pdf"_s);
    QPdfDocument saved;
    EXPECT_EQ(saved.load(path), QPdfDocument::Error::None);
    EXPECT_EQ(saved.pageCount(), 1);

    page()->reveal(m_quote.id);
    click(u"documentCardConvert"_s);
    ASSERT_EQ(store().documents().size(), 3);
    const CommercialDocumentItem converted = store().documents().first();
    EXPECT_EQ(converted.kind, CommercialDocumentKind::invoice);
    EXPECT_EQ(converted.linkedQuoteID, m_quote.id);
    EXPECT_EQ(shownText(u"documentCardTitle"_s), u"Facture "_s + converted.number)
        << "the new invoice is shown";

    page()->reveal(m_invoice.id);
    confirmNextDeletion();
    click(u"documentCardDelete"_s);
    ASSERT_FALSE(m_dialogs.alerts.isEmpty());
    EXPECT_EQ(m_dialogs.alerts.last(), RecordDeletion::documentConfirmation(m_invoice));
    EXPECT_EQ(store().documents().size(), 2);
    EXPECT_FALSE(sessionFile().contains("F-2025-001\""));
}

TEST_F(DocumentsPageTest, AConvertedQuoteLinksToItsInvoiceAndAsksBeforeASecondOne) {
    openDocuments();
    page()->reveal(m_quote.id);
    EXPECT_FALSE(isShown(u"documentCardConverted"_s));
    click(u"documentCardConvert"_s);
    const CommercialDocumentItem first = store().documents().first();
    ASSERT_EQ(first.linkedQuoteID, m_quote.id);

    page()->reveal(m_quote.id);
    auto* link = find<QPushButton>(u"documentCardConverted"_s);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->text(), u"Converti en facture "_s + first.number);
    click(u"documentCardConverted"_s);
    EXPECT_EQ(shownText(u"documentCardTitle"_s), u"Facture "_s + first.number);

    const Alert asked = reconversionConfirmation(first);
    EXPECT_EQ(asked.message, u"Ce devis a déjà été converti en facture "_s + first.number +
                                 u". Créer une autre facture ?"_s);
    for (const auto& [answer, documents] :
         {std::pair{u"Annuler"_s, 3}, std::pair{u"Créer une autre facture"_s, 4}}) {
        page()->reveal(m_quote.id);
        m_dialogs.answerNext(answer);
        click(u"documentCardConvert"_s);
        ASSERT_FALSE(m_dialogs.alerts.isEmpty());
        EXPECT_EQ(m_dialogs.alerts.last(), asked);
        EXPECT_EQ(store().documents().size(), documents) << answer.toStdString();
    }
}

} // namespace
} // namespace velmora::gui::test
