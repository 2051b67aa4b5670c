// The notification centre: every rule over the benchmark session, and what
// the window does on the interface thread after a change of the session
// (the rules again, the comparison with the list shown, the centre's list
// model refilled). Compared with StoreLoad of the same run.

#include "BenchStore.h"

#include "core/notifications/NotificationListModel.h"
#include "core/notifications/NotificationRules.h"

namespace {

using namespace velmora;
using velmora::bench::loadedSession;

void NotificationRulesAll(benchmark::State& state) {
    const AppDataStore* store = loadedSession(state);
    if (!store)
        return;
    const QDateTime now = store->clock().now();
    qsizetype count = 0;
    for (auto _ : state) {
        const QList<NotificationItem> items = visibleNotifications(store->session(), now);
        count = items.size();
        benchmark::DoNotOptimize(items);
    }
    state.counters["items"] = double(count);
}

void NotificationReevaluation(benchmark::State& state) {
    const AppDataStore* store = loadedSession(state);
    if (!store)
        return;
    const QDateTime now = store->clock().now();
    QList<NotificationItem> shown = visibleNotifications(store->session(), now);
    NotificationListModel model;
    for (auto _ : state) {
        QList<NotificationItem> items = visibleNotifications(store->session(), now);
        benchmark::DoNotOptimize(items == shown);
        shown = std::move(items);
        model.setItems(shown, now);
    }
}

} // namespace

BENCHMARK(NotificationRulesAll)->Unit(benchmark::kMillisecond);
BENCHMARK(NotificationReevaluation)->Unit(benchmark::kMillisecond);
