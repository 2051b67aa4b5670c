#include "core/calendar/CalendarSync.h"

#include "core/store/SessionEdit.h"

namespace velmora {

Result<CalendarInfo> findOrCreateAppCalendar(CalendarStore& store,
                                             const std::optional<QString>& storedId) {
    if (storedId)
        if (std::optional<CalendarInfo> known = store.calendar(*storedId))
            return *known;
    const QString title = QString::fromUtf16(kAppCalendarTitle);
    const Result<QList<CalendarInfo>> all = store.calendars();
    if (!all)
        return Result<CalendarInfo>::failure(all.error());
    for (const CalendarInfo& info : all.value())
        if (info.title == title)
            return info;
    return store.createCalendar(title);
}

QString CalendarSyncOutcome::message() const {
    if (!completed)
        return error.value_or(QString());
    return syncResultMessage(counts);
}

CalendarSyncOutcome synchroniseCalendar(CalendarStore& store,
                                        const QList<CalendarStoreEvent>& events,
                                        const std::optional<QString>& storedId,
                                        const QDateTime& now) {
    CalendarSyncOutcome outcome;
    if (storedId && !store.calendar(*storedId))
        outcome.error = QString::fromUtf16(calendarsync::kCalendarMissing);
    const Result<CalendarInfo> calendar = findOrCreateAppCalendar(store, storedId);
    if (!calendar) {
        outcome.error = calendar.error();
        return outcome;
    }
    outcome.calendarId = calendar->id;
    if (const Result<> begun = store.beginRun(calendar->id); !begun) {
        outcome.error = begun.error();
        return outcome;
    }
    outcome.error.reset();
    const SyncWindow window = syncWindow(now);
    int removed = 0;
    if (const Result<int> r = store.removeEvents(window.from, window.to); r)
        removed = r.value();
    else
        outcome.error = r.error();
    int saved = 0;
    for (const CalendarStoreEvent& event : events) {
        if (const Result<> r = store.saveEvent(event); r)
            ++saved;
        else
            outcome.error = r.error();
    }
    if (const Result<> r = store.commit(); !r)
        outcome.error = r.error();
    outcome.completed = true;
    outcome.counts = syncCounts(saved, removed);
    return outcome;
}

Result<> applyCalendarSyncOutcome(SessionEdit& edit, const CalendarSyncOutcome& outcome,
                                  const QDateTime& now) {
    AppPreferences& prefs = edit.preferences();
    if (outcome.calendarId)
        prefs.calendarICloudCalendarID = outcome.calendarId;
    if (outcome.completed)
        prefs.calendarLastSyncDate = now;
    prefs.calendarSyncError = outcome.error;
    return Result<>();
}

} // namespace velmora
