#pragma once

#include "core/model/SessionSettings.h"
#include "core/platform/UserNotifications.h"

#include <QList>
#include <QStringList>

namespace velmora {

// "urssaf-declaration-reminder-month-1" … "-12": every reminder there can be.
QStringList urssafReminderIdentifiers();

// The day of the month the reminders come on: the chosen day, at most the
// 28th so that every month has it.
int urssafReminderDay(const URSSAFSettings& settings);

// The yearly reminders of each declaration month (1, 4, 7, 10 quarterly;
// every month monthly) at 09:00; none when the reminder is off.
QList<NotificationRequest> urssafReminderRequests(const URSSAFSettings& settings);

// Replaces the scheduled reminders with those of the settings, once the
// user allows notifications; when not allowed, none is left.
void replanUrssafReminders(const URSSAFSettings& settings, UserNotifications& notifications);

} // namespace velmora
