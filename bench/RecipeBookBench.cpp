// Building the recipe book of the whole benchmark session, as the accounting
// screen and every export do, and exporting its fullest year to PDF as the
// screen's export does. Compared with StoreLoad of the same run.

#include "BenchStore.h"

#include "core/accounting/RecipeBook.h"
#include "core/accounting/RecipeBookPdfExport.h"
#include "render/RecipeBookPdf.h"

#include <QHash>

namespace {

using namespace velmora;
using velmora::bench::loadedSession;

void RecipeBookBuild(benchmark::State& state) {
    const AppDataStore* store = loadedSession(state);
    if (!store)
        return;
    const AppDatabase& session = store->session();
    qsizetype entries = 0;
    for (auto _ : state) {
        const QList<RecipeEntry> book = recipeEntries(session);
        entries = book.size();
        benchmark::DoNotOptimize(recipeTotal(book));
    }
    state.counters["entries"] = double(entries);
}

// The year with the most receipts.
int fullestYear(const QList<RecipeEntry>& book) {
    QHash<int, int> counts;
    for (const RecipeEntry& entry : book)
        ++counts[recipeEntryDate(entry).toLocalTime().date().year()];
    int year = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (year == 0 || it.value() > counts.value(year))
            year = it.key();
    }
    return year;
}

// From the session to the PDF's bytes: the book of the year, its rows, its
// pages and their painting.
void RecipeBookYearPdf(benchmark::State& state) {
    const AppDataStore* store = loadedSession(state);
    if (!store)
        return;
    const AppDatabase& session = store->session();
    const RecipePeriod period{fullestYear(recipeEntries(session)), std::nullopt};
    qsizetype rows = 0;
    qsizetype pages = 0;
    qsizetype bytes = 0;
    for (auto _ : state) {
        const QList<RecipeEntry> book = recipeEntries(session, period);
        const QList<LivreRecettesPDFPage> printed =
            recipeBookPages(recipeRows(book, session.clients), session.accountingRecipeSettings,
                            period, store->clock().now());
        const QByteArray pdf = renderRecipeBookPDF(printed);
        rows = book.size();
        pages = printed.size();
        bytes = pdf.size();
        benchmark::DoNotOptimize(pdf.constData());
    }
    state.counters["rows"] = double(rows);
    state.counters["pages"] = double(pages);
    state.counters["bytes"] = double(bytes);
}

} // namespace

BENCHMARK(RecipeBookBuild)->Unit(benchmark::kMillisecond);
BENCHMARK(RecipeBookYearPdf)->Unit(benchmark::kMillisecond);
