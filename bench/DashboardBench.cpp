// What the dashboard computes on display over the benchmark session: the six
// amounts with the best client, the monthly chart and the attention list.
// Compared with StoreLoad of the same run.

#include "BenchStore.h"

#include "core/accounting/DashboardAttention.h"
#include "core/accounting/SummaryIndicators.h"

namespace {

using namespace velmora;
using velmora::bench::loadedSession;

int yearOf(const QDateTime& now) {
    return now.toLocalTime().date().year();
}

void DashboardSummary(benchmark::State& state) {
    const AppDataStore* store = loadedSession(state);
    if (!store)
        return;
    const QDateTime now = store->clock().now();
    for (auto _ : state) {
        benchmark::DoNotOptimize(summaryAmounts(store->session(), yearOf(now), now));
        benchmark::DoNotOptimize(bestClient(store->session(), yearOf(now)));
    }
}

void DashboardChart(benchmark::State& state) {
    const AppDataStore* store = loadedSession(state);
    if (!store)
        return;
    const int year = yearOf(store->clock().now());
    for (auto _ : state)
        benchmark::DoNotOptimize(monthlyRevenue(store->session(), year));
}

void DashboardAttentionList(benchmark::State& state) {
    const AppDataStore* store = loadedSession(state);
    if (!store)
        return;
    const QDateTime now = store->clock().now();
    qsizetype rows = 0;
    for (auto _ : state) {
        const QList<AttentionSection> sections = dashboardAttention(store->session(), now);
        rows = 0;
        for (const AttentionSection& section : sections)
            rows += section.rows.size() + section.hiddenCount;
        benchmark::DoNotOptimize(sections);
    }
    state.counters["rows"] = double(rows);
}

} // namespace

BENCHMARK(DashboardSummary)->Unit(benchmark::kMillisecond);
BENCHMARK(DashboardChart)->Unit(benchmark::kMillisecond);
BENCHMARK(DashboardAttentionList)->Unit(benchmark::kMillisecond);
