#include "core/calendar/CalendarFilters.h"

#include "core/calendar/CalendarEvents.h"

#include <QHash>
#include <QTimeZone>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace velmora {
namespace {

// Identifiers as one compares them: tags by UUID, anything else as written.
QString comparable(const QString& identifier) {
    const QUuid id(identifier);
    return id.isNull() ? identifier : id.toString(QUuid::WithoutBraces);
}

QSet<QString> comparableSet(const QList<QString>& identifiers) {
    QSet<QString> set;
    for (const QString& identifier : identifiers)
        set.insert(comparable(identifier));
    return set;
}

// Adds or removes the identifier, whatever way it is written in the list.
void setListed(QList<QString>& list, const QString& id, bool listed) {
    const QString wanted = comparable(id);
    list.removeIf([&](const QString& listedId) { return comparable(listedId) == wanted; });
    if (listed)
        list.append(id);
}

} // namespace

bool isCalendarFilterEnabled(const AppPreferences& preferences, const QString& id) {
    return !comparableSet(preferences.calendarDisabledCategories).contains(comparable(id));
}

void setCalendarFilterEnabled(AppPreferences& preferences, const QString& id, bool enabled) {
    setListed(preferences.calendarDisabledCategories, id, !enabled);
}

void setCalendarFilterShown(AppPreferences& preferences, const QString& id, bool shown) {
    setListed(preferences.calendarHiddenFilters, id, !shown);
}

QString customEventFilterId(const CustomCalendarEvent& event) {
    return event.customTagID ? event.customTagID->toString(QUuid::WithoutBraces)
                             : untaggedFilterId();
}

QList<CalendarEventItem> filterCalendarEvents(const QList<CalendarEventItem>& events,
                                              const AppDatabase& db,
                                              const QList<QString>& disabledIdentifiers) {
    const QSet<QString> disabled = comparableSet(disabledIdentifiers);
    QHash<QUuid, QString> customIds;
    for (const CustomCalendarEvent& event : db.customCalendarEvents)
        customIds.insert(event.id, customEventFilterId(event));
    QList<CalendarEventItem> kept;
    for (const CalendarEventItem& e : events) {
        bool shown = true;
        if (e.linkedMenuKey == u"custom") {
            // A user item whose event is gone has nothing left to filter by.
            if (e.customEventID && customIds.contains(*e.customEventID))
                shown = !disabled.contains(customIds.value(*e.customEventID));
        } else {
            shown = !disabled.contains(calendarCategoryRawValue(e.category));
        }
        if (shown)
            kept.append(e);
    }
    return kept;
}

QList<CalendarFilter> calendarFilters(const QList<CustomCalendarTag>& tags) {
    QList<CalendarFilter> filters;
    for (CalendarEventCategory category : kCalendarEventCategories)
        filters.append({calendarCategoryRawValue(category), calendarCategoryLabel(category),
                        calendarCategoryColor(category)});
    for (const CustomCalendarTag& tag : tags)
        filters.append({tag.id.toString(QUuid::WithoutBraces), tag.name, tag.hexColor});
    filters.append({untaggedFilterId(), u"Sans tags"_s, untaggedEventColor()});
    return filters;
}

QList<CalendarFilter> orderedCalendarFilters(const QList<CalendarFilter>& filters,
                                             const QList<QString>& order,
                                             const QList<QString>& hidden) {
    const QSet<QString> hiddenSet = comparableSet(hidden);
    QList<CalendarFilter> rest;
    for (const CalendarFilter& f : filters) {
        if (!hiddenSet.contains(comparable(f.id)))
            rest.append(f);
    }
    QList<CalendarFilter> ordered;
    for (const QString& identifier : order) {
        const QString wanted = comparable(identifier);
        const auto found = std::find_if(rest.begin(), rest.end(), [&](const CalendarFilter& f) {
            return comparable(f.id) == wanted;
        });
        if (found != rest.end()) {
            ordered.append(*found);
            rest.erase(found);
        }
    }
    return ordered + rest;
}

QMap<QDate, QList<CalendarEventItem>> calendarEventsByDay(const QList<CalendarEventItem>& events) {
    QMap<QDate, QList<CalendarEventItem>> days;
    for (const CalendarEventItem& e : events)
        days[e.date.toLocalTime().date()].append(e);
    return days;
}

QList<CalendarEventItem> calendarMonthEvents(const QMap<QDate, QList<CalendarEventItem>>& byDay,
                                             const QDate& day) {
    const QDate first(day.year(), day.month(), 1);
    const QDate next = first.addMonths(1);
    QList<CalendarEventItem> month;
    for (auto it = byDay.lowerBound(first); it != byDay.cend() && it.key() < next; ++it)
        month.append(it.value());
    return month;
}

QList<CalendarEventItem> upcomingCalendarEvents(const QList<CalendarEventItem>& events,
                                                const QDateTime& now) {
    const QDate today = now.toLocalTime().date();
    const QDate last = today.addDays(30);
    QList<CalendarEventItem> upcoming;
    for (const CalendarEventItem& e : events) {
        const QDate day = e.date.toLocalTime().date();
        if (day >= today && day <= last)
            upcoming.append(e);
    }
    return upcoming;
}

} // namespace velmora
