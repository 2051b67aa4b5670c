#pragma once

#include "core/model/AppDatabase.h"

#include <QList>
#include <QString>
#include <QUuid>

namespace velmora {

// The records a user event may be linked to ("Lier à (facultatif)").
enum class CalendarLink { clients, projects, documents };

// "Clients", "Activités", "Devis / Factures".
QString calendarLinkLabel(CalendarLink link);
// "Rechercher un client…" and the others.
QString calendarLinkSearchPlaceholder(CalendarLink link);
// The picker's summary: its label with none chosen, then "1 client
// sélectionné", "3 clients sélectionnés".
QString calendarLinkSummary(CalendarLink link, qsizetype count);

struct CalendarLinkChoice {
    QUuid id;
    QString title;
    QString subtitle;
};
// The records of that kind in the session's order: clients by display name,
// activities by title with their client, documents by number with theirs.
QList<CalendarLinkChoice> calendarLinkChoices(const AppDatabase& db, CalendarLink link);

} // namespace velmora
