#pragma once

#include "core/model/AppDatabase.h"

#include <QSet>

namespace velmora {

struct ProjectStatusSets {
    QSet<QUuid> protectedIds;  // the seeded statuses, which cannot be deleted
    QSet<QUuid> nameLockedIds; // "Terminé" and "Annulé", which cannot be renamed
};

// The protected and name-locked activity statuses of the list: the statuses
// named as the seeded ones, and those protected before that are still
// listed, so that a renamed "En cours" stays undeletable.
ProjectStatusSets projectStatusSets(const QList<TagItem>& statuses,
                                    const QSet<QUuid>& protectedBefore = {});

// An activity status name as opening a session reads it: "Fini" is "Terminé".
QString projectStatusNameAsRead(const QString& name);

// Rebuilds the coloured activity statuses from the status names and renames
// "Fini" to "Terminé", in the names and in the activities. A list is only
// detached when it changes. `protectedBefore` are the statuses the session
// names as protected.
ProjectStatusSets normalizeProjectStatuses(QList<ProjectItem>& projects, QList<TagItem>& statuses,
                                           QList<QString>& options,
                                           const QSet<QUuid>& protectedBefore = {});

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

} // namespace velmora
