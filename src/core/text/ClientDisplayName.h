#pragma once

#include "core/model/ClientItem.h"
#include "core/model/CommercialDocumentItem.h"

#include <QHash>

#include <QString>

namespace velmora {

// How a client is named everywhere (lists, documents, recipe book, search):
// a company by its trimmed name, a private client by the upper-cased last
// name then the first name, with a fallback text when nothing is left.
QString clientDisplayName(const ClientItem& client);

// The client a document names: the one frozen in its snapshot, so that an
// issued document keeps its client as issued even once the record is edited
// or deleted; else the record's name from `names` (by id); empty without one.
QString documentClientName(const CommercialDocumentItem& document,
                           const QHash<QUuid, QString>& names);

} // namespace velmora
