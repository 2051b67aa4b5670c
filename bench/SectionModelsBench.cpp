// Building a section's list as it first appears: the list model over the
// store's records, then the proxy that filters and sorts it. Compared with
// StoreLoad of the same run: each section should cost at most 5 % of it.

#include "BenchStore.h"

#include "core/accounting/ExpenseList.h"
#include "core/accounting/ExpenseListModel.h"
#include "core/accounting/RecipeBookTableModel.h"
#include "core/activities/ActivityForm.h"
#include "core/activities/ActivityListModel.h"
#include "core/clients/ClientListModel.h"
#include "core/documents/DocumentListModel.h"
#include "core/lists/RecordFilterModel.h"
#include "core/stock/ServiceListModel.h"
#include "core/stock/StockListModel.h"

#include <functional>

namespace {

using namespace velmora;
using velmora::bench::loadedSession;

// `fill` gives the model what the page gives it: tags, context, records.
template <class Model>
void buildSection(benchmark::State& state,
                  const std::function<void(const AppDataStore&, Model&)>& fill) {
    const AppDataStore* store = loadedSession(state);
    if (!store)
        return;
    int rows = 0;
    for (auto _ : state) {
        Model model;
        fill(*store, model);
        RecordFilterModel shown;
        shown.setSourceModel(&model);
        shown.sort(0);
        rows = shown.rowCount();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["records"] = double(rows);
}

void SectionModelClients(benchmark::State& state) {
    buildSection<ClientListModel>(state, [](const AppDataStore& store, ClientListModel& model) {
        model.setTags(store.clientTags());
        model.setRecords(store.clients());
    });
}

void SectionModelServices(benchmark::State& state) {
    buildSection<ServiceListModel>(state, [](const AppDataStore& store, ServiceListModel& model) {
        model.setTags(store.serviceTags());
        model.setRecords(store.services());
    });
}

// The expense history as its tab first shows it: the stored purchases and
// the subscriptions' debits merged, the list with its names and badges, the
// year's filter and its total.
void SectionModelExpenses(benchmark::State& state) {
    const AppDataStore* session = loadedSession(state);
    if (!session)
        return;
    const AppDataStore& store = *session;
    const QDateTime now = store.clock().now();
    const ExpenseFilter thisYear{now.toLocalTime().date().year(), {}, {}, {}, {}};
    qsizetype rows = 0;
    for (auto _ : state) {
        const QList<AccountingPurchaseItem> entries = expenseEntries(store.session(), now);
        ExpenseListModel model;
        model.setTags(store.stockTags());
        model.setContext(store.stockItems(), store.recurringPurchases(),
                         store.session().urssafSettings);
        model.setRecords(entries);
        const QList<AccountingPurchaseItem> shownEntries =
            filterExpenses(entries, thisYear, store.recurringPurchases());
        benchmark::DoNotOptimize(expenseTotal(shownEntries));
        RecordFilterModel shown;
        shown.setSourceModel(&model);
        shown.sort(ExpenseListModel::dateColumn, Qt::DescendingOrder);
        rows = shown.rowCount();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["records"] = double(rows);
}

void SectionModelActivities(benchmark::State& state) {
    buildSection<ActivityListModel>(state, [](const AppDataStore& store, ActivityListModel& model) {
        model.setTags(activityTags(store.session()));
        model.setContext(store.clients(), store.projectStatuses());
        model.setRecords(store.projects());
    });
}

// The stock list with the level of every item, sorted by title as the
// alphabetical order shows it.
void SectionModelStock(benchmark::State& state) {
    const AppDataStore* session = loadedSession(state);
    if (!session)
        return;
    const AppDataStore& store = *session;
    for (auto _ : state) {
        StockListModel model;
        model.setTags(store.stockTags());
        model.setContext(store.stockSettings(), store.stockCategories());
        model.setRecords(store.stockItems());
        RecordFilterModel shown;
        shown.setSourceModel(&model);
        shown.sort(StockListModel::titleColumn);
        benchmark::DoNotOptimize(shown.rowCount());
    }
    state.counters["records"] = double(store.stockItems().size());
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

// The recipe book of every year as its tab first shows it (0), and again
// after a change of the store with the same receipts (1).
void SectionModelRecipeBook(benchmark::State& state) {
    const AppDataStore* session = loadedSession(state);
    if (!session)
        return;
    const AppDataStore& store = *session;
    RecipeBookTableModel shown;
    shown.refresh(store.session());
    for (auto _ : state) {
        if (state.range(0) == 0) {
            RecipeBookTableModel model;
            model.refresh(store.session());
            benchmark::DoNotOptimize(model.rowCount());
        } else {
            shown.refresh(store.session());
            benchmark::DoNotOptimize(shown.rowCount());
        }
    }
    state.counters["records"] = double(shown.rowCount());
}

} // namespace

BENCHMARK(SectionModelRecipeBook)
    ->Arg(0)
    ->Arg(1)
    ->ArgNames({"refresh"})
    ->Unit(benchmark::kMillisecond);
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
BENCHMARK(SectionModelStock)->Unit(benchmark::kMillisecond);
BENCHMARK(SectionModelExpenses)->Unit(benchmark::kMillisecond);
BENCHMARK(SectionModelActivities)->Unit(benchmark::kMillisecond);
