#pragma once

#include "core/calendar/CalendarEventItem.h"
#include "core/model/AppDatabase.h"

#include <QDateTime>
#include <QList>

namespace velmora {

// Colour of a user event without a tag, or whose tag was deleted.
inline QString untaggedEventColor() {
    return QStringLiteral("#8E8E93");
}

// The occurrences of a user event: its date, then one step of its
// recurrence at a time up to now + 1 year, 500 at most.
QList<QDateTime> customEventOccurrences(const CustomCalendarEvent& event, const QDateTime& now);

// Every dated entry of the session, from documents, subscriptions, URSSAF,
// activities, payments, purchases and user events, sorted by date.
QList<CalendarEventItem> buildCalendarEvents(const AppDatabase& db, const QDateTime& now);

} // namespace velmora
