#pragma once

#include "core/Result.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace velmora {

struct CalendarInfo {
    QString id;
    QString title;
    bool writable = false;
    bool operator==(const CalendarInfo&) const = default;
};

enum class RecurrenceFrequency { daily, weekly, monthly, yearly };

// One event as the synchronisation hands it to the store. An all-day event
// covers the local days from start to end, both included.
struct CalendarStoreEvent {
    QString uid; // the same item keeps the same uid from one run to the next
    QString title;
    QDateTime start;
    QDateTime end;
    bool allDay = false;
    QString notes;    // empty: none
    QString location; // empty: none
    // Seconds from the start, negative before it.
    std::optional<qint64> alarmOffsetSeconds;
    // Interval 1, no end.
    std::optional<RecurrenceFrequency> recurrence;
    bool operator==(const CalendarStoreEvent&) const = default;
};

// The system calendar store the synchronisation writes to. The store has a
// single place to create calendars in (there is no choice of account or
// source), so creating takes only a title. Writes are batched in a run:
// beginRun() opens one on a calendar, removeEvents() and saveEvent() stage
// changes, and commit() makes them all visible together; a run never
// committed changes nothing. Failures carry French texts.
class CalendarStore {
public:
    virtual ~CalendarStore() = default;

    virtual Result<QList<CalendarInfo>> calendars() const = 0;
    virtual std::optional<CalendarInfo> calendar(const QString& id) const = 0;
    virtual Result<CalendarInfo> createCalendar(const QString& title) = 0;

    virtual Result<> beginRun(const QString& calendarId) = 0;
    // Removes the calendar's events whose start lies in [from, to); gives how
    // many were removed.
    virtual Result<int> removeEvents(const QDateTime& from, const QDateTime& to) = 0;
    // Adds the event, or replaces the one with the same uid.
    virtual Result<> saveEvent(const CalendarStoreEvent& event) = 0;
    virtual Result<> commit() = 0;
};

} // namespace velmora
