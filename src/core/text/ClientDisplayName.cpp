#include "core/text/ClientDisplayName.h"

namespace velmora {

// QString::trimmed() removes the Unicode white-space-and-newline set.
QString clientDisplayName(const ClientItem& client) {
    if (client.kind == ClientKind::professionnel) {
        const QString company = client.company.trimmed();
        return company.isEmpty() ? QStringLiteral("Entreprise sans nom") : company;
    }
    QStringList parts;
    if (const QString last = client.lastName.trimmed().toUpper(); !last.isEmpty())
        parts << last;
    if (const QString first = client.firstName.trimmed(); !first.isEmpty())
        parts << first;
    return parts.isEmpty() ? QStringLiteral("Client sans nom") : parts.join(QLatin1Char(' '));
}

QString documentClientName(const CommercialDocumentItem& document,
                           const QHash<QUuid, QString>& names) {
    if (document.pdfSnapshot && document.pdfSnapshot->client)
        return clientDisplayName(*document.pdfSnapshot->client);
    return document.clientID ? names.value(*document.clientID) : QString();
}

} // namespace velmora
