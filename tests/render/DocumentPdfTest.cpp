// Quote and invoice PDFs read back with QtPdf: their text, and where needed
// their pixels.

#include "PdfFile.h"
#include "core/documents/DocumentWorkflow.h"
#include "render/DocumentRenderer.h"
#include "support/QtPrinters.h"
#include "support/SampleDocuments.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfDocument>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

using namespace velmora;
using velmora::test::SampleDocuments;

namespace {

// A one-page PDF as a reader opens it.
class ReadPdf : public velmora::test::PdfFile {
public:
    explicit ReadPdf(const QByteArray& bytes) : PdfFile(bytes) {
        EXPECT_EQ(pages(), 1);
        // Line breaks and the no-break spaces of amounts read as plain spaces.
        m_text = normalized(PdfFile::text(0));
    }

    const QString& text() const { return m_text; }
    bool has(const QString& part) const { return m_text.contains(normalized(part)); }
    QStringList words() const { return m_text.split(QLatin1Char(' ')); }
    QSizeF pageSize() const { return PdfFile::pageSize(0); }
    QImage image() { return PdfFile::image(0); }
    // Where the first occurrence of the text is drawn, in points.
    QRectF boundsOf(const QString& part) {
        const QString raw = document().getAllText(0).text();
        qsizetype at = -1;
        for (qsizetype i = 0; i < raw.size() && at < 0; ++i) {
            if (normalized(raw.mid(i, part.size())) == normalized(part))
                at = i;
        }
        EXPECT_GE(at, 0) << part.toStdString();
        return document().getSelectionAtIndex(0, int(at), int(part.size())).boundingRectangle();
    }

