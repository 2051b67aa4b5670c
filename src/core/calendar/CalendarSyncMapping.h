#pragma once

#include "core/calendar/CalendarEventItem.h"
#include "core/model/AppDatabase.h"
#include "core/platform/CalendarStore.h"

#include <QDateTime>
#include <QList>

namespace velmora {

// The store events a synchronisation writes for `items` (the unfiltered
// list): items older than 30 days and those of disabled filters are left
// out. A repeated user event is written once, at its first occurrence kept,
// with its recurrence rule; the store repeats it.
QList<CalendarStoreEvent> calendarStoreEvents(const QList<CalendarEventItem>& items,
                                              const AppDatabase& db, const QDateTime& now);

// The uid of an item: the same from one build of the list to the next, since
// it is drawn from what the item stands for rather than from its random id.
QString calendarStoreUid(const CalendarEventItem& item);

} // namespace velmora
