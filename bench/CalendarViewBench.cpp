// What the calendar screen does on the interface thread besides building the
// list: a key typed in its search (filters, search, day map, upcoming list)
// and the folding of the search texts at the first key after a build.
// Compared with StoreLoad of the same run.

#include "BenchStore.h"

#include "core/calendar/CalendarEvents.h"
#include "core/calendar/CalendarFilters.h"
#include "core/calendar/CalendarSearch.h"

namespace {

using namespace velmora;
using velmora::bench::loadedSession;

void CalendarSearchKeystroke(benchmark::State& state) {
    const AppDataStore* store = loadedSession(state);
    if (!store)
        return;
    const AppDatabase& db = store->session();
    const QDateTime now = store->clock().now();
    const QList<CalendarEventItem> events = buildCalendarEvents(db, now);
    const QHash<QUuid, QString> texts = calendarSearchTexts(events);
    qsizetype found = 0;
    for (auto _ : state) {
        const QList<CalendarEventItem> shown = searchCalendarEvents(
            filterCalendarEvents(events, db, db.preferences.calendarDisabledCategories), texts,
            QStringLiteral("fac"));
        benchmark::DoNotOptimize(calendarEventsByDay(shown));
        benchmark::DoNotOptimize(upcomingCalendarEvents(shown, now));
        found = shown.size();
    }
    state.counters["found"] = double(found);
}

void CalendarSearchTexts(benchmark::State& state) {
    const AppDataStore* store = loadedSession(state);
    if (!store)
        return;
    const QList<CalendarEventItem> events =
        buildCalendarEvents(store->session(), store->clock().now());
    for (auto _ : state)
        benchmark::DoNotOptimize(calendarSearchTexts(events));
}

} // namespace

BENCHMARK(CalendarSearchKeystroke)->Unit(benchmark::kMillisecond);
BENCHMARK(CalendarSearchTexts)->Unit(benchmark::kMillisecond);
