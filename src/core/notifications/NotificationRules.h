#pragma once

#include "core/model/AppDatabase.h"
#include "core/notifications/NotificationItem.h"

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QString>

namespace velmora {

// Every item the session's state calls for at `now`, rule after rule, each
// rule over its records in stored order; the user's reactions not applied.
QList<NotificationItem> notificationItems(const AppDatabase& db, const QDateTime& now);

// Shown unless never to be shown again, or snoozed past `now`; an id without
// a stored state is shown.
bool isNotificationVisible(const QMap<QString, NotificationState>& states, const QString& id,
                           const QDateTime& now);

// Toasted only once in the session's life, and never after "Masquer".
bool isNotificationToastDue(const QMap<QString, NotificationState>& states, const QString& id);

// When the list can change with no change of the session: the next local
// midnight, or the end of a snooze before it.
QDateTime nextNotificationChange(const QMap<QString, NotificationState>& states,
                                 const QDateTime& now);

// Most urgent first, then by date, dated items before undated ones; equal
// items keep their order.
void sortNotifications(QList<NotificationItem>& items);

// What the centre lists: the visible items in their order.
QList<NotificationItem> visibleNotifications(const AppDatabase& db, const QDateTime& now);

} // namespace velmora
