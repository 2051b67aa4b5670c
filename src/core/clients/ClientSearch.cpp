#include "core/clients/ClientSearch.h"

#include "core/text/ClientDisplayName.h"
#include "core/text/SearchFolding.h"

namespace velmora {

bool clientMatches(const ClientItem& client, const QString& query) {
    QString phoneDigits = client.phone;
    phoneDigits.removeIf([](QChar c) { return c.isSpace(); });
    return matchesSearch(query, {clientDisplayName(client), client.company, client.email,
                                 client.phone, phoneDigits});
}

QList<ClientItem> searchClients(const QList<ClientItem>& clients, const QString& query) {
    QList<ClientItem> found;
    for (const ClientItem& client : clients) {
        if (clientMatches(client, query))
            found.append(client);
    }
    return found;
}

} // namespace velmora
