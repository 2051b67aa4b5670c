// One invoice of the benchmark session as the live preview redraws it (its
// texts gathered, laid out and painted) and as PDF bytes. Read the figures
// next to StoreLoad of the same run.

#include "BenchStore.h"

#include "core/documents/DocumentEditorModel.h"
#include "core/documents/DocumentPageContent.h"
#include "render/DocumentRenderer.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

namespace {

using namespace velmora;
using velmora::bench::BenchStore;
using velmora::bench::ready;

// An issued invoice with all its lines, frozen like most of the session's.
const CommercialDocumentItem* sampleInvoice(const AppDataStore& store) {
    for (const CommercialDocumentItem& d : store.documents()) {
        if (d.kind == CommercialDocumentKind::invoice && d.pdfSnapshot && d.lines.size() >= 5)
            return &d;
    }
    return nullptr;
}

// The generated logos are not pictures; a decoded photo-sized one stands in,
// as the preview keeps it decoded between redraws.
const DocumentLogo& sampleLogo() {
    static const DocumentLogo logo = [] {
        QImage image(1600, 800, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                line[x] = qRgb(x % 256, y % 256, (x ^ y) % 256);
        }
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return DocumentLogo::fromBytes(bytes);
    }();
    return logo;
}

const CommercialDocumentItem* prepare(benchmark::State& state) {
    BenchStore& bench = BenchStore::instance();
    if (!ready(state, bench))
        return nullptr;
    const CommercialDocumentItem* invoice = sampleInvoice(*bench.loaded());
    if (!invoice)
        state.SkipWithError("no issued invoice in the session");
    return invoice;
}

void DocumentPagePreview(benchmark::State& state) {
    const CommercialDocumentItem* invoice = prepare(state);
    if (!invoice)
        return;
    const AppDataStore& store = *BenchStore::instance().loaded();
    QImage page(kDocumentPageSize.toSize(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        const DocumentPageContent content =
            DocumentPageContent::of(*invoice, DocumentParties::of(*invoice, store.session()));
        QPainter painter(&page);
        renderDocumentPage(painter, content, sampleLogo());
    }
}

void DocumentPagePdf(benchmark::State& state) {
    const CommercialDocumentItem* invoice = prepare(state);
    if (!invoice)
        return;
    const AppDataStore& store = *BenchStore::instance().loaded();
    qsizetype size = 0;
    for (auto _ : state) {
        const DocumentPageContent content =
            DocumentPageContent::of(*invoice, DocumentParties::of(*invoice, store.session()));
        const QByteArray pdf = renderPDF(content, sampleLogo());
        if (pdf.isEmpty()) {
            state.SkipWithError("the PDF could not be produced");
            break;
        }
        size = pdf.size();
    }
    state.counters["pdfBytes"] = double(size);
}

// One keystroke in the editor: the line's text changes, the totals block
// and the live page are made again from the form, the page painted at the
// size the editor shows it.
void DocumentEditorKeystroke(benchmark::State& state) {
    const CommercialDocumentItem* invoice = prepare(state);
    if (!invoice)
        return;
    const AppDataStore& store = *BenchStore::instance().loaded();
    CommercialDocumentItem draft = *invoice;
    draft.pdfSnapshot.reset();
    DocumentEditorModel model(store.session(), draft, store.clock().now());
    const QUuid line = draft.lines.first().id;
    QImage page(QSize(520, 735), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        model.line(line)->title += QLatin1Char('a');
        const CommercialDocumentItem typed = model.document();
        const DocumentParties parties = DocumentParties::of(typed, store.session());
        benchmark::DoNotOptimize(DocumentPageContent::of(typed, parties).totals);
        const DocumentPageContent content = DocumentPageContent::of(typed, parties);
        QPainter painter(&page);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        painter.scale(page.width() / kDocumentPageSize.width(),
                      page.height() / kDocumentPageSize.height());
        renderDocumentPage(painter, content, sampleLogo());
    }
}

BENCHMARK(DocumentPagePreview)->Unit(benchmark::kMillisecond);
BENCHMARK(DocumentEditorKeystroke)->Unit(benchmark::kMillisecond);
BENCHMARK(DocumentPagePdf)->Unit(benchmark::kMillisecond);

} // namespace
