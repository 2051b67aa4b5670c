#include "core/calendar/CalendarEventLinks.h"

#include "core/text/ClientDisplayName.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace velmora {

namespace {

struct LinkTexts {
    const char16_t* label;
    const char16_t* placeholder;
    const char16_t* one;
    const char16_t* many;
};

const LinkTexts& textsOf(CalendarLink link) {
    static constexpr LinkTexts texts[] = {
        {u"Clients", u"Rechercher un client…", u"1 client sélectionné", u"%1 clients sélectionnés"},
        {u"Activités", u"Rechercher une activité…", u"1 activité sélectionnée",
         u"%1 activités sélectionnées"},
        {u"Devis / Factures", u"Rechercher un document…", u"1 document sélectionné",
         u"%1 documents sélectionnés"},
    };
    return texts[int(link)];
}

} // namespace

QString calendarLinkLabel(CalendarLink link) {
    return QString::fromUtf16(textsOf(link).label);
}

QString calendarLinkSearchPlaceholder(CalendarLink link) {
    return QString::fromUtf16(textsOf(link).placeholder);
}

QString calendarLinkSummary(CalendarLink link, qsizetype count) {
    if (count <= 0)
        return calendarLinkLabel(link);
    const LinkTexts& texts = textsOf(link);
    return count == 1 ? QString::fromUtf16(texts.one) : QString::fromUtf16(texts.many).arg(count);
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
