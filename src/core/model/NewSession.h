#pragma once

#include "core/model/AppDatabase.h"

namespace velmora {

// The statuses every session starts with, each call with fresh ids.
QList<TagItem> seededQuoteStatuses();
QList<TagItem> seededInvoiceStatuses();
QList<TagItem> seededProjectStatuses();

// A brand-new session: seeded statuses (all protected), activity types,
// settings defaults, the nine menu sections and a fresh session id. The
// creation wizard applies the user's answers on top.
AppDatabase newSessionContents();

} // namespace velmora
