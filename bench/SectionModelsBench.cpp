// Building a section's list as it first appears: the list model over the
// store's records, then the proxy that filters and sorts it. Compared with
// StoreLoad of the same run: each section should cost at most 5 % of it.

#include "BenchStore.h"

#include "core/activities/ActivityForm.h"
#include "core/activities/ActivityListModel.h"
#include "core/clients/ClientListModel.h"
#include "core/lists/RecordFilterModel.h"
#include "core/stock/ServiceListModel.h"

#include <functional>

namespace {

using namespace velmora;
using velmora::bench::BenchStore;
using velmora::bench::ready;

template <class Model, class Record>
void buildSection(benchmark::State& state, const QList<Record>& records, const QList<TagItem>& tags,
                  const std::function<void(Model&)>& context = {}) {
    for (auto _ : state) {
        Model model;
        model.setTags(tags);
        if (context)
            context(model);
        model.setRecords(records);
        RecordFilterModel shown;
        shown.setSourceModel(&model);
        shown.sort(0);
        benchmark::DoNotOptimize(shown.rowCount());
    }
    state.counters["records"] = double(records.size());
}

void SectionModelClients(benchmark::State& state) {
    BenchStore& bench = BenchStore::instance();
    if (!ready(state, bench))
        return;
    const AppDataStore& store = *bench.loaded();
    buildSection<ClientListModel>(state, store.clients(), store.clientTags());
}

void SectionModelServices(benchmark::State& state) {
    BenchStore& bench = BenchStore::instance();
    if (!ready(state, bench))
        return;
    const AppDataStore& store = *bench.loaded();
    buildSection<ServiceListModel>(state, store.services(), store.serviceTags());
}

void SectionModelActivities(benchmark::State& state) {
    BenchStore& bench = BenchStore::instance();
    if (!ready(state, bench))
        return;
    const AppDataStore& store = *bench.loaded();
    buildSection<ActivityListModel>(state, store.projects(), activityTags(store.session()),
                                    [&](ActivityListModel& model) {
                                        model.setContext(store.clients(), store.projectStatuses());
                                    });
}

} // namespace

BENCHMARK(SectionModelClients)->Unit(benchmark::kMillisecond);
BENCHMARK(SectionModelServices)->Unit(benchmark::kMillisecond);
BENCHMARK(SectionModelActivities)->Unit(benchmark::kMillisecond);
