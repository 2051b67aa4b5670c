// Building the recipe book of the whole benchmark session, as the accounting
// screen and every export do. Compared with StoreLoad of the same run.

#include "BenchStore.h"

#include "core/accounting/RecipeBook.h"

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

} // namespace

BENCHMARK(RecipeBookBuild)->Unit(benchmark::kMillisecond);
