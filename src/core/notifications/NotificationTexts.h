#pragma once

#include "core/notifications/NotificationItem.h"

#include <QDateTime>
#include <QString>

namespace velmora {

// "Notifications (3)", or "Tout est à jour" when nothing is shown.
QString notificationCentreHeader(qsizetype visibleCount);

// Beside an item: "aujourd'hui", "demain", "hier", else "dans 4 j" or
// "il y a 4 j", counted in local days from today.
QString relativeDayText(const QDateTime& date, const QDateTime& now);

// The heading of the centre's group of that severity.
QString notificationSeverityTitle(NotificationSeverity severity);

// Said in the centre when no notification server answers on this computer.
QString systemNotificationsUnavailableText();

// The bell's accessible name and tooltip: the header, as a screen reader
// says it.
QString notificationBellText(qsizetype visibleCount);

} // namespace velmora
