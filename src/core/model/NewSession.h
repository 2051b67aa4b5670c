#pragma once

#include "core/model/AppDatabase.h"

namespace velmora {

// A brand-new session: seeded statuses (all protected), activity types,
// settings defaults, the nine menu sections and a fresh session id. The
// creation wizard applies the user's answers on top.
AppDatabase newSessionContents();

} // namespace velmora
