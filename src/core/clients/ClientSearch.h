#pragma once

#include "core/model/ClientItem.h"

#include <QList>
#include <QString>

namespace velmora {

// Whether every word of the query appears in the client's display name,
// company, e-mail or phone (the phone also read without its spaces), case
// and accents aside.
bool clientMatches(const ClientItem& client, const QString& query);
// The matching clients in their order; all of them for an empty query.
QList<ClientItem> searchClients(const QList<ClientItem>& clients, const QString& query);

} // namespace velmora
