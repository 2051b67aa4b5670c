#pragma once

#include "core/activities/ActivityStatuses.h"
#include "core/model/AppDatabase.h"

#include <QSet>

namespace velmora {

// An embeddedMedia key becomes a path under the media folder only when it
// cannot point anywhere else.
bool isSafeMediaKey(const QString& key);

// The session as the application writes it back once it has opened it, with
// nothing extracted nor read: a URL whose file name is that of an embedded
// media file points to that file in mediaFolder (the media folder of this
// session, whose id must be set), only the embedded media a record refers to
// stay (their Base64 text untouched), the activity statuses are normalized,
// the protected status lists sorted, and an empty session name dropped.
void settleOpenedSession(AppDatabase& db, const QString& mediaFolder);

// What every opened session is held as: the activity statuses normalized,
// the protected status lists sorted and without repeats, and an empty
// session name dropped.
void settleSessionStatuses(AppDatabase& db);

} // namespace velmora
