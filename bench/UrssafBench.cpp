// The URSSAF pre-fill of a quarter and the estimate of the current month
// over the whole benchmark session, as the declaration form and the main
// window run them. Compared with StoreLoad of the same run.

#include "BenchStore.h"

#include "core/accounting/UrssafEstimation.h"
#include "core/accounting/UrssafPrefill.h"

namespace {

using namespace velmora;
using velmora::bench::loadedSession;

void UrssafPrefillQuarter(benchmark::State& state) {
    const AppDataStore* store = loadedSession(state);
    if (!store)
        return;
    const AppDatabase& session = store->session();
    const UrssafPeriod quarter{2025, 1, URSSAFDeclarationFrequency::trimestrial};
    UrssafPrefill texts;
    for (auto _ : state) {
        texts = urssafPrefill(session, quarter);
        benchmark::DoNotOptimize(texts);
    }
    state.SetLabel(
        QStringList{texts.sales, texts.bic, texts.bnc}.join(QStringLiteral(" / ")).toStdString());
}

// On a copy of the session, as the store's edit runs it; nothing is saved.
void UrssafEstimateMonth(benchmark::State& state) {
    const AppDataStore* store = loadedSession(state);
    if (!store)
        return;
    const QDateTime now = store->clock().now();
    UrssafEstimate estimate;
    for (auto _ : state) {
        SessionEdit edit(store->session());
        estimate = estimateCurrentMonth(edit, now);
        benchmark::DoNotOptimize(edit);
    }
    state.SetLabel(urssafEstimateActionName(estimate.action).toStdString());
}

} // namespace

BENCHMARK(UrssafPrefillQuarter)->Unit(benchmark::kMillisecond);
BENCHMARK(UrssafEstimateMonth)->Unit(benchmark::kMillisecond);
