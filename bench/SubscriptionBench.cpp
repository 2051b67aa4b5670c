// The whole computed history of the benchmark session's subscriptions, as
// the expenses and the subscriptions tab ask for it, and the next debit of
// each as the list shows it. Compared with StoreLoad of the same run.

#include "BenchStore.h"

#include "core/accounting/SubscriptionSchedule.h"

namespace {

using namespace velmora;
using velmora::bench::loadedSession;

void SubscriptionDebitHistory(benchmark::State& state) {
    const AppDataStore* store = loadedSession(state);
    if (!store)
        return;
    const QDateTime now = store->clock().now();
    qsizetype debits = 0;
    for (auto _ : state) {
        const QList<AccountingPurchaseItem> history =
            subscriptionDebits(store->recurringPurchases(), now);
        debits = history.size();
        benchmark::DoNotOptimize(history);
    }
    state.counters["subscriptions"] = double(store->recurringPurchases().size());
    state.counters["debits"] = double(debits);
}

void SubscriptionNextDebits(benchmark::State& state) {
    const AppDataStore* store = loadedSession(state);
    if (!store)
        return;
    const QDateTime now = store->clock().now();
    for (auto _ : state) {
        for (const RecurringPurchase& subscription : store->recurringPurchases())
            benchmark::DoNotOptimize(nextSubscriptionDebit(subscription, now));
    }
}

} // namespace

BENCHMARK(SubscriptionDebitHistory)->Unit(benchmark::kMicrosecond);
BENCHMARK(SubscriptionNextDebits)->Unit(benchmark::kMicrosecond);
