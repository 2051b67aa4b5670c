#pragma once

#include "core/model/ClientItem.h"

#include <QString>

namespace velmora {

// How a client is named everywhere (lists, documents, recipe book, search):
// a company by its trimmed name, a private client by the upper-cased last
// name then the first name, with a fallback text when nothing is left.
QString clientDisplayName(const ClientItem& client);

} // namespace velmora
