// Renders sample quotes, invoices and a recipe book as PDF files and PNG
// pictures (one per page), for
// looking at the page and for the README:
//   velmora-document-samples OUTPUT_FOLDER
// Needs no display (the offscreen platform is used when none is set).

#include "render/DocumentRenderer.h"
#include "render/RecipeBookPdf.h"
#include "support/SampleDocuments.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfDocument>
#include <QTemporaryDir>

#include <cstdio>

using namespace velmora;
using velmora::test::SampleDocuments;

namespace {

QByteArray sampleLogo() {
    QImage image(480, 200, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0xe0, 0x8a, 0x3c));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(10, 30, 140, 140));
    p.setBrush(QColor(0x1f, 0x3d, 0x63));
    p.drawEllipse(QRectF(60, 30, 140, 140));
    p.setPen(QColor(0x1f, 0x3d, 0x63));
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(64);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(215, 40, 265, 120), Qt::AlignVCenter, QStringLiteral("lumen"));
    p.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

bool write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The PDF and a picture of each page: "name.png", or "name-2.png" from the
// second page on.
bool savePdf(const QString& folder, const QString& name, const QByteArray& pdf) {
    const QString pdfPath = folder + QLatin1Char('/') + name + QStringLiteral(".pdf");
    if (pdf.isEmpty() || !write(pdfPath, pdf))
        return false;
    QPdfDocument reader;
    if (reader.load(pdfPath) != QPdfDocument::Error::None)
        return false;
    bool ok = true;
    for (int page = 0; page < reader.pageCount(); ++page) {
        // One and a half pixels per point: sharp text, a picture small
        // enough for the README.
        const QImage picture = reader.render(page, (reader.pagePointSize(page) * 1.5).toSize())
                                   .convertToFormat(QImage::Format_RGB32);
        const QString suffix = page == 0 ? QString() : QStringLiteral("-%1").arg(page + 1);
        ok &= picture.save(folder + QLatin1Char('/') + name + suffix + QStringLiteral(".png"));
    }
    return ok;
}

bool save(const QString& folder, const QString& name, const CommercialDocumentItem& document,
          const DocumentParties& parties, const DocumentLogo& logo) {
    return savePdf(folder, name, renderPDF(DocumentPageContent::of(document, parties), logo));
}

// A year of receipts, long client names and natures included: three pages.
bool saveRecipeBook(const QString& folder) {
    const QStringList clients{QStringLiteral("Atelier Lumen"),
                              QStringLiteral("Boulangerie Moreau & Fils — Croix-Rousse"),
                              QStringLiteral("Camille Moreau"), QStringLiteral("—")};
    const QStringList natures{
        QStringLiteral("Audit express"),
        QStringLiteral("Refonte du site vitrine • Formation à l’outil d’édition • Maintenance"),
        QStringLiteral("Prestation de services"), QStringLiteral("Séance photo")};
    const QStringList methods{QStringLiteral("Virement"), QStringLiteral("Chèque"),
                              QStringLiteral("Non renseigné"), QStringLiteral("Espèces")};
    QList<LivreRecettesRow> rows;
    for (int i = 0; i < 49; ++i)
        rows.append({QStringLiteral("%1/%2/25")
                         .arg(28 - i % 28, 2, 10, QLatin1Char('0'))
                         .arg(12 - i / 5, 2, 10, QLatin1Char('0')),
                     QStringLiteral("F-2025-%1").arg(120 - i, 3, 10, QLatin1Char('0')),
                     clients[i % 4], natures[i % 4], methods[i % 4],
                     i % 7 == 0 ? 2450.0 : 180.0 + 37.5 * (i % 5)});
    AccountingRecipeSettings settings;
    settings.companyName = QStringLiteral("Studio Lumen");
    settings.ownerName = QStringLiteral("Camille Moreau");
    settings.legalStatus = QStringLiteral("Micro-entrepreneur");
    settings.siret = QStringLiteral("123 456 789 00012");
    settings.addressLine1 = QStringLiteral("4 place Bellecour");
    settings.addressLine2 = QStringLiteral("69002 Lyon");
    const QList<LivreRecettesPDFPage> pages =
        recipeBookPages(rows, settings, {2025, std::nullopt}, SampleDocuments::day(2025, 12, 31));
    return savePdf(folder, QStringLiteral("recipe-book"), renderRecipeBookPDF(pages));
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("Usage : velmora-document-samples DOSSIER\n", stderr);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);

    const CompanySettings company = SampleDocuments::company();
    const QList<ClientItem> clients{SampleDocuments::client()};
    const DocumentLogo logo = DocumentLogo::fromBytes(sampleLogo());
    const auto parties = [&](const CommercialDocumentItem& d, bool cancelled = false) {
        return DocumentParties::of(d, company, clients, std::nullopt, cancelled);
    };

    bool ok = true;
    const CommercialDocumentItem invoice = SampleDocuments::invoice();
    ok &= save(folder, QStringLiteral("invoice"), invoice, parties(invoice), logo);
    ok &= save(folder, QStringLiteral("invoice-without-logo"), invoice, parties(invoice),
               DocumentLogo());
    ok &= save(folder, QStringLiteral("invoice-cancelled-activity"), invoice,
               parties(invoice, true), logo);

    const CommercialDocumentItem quote = SampleDocuments::quote();
    ok &= save(folder, QStringLiteral("quote"), quote, parties(quote), logo);

    CommercialDocumentItem withVat = invoice;
    withVat.number = QStringLiteral("F-2025-015");
    for (CommercialDocumentLine& line : withVat.lines)
        line.tvaRate = line.kind == CommercialDocumentLineKind::service ? 20 : 0;
    withVat.lines.removeLast();
    withVat.paymentTerms = QStringLiteral("Paiement à réception, par **virement** de préférence.");
    ok &= save(folder, QStringLiteral("invoice-with-vat"), withVat, parties(withVat), logo);

    CommercialDocumentItem empty;
    empty.id = QUuid::createUuid();
    empty.kind = CommercialDocumentKind::invoice;
    empty.issueDate = SampleDocuments::day(2025, 6, 2);
    ok &= save(folder, QStringLiteral("invoice-empty"), empty, parties(empty), DocumentLogo());

    CommercialDocumentItem crowded = invoice;
    crowded.number = QStringLiteral("F-2025-016");
    for (int i = 0; i < 18; ++i)
        crowded.lines.insert(1, invoice.lines.at(i % 3));
    ok &= save(folder, QStringLiteral("invoice-crowded"), crowded, parties(crowded), logo);

    ok &= saveRecipeBook(folder);

    if (!ok) {
        std::fputs("Échec de la génération des exemples.\n", stderr);
        return 1;
    }
    return 0;
}
