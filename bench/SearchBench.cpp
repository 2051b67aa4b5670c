// The global search on the benchmark session: building its folded texts
// (at most 5 % of StoreLoad of the same run), then a three-letter query over
// every category, side by side with grep -c -i of the same letters over the
// session file.

#include "BenchStore.h"

#include "core/search/SpotlightIndex.h"
#include "core/search/SpotlightListModel.h"

#include <QProcess>

namespace {

using namespace velmora;
using velmora::bench::BenchStore;
using velmora::bench::loadedSession;

// Found in notes of most kinds of record, so every category has hits.
const QString kQuery = QStringLiteral("par");

void SearchIndexBuild(benchmark::State& state) {
    const AppDataStore* store = loadedSession(state);
    if (!store)
        return;
    for (auto _ : state) {
        SpotlightIndex index(store->session());
        benchmark::DoNotOptimize(index);
    }
}

// A keystroke: the folded query looked for in every category, then the hits
// made, `hitLimit` per section (the whole list for the command line, the
// first ones for the panel).
void searchQuery(benchmark::State& state, qsizetype hitLimit) {
    const AppDataStore* store = loadedSession(state);
    if (!store)
        return;
    const SpotlightIndex index(store->session());
    qsizetype matches = 0;
    qsizetype sections = 0;
    for (auto _ : state) {
        const SpotlightResult result = index.search(kQuery, {.hitLimit = hitLimit});
        sections = result.sections.size();
        matches = 0;
        for (const SpotlightSection& section : result.sections)
            matches += section.count;
        benchmark::DoNotOptimize(result);
    }
    state.counters["sections"] = double(sections);
    state.counters["matches"] = double(matches);
}

void SearchQuery(benchmark::State& state) {
    searchQuery(state, -1);
}

void SearchQueryFirstHits(benchmark::State& state) {
    searchQuery(state, 20);
}

// What one keystroke in the panel costs the interface thread: the first
// hits of each section, then the list's rows made from them.
void SearchPanelKeystroke(benchmark::State& state) {
    const AppDataStore* store = loadedSession(state);
    if (!store)
        return;
    const SpotlightIndex index(store->session());
    SpotlightListModel model;
    for (auto _ : state) {
        model.setResult(index.search(kQuery, {.hitLimit = 20}));
        benchmark::DoNotOptimize(model.rowCount());
    }
    state.counters["rows"] = double(model.rowCount());
}

// The baseline: a process reading the whole session file for the letters.
void SearchGrepBaseline(benchmark::State& state) {
    BenchStore& bench = BenchStore::instance();
    if (!bench::ready(state, bench))
        return;
    const QStringList args{QStringLiteral("-c"), QStringLiteral("-i"), kQuery, bench.workingCopy()};
    for (auto _ : state) {
        QProcess grep;
        grep.start(QStringLiteral("grep"), args);
        if (!grep.waitForFinished(-1) || grep.exitStatus() != QProcess::NormalExit ||
            grep.exitCode() > 1) {
            state.SkipWithError("grep a échoué.");
            break;
        }
        benchmark::DoNotOptimize(grep.readAllStandardOutput());
    }
}

} // namespace

BENCHMARK(SearchIndexBuild)->Unit(benchmark::kMillisecond);
BENCHMARK(SearchQuery)->Unit(benchmark::kMillisecond);
BENCHMARK(SearchQueryFirstHits)->Unit(benchmark::kMillisecond);
BENCHMARK(SearchPanelKeystroke)->Unit(benchmark::kMillisecond);
// Wall time: the work is in the child process.
BENCHMARK(SearchGrepBaseline)->Unit(benchmark::kMillisecond)->UseRealTime();
