// Building the calendar's event list on the benchmark session, then filtering
// and grouping it by day as the month view does. Compared with StoreLoad of
// the same run.

#include "BenchStore.h"

#include "core/calendar/CalendarEvents.h"
#include "core/calendar/CalendarFilters.h"

namespace {

using namespace velmora;
using velmora::bench::loadedSession;

void CalendarEventList(benchmark::State& state) {
    const AppDataStore* store = loadedSession(state);
    if (!store)
        return;
    const QDateTime now = store->clock().now();
    qsizetype items = 0;
    for (auto _ : state) {
        const QList<CalendarEventItem> events = buildCalendarEvents(store->session(), now);
        items = events.size();
        benchmark::DoNotOptimize(events);
    }
    state.counters["items"] = double(items);
}

void CalendarFilterAndDays(benchmark::State& state) {
    const AppDataStore* store = loadedSession(state);
    if (!store)
        return;
    const AppDatabase& db = store->session();
    const QList<CalendarEventItem> events = buildCalendarEvents(db, store->clock().now());
    for (auto _ : state) {
        const auto kept =
            filterCalendarEvents(events, db, db.preferences.calendarDisabledCategories);
        benchmark::DoNotOptimize(calendarEventsByDay(kept));
    }
}

} // namespace

BENCHMARK(CalendarEventList)->Unit(benchmark::kMillisecond);
BENCHMARK(CalendarFilterAndDays)->Unit(benchmark::kMillisecond);
