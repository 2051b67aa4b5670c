#pragma once

#include "core/activities/ActivityStatuses.h"
#include "core/model/AppDatabase.h"
#include "core/model/ProjectItem.h"
#include "core/model/TagItem.h"

#include <QSet>

namespace velmora {

// The activity statuses every session starts with, each call with fresh ids.
QList<TagItem> seededProjectStatuses();

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

// The order a saved session lists status ids in, whatever order they were
// read in, each once.
QList<QUuid> sortedIds(const QSet<QUuid>& ids);
QList<QUuid> sortedIds(const QList<QUuid>& ids);

// Normalizes the session's activity statuses and recomputes the protected
// ones from those it named as protected.
void normalizeActivityStatuses(AppDatabase& db);

} // namespace velmora
