#include "core/calendar/CalendarEventLinks.h"

#include "core/text/ClientDisplayName.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace velmora {

QString calendarLinkLabel(CalendarLink link) {
    switch (link) {
    case CalendarLink::clients:
        return u"Clients"_s;
    case CalendarLink::projects:
        return u"Activités"_s;
    case CalendarLink::documents:
        return u"Devis / Factures"_s;
    }
    return {};
}

QString calendarLinkSearchPlaceholder(CalendarLink link) {
    switch (link) {
    case CalendarLink::clients:
        return u"Rechercher un client…"_s;
    case CalendarLink::projects:
        return u"Rechercher une activité…"_s;
    case CalendarLink::documents:
        return u"Rechercher un document…"_s;
    }
    return {};
}

QString calendarLinkSummary(CalendarLink link, qsizetype count) {
    if (count <= 0)
        return calendarLinkLabel(link);
    const bool one = count == 1;
    switch (link) {
    case CalendarLink::clients:
        return one ? u"1 client sélectionné"_s : u"%1 clients sélectionnés"_s.arg(count);
    case CalendarLink::projects:
        return one ? u"1 activité sélectionnée"_s : u"%1 activités sélectionnées"_s.arg(count);
    case CalendarLink::documents:
        return one ? u"1 document sélectionné"_s : u"%1 documents sélectionnés"_s.arg(count);
    }
    return {};
}

QList<CalendarLinkChoice> calendarLinkChoices(const AppDatabase& db, CalendarLink link) {
    QHash<QUuid, QString> names;
    for (const ClientItem& client : db.clients)
        names.insert(client.id, clientDisplayName(client));
    QList<CalendarLinkChoice> choices;
    switch (link) {
    case CalendarLink::clients:
        for (const ClientItem& client : db.clients)
            choices.append({client.id, names.value(client.id), client.email.trimmed()});
        break;
    case CalendarLink::projects:
        for (const ProjectItem& project : db.projects)
            choices.append(
                {project.id, project.title.trimmed(),
                 project.linkedClientID ? names.value(*project.linkedClientID) : QString()});
        break;
    case CalendarLink::documents:
        for (const CommercialDocumentItem& document : db.documents) {
            const QString number = document.number.trimmed();
            choices.append({document.id, number.isEmpty() ? u"Document"_s : number,
                            documentClientName(document, names)});
        }
        break;
    }
    return choices;
}

} // namespace velmora
