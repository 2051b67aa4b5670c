#pragma once

#include <QDateTime>
#include <QString>

namespace velmora {

// "Notifications (3)", or "Tout est à jour" when nothing is shown.
QString notificationCentreHeader(qsizetype visibleCount);

// Beside an item: "aujourd'hui", "demain", "hier", else "dans 4 j" or
// "il y a 4 j", counted in local days from today.
QString relativeDayText(const QDateTime& date, const QDateTime& now);

} // namespace velmora
