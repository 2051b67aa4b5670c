// What the calendar screen does on the interface thread besides building the
// list: a key typed in its search (filters, search, day map, upcoming list)
// the folding of the search texts at the first key after a build, and a
// change of month with what the grid's cells then read.
// Compared with StoreLoad of the same run.

#include "BenchStore.h"

#include "core/calendar/CalendarEvents.h"
#include "core/calendar/CalendarFilters.h"
#include "core/calendar/CalendarMonthModel.h"
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

void CalendarMonthSwitch(benchmark::State& state) {
    const AppDataStore* store = loadedSession(state);
    if (!store)
        return;
    const AppDatabase& db = store->session();
    const QDate today = store->clock().now().toLocalTime().date();
    CalendarMonthModel model;
    model.setToday(today);
    model.setEvents(
        calendarEventsByDay(filterCalendarEvents(buildCalendarEvents(db, store->clock().now()), db,
                                                 db.preferences.calendarDisabledCategories)));
    int step = 0;
    for (auto _ : state) {
        // Back and forth over two years around today.
        model.setMonth(today.addMonths(step++ % 24 - 12));
        for (int row = 0; row < model.rowCount(); ++row)
            for (int column = 0; column < model.columnCount(); ++column) {
                const QModelIndex cell = model.index(row, column);
                for (const int role : {int(Qt::DisplayRole), int(CalendarMonthModel::TitlesRole),
                                       int(CalendarMonthModel::ColorsRole)})
                    benchmark::DoNotOptimize(model.data(cell, role));
            }
    }
}

} // namespace

BENCHMARK(CalendarMonthSwitch)->Unit(benchmark::kMillisecond);
BENCHMARK(CalendarSearchKeystroke)->Unit(benchmark::kMillisecond);
BENCHMARK(CalendarSearchTexts)->Unit(benchmark::kMillisecond);
