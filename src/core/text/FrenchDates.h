#pragma once

#include <QDateTime>
#include <QString>

namespace velmora {

// Dates as the alerts and sheets print them, in the local time zone:
// "10/06/2025".
QString formatShortDate(const QDateTime& moment);
// The medium style of the French locale: "1 juin 2025", "5 janv. 2025".
QString formatMediumDate(const QDateTime& moment);

} // namespace velmora
