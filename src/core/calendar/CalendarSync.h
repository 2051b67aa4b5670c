#pragma once

#include "core/Result.h"
#include "core/calendar/CalendarSyncRules.h"
#include "core/platform/CalendarStore.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace velmora {

class SessionEdit;

// The application's calendar: the one with the stored identifier, else the
// one titled "Velmora Core", else a new one.
Result<CalendarInfo> findOrCreateAppCalendar(CalendarStore& store,
                                             const std::optional<QString>& storedId);

// What a synchronisation leaves for the preferences and for the user.
struct CalendarSyncOutcome {
    std::optional<QString> calendarId; // the calendar written to, when one was found
    std::optional<QString> error;      // the last failure, none when all went well
    bool completed = false;            // the run reached its commit
    SyncCounts counts;

    // "Synchronisation terminée" text, or the failure that stopped the run.
    QString message() const;
};

// One run: finds the calendar (re-creating it when it was deleted outside
// the application), empties its window and writes `events` (already mapped
// and filtered), then commits. A failed event save does not stop the run;
// its text is kept as the error.
CalendarSyncOutcome synchroniseCalendar(CalendarStore& store,
                                        const QList<CalendarStoreEvent>& events,
                                        const std::optional<QString>& storedId,
                                        const QDateTime& now);

// The only session change a synchronisation makes: the calendar identifier,
// the last sync date of a completed run and the recorded error.
Result<> applyCalendarSyncOutcome(SessionEdit& edit, const CalendarSyncOutcome& outcome,
                                  const QDateTime& now);

} // namespace velmora
