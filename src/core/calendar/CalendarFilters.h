#pragma once

#include "core/calendar/CalendarEventItem.h"
#include "core/model/AppDatabase.h"

#include <QDate>
#include <QList>
#include <QMap>
#include <QSet>
#include <QString>

namespace velmora {

// The filter of user events without a tag.
inline QString untaggedFilterId() {
    return QStringLiteral("custom_untagged");
}

struct CalendarFilter {
    QString id; // category raw value, tag UUID string or "custom_untagged"
    QString label;
    QString color;

    friend bool operator==(const CalendarFilter&, const CalendarFilter&) = default;
};

// The filter identifier of a user event: its tag's UUID string, kept even
// once the tag is deleted, or "custom_untagged".
QString customEventFilterId(const CustomCalendarEvent& event);

// The items the disabled identifiers leave: derived items by their category,
// user events by their tag only. Tag identifiers compare as UUIDs, so case
// and braces do not matter.
QList<CalendarEventItem> filterCalendarEvents(const QList<CalendarEventItem>& events,
                                              const AppDatabase& db,
                                              const QList<QString>& disabledIdentifiers);

// The nine categories, then the tags, then "custom_untagged".
QList<CalendarFilter> calendarFilters(const QList<CustomCalendarTag>& tags);
// The filter bar: the identifiers of `order` first, in that order, then the
// ones it does not list (a new tag) in their natural order; hidden ones left
// out.
QList<CalendarFilter> orderedCalendarFilters(const QList<CalendarFilter>& filters,
                                             const QList<QString>& order,
                                             const QList<QString>& hidden);

// The filter settings. Identifiers compare as filterCalendarEvents does.
bool isCalendarFilterEnabled(const AppPreferences& preferences, const QString& id);
// A filter switched off hides its items from the views and the synchronisation.
void setCalendarFilterEnabled(AppPreferences& preferences, const QString& id, bool enabled);
// Whether the filter bar shows the filter at all.
void setCalendarFilterShown(AppPreferences& preferences, const QString& id, bool shown);

// The items of each local day, in list order.
QMap<QDate, QList<CalendarEventItem>> calendarEventsByDay(const QList<CalendarEventItem>& events);
// The items of the month holding `day`, day after day: the list view.
QList<CalendarEventItem> calendarMonthEvents(const QMap<QDate, QList<CalendarEventItem>>& byDay,
                                             const QDate& day);

// What the upcoming list shows: the items from the start of today to the end
// of the 30th day after it.
QList<CalendarEventItem> upcomingCalendarEvents(const QList<CalendarEventItem>& events,
                                                const QDateTime& now);

} // namespace velmora
