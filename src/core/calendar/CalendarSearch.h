#pragma once

#include "core/calendar/CalendarEventItem.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QUuid>

namespace velmora {

// What a search of the calendar looks through, folded: the title, the
// subtitle and the place, with those of grouped dates.
QString calendarEventSearchText(const CalendarEventItem& item);
// The search text of every item by its id, folded once per build of the
// list rather than at every key typed.
QHash<QUuid, QString> calendarSearchTexts(const QList<CalendarEventItem>& items);

// The items whose search text holds every word of `query`; all of them for
// a blank query.
QList<CalendarEventItem> searchCalendarEvents(QList<CalendarEventItem> items,
                                              const QHash<QUuid, QString>& texts,
                                              const QString& query);

} // namespace velmora