    // Readers differ on the narrow space between thousands: it goes.
    static QString normalized(QString text) {
        for (QChar& c : text) {
            if (c.isSpace())
                c = QLatin1Char(' ');
        }
        static const QRegularExpression thousands(u"(\\d) (?=\\d{3}\\b)"_s);
        return text.simplified().replace(thousands, u"\\1"_s);
    }

private:
    QString m_text;
};

QByteArray pngOf(QColor color) {
    QImage image(300, 160, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// The session the pages are printed from; logos live in its media.
class DocumentPdfTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_db.companySettings = SampleDocuments::company();
        m_db.clients = {SampleDocuments::client()};
        m_db.invoiceStatuses = {{QUuid::createUuid(), u"Brouillon"_s, {}},
                                {QUuid::createUuid(), u"Envoyé"_s, {}}};
        m_db.quoteStatuses = m_db.invoiceStatuses;
        m_db.preferences.invoiceLogoURL = logo(u"rouge.png"_s, Qt::red);
    }

    QUrl logo(const QString& name, QColor color) {
        const QUrl url = QUrl::fromLocalFile(u"/media/"_s + name);
        m_db.embeddedMedia.insert(name, Base64Data::fromBytes(pngOf(color)));
        return url;
    }

    QByteArray pdf(const CommercialDocumentItem& document) {
        return renderDocumentPDF(document, DocumentParties::of(document, m_db),
                                 embeddedMediaReader(m_db.embeddedMedia));
    }

    // Issued as the status menu would: the snapshot is taken now.
    void issue(CommercialDocumentItem& document) {
        document.statusID = m_db.invoiceStatuses.at(1).id;
        QList<CommercialDocumentItem> list{document};
        captureSnapshotIfNeeded(list, 0, StatusLists::of(m_db),
                                {m_db.companySettings, m_db.clients,
                                 m_db.preferences.invoiceLogoURL,
                                 SampleDocuments::day(2025, 6, 2)});
        document = list.first();
    }

    AppDatabase m_db;
};

// The logo's box opens the page, at its top left; red or blue.
QString logoColor(ReadPdf& pdf) {
    const QColor c = pdf.image().pixelColor(60, 60);
    return c.red() > 200 && c.blue() < 60   ? u"rouge"_s
           : c.blue() > 200 && c.red() < 60 ? u"bleu"_s
                                            : c.name();
}

TEST_F(DocumentPdfTest, FrozenInvoiceKeepsItsPartiesADraftFollowsThem) {
    CommercialDocumentItem frozen = SampleDocuments::invoice();
    issue(frozen);
    ASSERT_TRUE(frozen.pdfSnapshot);
    const CommercialDocumentItem draft = SampleDocuments::invoice();

    const QStringList before{u"Atelier Lumen"_s, u"CCBPFRPPGRE"_s,
                             u"FR76 1680 7000 1234 5678 9012 345"_s, u"Camille Moreau"_s,
                             u"4 place Bellecour"_s};
    const QStringList after{u"Studio Nord"_s, u"AGRIFRPP888"_s,
                            u"FR76 3000 4000 5000 6000 7000 890"_s, u"Nora Bensaïd"_s,
                            u"18 quai Saint-Vincent"_s};
    CompanySettings company = m_db.companySettings;
    company.displayName = after[0];
    company.bankBIC = after[1];
    company.bankIBAN = after[2];
    company.bankAccountName = after[3];
    company.ownerName = after[3];
    m_db.companySettings = company;
    m_db.clients[0].addressLine1 = after[4];
    m_db.preferences.invoiceLogoURL = logo(u"bleu.png"_s, Qt::blue);

    struct Case {
        const char* name;
        const CommercialDocumentItem& document;
        const QStringList& shown;
        const QStringList& hidden;
        const char* logo;
    };
    for (const Case& c : {Case{"frozen", frozen, before, after, "rouge"},
                          Case{"draft", draft, after, before, "bleu"}}) {
        ReadPdf page(pdf(c.document));
        for (const QString& text : c.shown)
            EXPECT_TRUE(page.has(text)) << c.name << " shows " << text.toStdString();
        for (const QString& text : c.hidden)
            EXPECT_FALSE(page.has(text)) << c.name << " hides " << text.toStdString();
        EXPECT_EQ(logoColor(page), QString::fromUtf8(c.logo)) << c.name;
    }
}

TEST_F(DocumentPdfTest, PageTextsInvoiceAgainstQuote) {
    CommercialDocumentItem invoice = SampleDocuments::invoice();
    ReadPdf page(pdf(invoice));
    // A4, so that the page prints at the size the preview shows.
    EXPECT_NEAR(page.pageSize().width(), 595.28, 0.5);
    EXPECT_NEAR(page.pageSize().height(), 841.89, 0.5);
    for (const QString& text : {
             u"Facture F-2025-014"_s,
             u"SIRET : 853 214 967 00021"_s,
             u"Facturation Date d’émission : 02/06/2025"_s,
             u"Délai de paiement : 30 jours"_s,
             u"Maison Verdier SARL 4 place Bellecour 69002 Lyon"_s,
             u"Offert — 0,00 €"_s,
             u"Total HT 1 734,75 € Remise \u2212 150,00 € Remise commerciale \u2212 79,24 € "
             "Acompte \u2212 300,00 € Total TTC 1 205,51 €"_s,
             u"Paiement dû sous 30 jours à compter de la date d’émission de la "
             "facture."_s,
             u"Pénalités de retard : Pénalités de retard exigibles"_s,
             u"Moyens de paiement acceptés Virement Chèque Carte bancaire Espèces"_s,
             u"Coordonnées bancaires"_s,
             u"TVA non applicable, art. 293 B du CGI Dispensé d’immatriculation"_s,
         })
        EXPECT_TRUE(page.has(text)) << text.toStdString() << "\nin: " << page.text().toStdString();
    EXPECT_FALSE(page.text().contains(QLatin1String("**")));
    EXPECT_FALSE(page.has(u"Activité annulée"_s));

    // Own terms replace the sentence; the legal order is the company's.
    invoice.paymentTerms = u"  Paiement **à réception**.\n"_s;
    m_db.companySettings.legalTextOrder = {u"additional"_s, u"latePenalty"_s};
    m_db.preferences.invoiceLogoURL.reset();
    ReadPdf own(pdf(invoice));
    EXPECT_TRUE(own.has(u"Délai de paiement Paiement à réception."_s));
    EXPECT_FALSE(own.has(u"Paiement dû"_s));
    EXPECT_TRUE(own.has(u"Dispensé d’immatriculation au registre du commerce et des "
                        "sociétés. TVA non applicable"_s));

    CommercialDocumentItem quote = SampleDocuments::quote();
    quote.dueDays = 15;
    quote.clientID.reset();
    ReadPdf devis(pdf(quote));
    for (const QString& text :
         {u"Devis D-2025-031"_s, u"Valable jusqu’au : 02/07/2025"_s, u"Aucun client sélectionné."_s,
          u"Paiement dû sous 15 jours à compter de la date "
          "d’émission. Pénalités"_s})
        EXPECT_TRUE(devis.has(text)) << text.toStdString();
    for (const QString& bank : {u"Coordonnées bancaires"_s, u"IBAN"_s, u"CCBPFRPPGRE"_s})
        EXPECT_FALSE(devis.has(bank)) << "no bank details on a quote: " << bank.toStdString();
}

// The placeholder invites the user to add a logo in the preview; the
// client's copy keeps the logo's place empty.
TEST_F(DocumentPdfTest, NoLogoLeavesItsPlaceEmptyOnThePdfOnly) {
    m_db.preferences.invoiceLogoURL.reset();
    const CommercialDocumentItem invoice = SampleDocuments::invoice();
    const DocumentParties parties = DocumentParties::of(invoice, m_db);
    const auto blank = [](const QImage& image, const QRect& box) {
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                if (image.pixel(x, y) != qRgb(255, 255, 255))
                    return false;
        return true;
    };

    ReadPdf page(pdf(invoice));
    EXPECT_FALSE(page.has(u"VOTRE"_s)) << page.text().toStdString();
    EXPECT_FALSE(page.has(u"LOGO"_s));
    // The logo's box, 150 × 80 at the top left of the design.
    EXPECT_TRUE(blank(page.image(), QRectF(36, 33, 112.5, 60).toAlignedRect()));

    QImage preview(kDocumentPageSize.toSize(), QImage::Format_RGB32);
    QPainter painter(&preview);
    renderDocumentPage(painter, DocumentPageContent::of(invoice, parties), DocumentLogo());
    painter.end();
    EXPECT_FALSE(blank(preview, QRect(48, 44, 150, 80))) << "the preview shows its placeholder";
}

// The company's SIRET is stored as 14 digits, a client's as typed: both
// print in groups of 3, 3, 3 and 5.
TEST_F(DocumentPdfTest, SiretsPrintInGroups) {
    m_db.companySettings.siret = u"85321496700021"_s;
    m_db.clients[0].siret = u"5321180 0400035"_s;
    ReadPdf page(pdf(SampleDocuments::invoice()));
    for (const QString& siret : {u"SIRET : 853 214 967 00021"_s, u"SIRET : 532 118 004 00035"_s})
        EXPECT_TRUE(page.has(siret))
            << siret.toStdString() << "\nin: " << page.text().toStdString();
}

TEST_F(DocumentPdfTest, UnitColumnsOnlyWithAQuantityAboveOneInFrenchDecimals) {
    CommercialDocumentItem invoice = SampleDocuments::invoice();
    invoice.lines.clear();
    for (const double quantity : {0.75, 1.0})
        invoice.lines << SampleDocuments::line(CommercialDocumentLineKind::service, u"Séance"_s, {},
                                               40, quantity);
    ReadPdf without(pdf(invoice));
    EXPECT_TRUE(without.has(u"Nom Description Prix TTC"_s));
    EXPECT_FALSE(without.has(u"P.U. HT"_s));
    EXPECT_FALSE(without.has(u"Qté"_s));

    invoice.lines.clear();
    for (const double quantity : {100.0, 2.5, 0.75, 12.5, 1.0 / 3})
        invoice.lines << SampleDocuments::line(CommercialDocumentLineKind::service, u"Séance"_s, {},
                                               0.5, quantity);
    ReadPdf with(pdf(invoice));
    EXPECT_TRUE(with.has(u"Nom Description P.U. HT Qté Prix TTC"_s));
    const QStringList words = with.words();
    for (const QString& quantity : {u"100"_s, u"2,5"_s, u"0,75"_s, u"12,5"_s, u"0,33"_s})
        EXPECT_TRUE(words.contains(quantity)) << quantity.toStdString();
    EXPECT_FALSE(with.text().contains(QLatin1String("e+"))) << "no %.2g on a legal document";
}

TEST_F(DocumentPdfTest, CancelledActivityStrikesTheTotalAndSaysWhy) {
    CommercialDocumentItem invoice = SampleDocuments::invoice();
    issue(invoice);
    ProjectItem project;
    project.id = QUuid::createUuid();
    project.isCancelled = true;
    m_db.projects = {project};
    invoice.linkedProjectIDs = {project.id};
    const QString total = u"1 205,51 €"_s;
    const QString note = u"Activité annulée — le solde n'est plus exigible."_s;

    // A strike is a line through the middle of the amount: one row of the
    // amount's box is then drawn all across. Two pixels per point keep the
    // gaps between the glyphs of a small amount.
    const auto struck = [&](ReadPdf& page) {
        const QRectF at = page.boundsOf(total);
        const QRectF box(at.topLeft() * 2, at.size() * 2);
        const QImage image = page.document().render(0, (page.pageSize() * 2).toSize());
        const QColor band = image.pixelColor(box.left() - 4, box.center().y());
        for (int y = int(box.top()) + 2; y < int(box.bottom()) - 1; ++y) {
            int drawn = 0;
            for (int x = int(box.left()) + 1; x < int(box.right()) - 1; ++x)
                drawn += image.pixelColor(x, y) != band;
            if (drawn >= int(box.width()) - 4)
                return true;
        }
        return false;
    };

    ReadPdf cancelled(pdf(invoice));
    EXPECT_TRUE(cancelled.has(u"Total TTC "_s + total + QLatin1Char(' ') + note));
    EXPECT_TRUE(struck(cancelled));

    m_db.projects[0].isCancelled = false;
    ReadPdf live(pdf(invoice));
    EXPECT_FALSE(live.has(note));
    EXPECT_FALSE(struck(live));

    m_db.projects[0].isCancelled = true;
    CommercialDocumentItem quote = SampleDocuments::quote();
    quote.statusID = m_db.quoteStatuses.at(1).id;
    quote.linkedProjectIDs = {project.id};
    EXPECT_FALSE(ReadPdf(pdf(quote)).has(note)) << "only invoices";
}

} // namespace
