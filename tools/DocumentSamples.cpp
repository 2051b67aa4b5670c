// Renders sample quotes and invoices as PDF files and PNG pictures, for
// looking at the page and for the README:
//   velmora-document-samples OUTPUT_FOLDER
// Needs no display (the offscreen platform is used when none is set).

#include "render/DocumentRenderer.h"
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

bool save(const QString& folder, const QString& name, const CommercialDocumentItem& document,
          const DocumentParties& parties, const DocumentLogo& logo) {
    const QByteArray pdf = renderPDF(DocumentPageContent::of(document, parties), logo);
    const QString pdfPath = folder + QLatin1Char('/') + name + QStringLiteral(".pdf");
    if (pdf.isEmpty() || !write(pdfPath, pdf))
        return false;
    QPdfDocument reader;
    if (reader.load(pdfPath) != QPdfDocument::Error::None)
        return false;
    // One and a half pixels per point: sharp text, a picture small enough
    // for the README.
    const QImage picture = reader.render(0, (reader.pagePointSize(0) * 1.5).toSize())
                               .convertToFormat(QImage::Format_RGB32);
    return picture.save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
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

    if (!ok) {
        std::fputs("Échec de la génération des exemples.\n", stderr);
        return 1;
    }
    return 0;
}
