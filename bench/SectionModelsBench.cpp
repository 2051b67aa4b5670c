// Building a section's list as it first appears: the list model over the
// store's records, then the proxy that filters and sorts it. Compared with
// StoreLoad of the same run: each section should cost at most 5 % of it.

#include "BenchStore.h"

#include "core/activities/ActivityForm.h"
#include "core/activities/ActivityListModel.h"
#include "core/clients/ClientListModel.h"
#include "core/documents/DocumentListModel.h"
#include "core/lists/RecordFilterModel.h"
#include "core/stock/ServiceListModel.h"

#include <functional>

namespace {

using namespace velmora;
using velmora::bench::loadedSession;

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
    const AppDataStore* session = loadedSession(state);
    if (!session)
        return;
    const AppDataStore& store = *session;
    buildSection<ClientListModel>(state, store.clients(), store.clientTags());
}

void SectionModelServices(benchmark::State& state) {
    const AppDataStore* session = loadedSession(state);
    if (!session)
        return;
    const AppDataStore& store = *session;
    buildSection<ServiceListModel>(state, store.services(), store.serviceTags());
}

void SectionModelActivities(benchmark::State& state) {
    const AppDataStore* session = loadedSession(state);
    if (!session)
        return;
    const AppDataStore& store = *session;
    buildSection<ActivityListModel>(state, store.projects(), activityTags(store.session()),
                                    [&](ActivityListModel& model) {
                                        model.setContext(store.clients(), store.projectStatuses());
                                    });
}

// The documents list also needs its context (statuses, clients' names,
// cancelled activities), made once per refresh.
void SectionModelDocuments(benchmark::State& state) {
    const AppDataStore* session = loadedSession(state);
    if (!session)
        return;
    const AppDataStore& store = *session;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (auto _ : state) {
        DocumentListModel model;
        model.setContext(DocumentListContext::of(store.session(), now));
        model.setRecords(store.documents());
        RecordFilterModel shown;
        shown.setSourceModel(&model);
        shown.sort(DocumentListModel::dateColumn, Qt::DescendingOrder);
        benchmark::DoNotOptimize(shown.rowCount());
    }
    state.counters["records"] = double(store.documents().size());
}

// Filtering the built list: by one status (0), by a search once its texts
// are folded (1) and by the first search after a change (2).
void SectionModelDocumentsFilter(benchmark::State& state) {
    const AppDataStore* session = loadedSession(state);
    if (!session)
        return;
    const AppDataStore& store = *session;
    DocumentListModel model;
    model.setContext(DocumentListContext::of(store.session(), QDateTime::currentDateTimeUtc()));
    model.setRecords(store.documents());
    RecordFilterModel shown;
    shown.setSourceModel(&model);
    shown.sort(DocumentListModel::dateColumn, Qt::DescendingOrder);
    const QString query = QStringLiteral("séance photo");
    const QString paid = StatusKeys::paid();
    for (auto _ : state) {
        if (state.range(0) == 2) {
            // The first key typed after a change of the store: nothing folded yet.
            state.PauseTiming();
            model.setContext(model.context());
            state.ResumeTiming();
        }
        if (state.range(0) == 0)
            shown.setAccept([&](int row) {
                return statusKey(*model.record(row), model.context().statuses) == paid;
            });
        else
            shown.setAccept([&](int row) { return model.matches(row, query); });
        benchmark::DoNotOptimize(shown.rowCount());
        state.PauseTiming();
        shown.setAccept({});
        state.ResumeTiming();
    }
}

// A change of the store with the list shown: a new context, then the
// records, which are the same.
void SectionModelDocumentsRefresh(benchmark::State& state) {
    const AppDataStore* session = loadedSession(state);
    if (!session)
        return;
    const AppDataStore& store = *session;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    DocumentListModel model;
    model.setContext(DocumentListContext::of(store.session(), now));
    model.setRecords(store.documents());
    RecordFilterModel shown;
    shown.setSourceModel(&model);
    shown.sort(DocumentListModel::dateColumn, Qt::DescendingOrder);
    for (auto _ : state) {
        model.setContext(DocumentListContext::of(store.session(), now));
        model.setRecords(store.documents());
        benchmark::DoNotOptimize(shown.rowCount());
    }
}

} // namespace

BENCHMARK(SectionModelDocuments)->Unit(benchmark::kMillisecond);
BENCHMARK(SectionModelDocumentsRefresh)->Unit(benchmark::kMillisecond);
BENCHMARK(SectionModelDocumentsFilter)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->ArgNames({"search"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(SectionModelClients)->Unit(benchmark::kMillisecond);
BENCHMARK(SectionModelServices)->Unit(benchmark::kMillisecond);
BENCHMARK(SectionModelActivities)->Unit(benchmark::kMillisecond);
