#pragma once

#include "core/model/AppDatabase.h"
#include "core/store/SessionEdit.h"

namespace velmora {

// Takes the parts an edit touched into `session`, with the rule every saved
// session follows wherever it is written (the window's store, the command
// line's file): the protected activity statuses follow the statuses. The
// parts whose value changed.
SessionFields commitEdit(AppDatabase& session, const SessionEdit& edit);

} // namespace velmora
