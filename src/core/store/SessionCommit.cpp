#include "core/store/SessionCommit.h"

#include "core/activities/ActivityStatuses.h"

namespace velmora {

SessionFields commitEdit(AppDatabase& session, const SessionEdit& edit) {
    const AppDatabase& edited = edit.session();
    SessionFields changed;
#define VELMORA_TAKE_FIELD(Type, name, Name)                                                       \
    if (edit.touched(SessionField::name) && !(session.name == edited.name)) {                      \
        session.name = edited.name;                                                                \
        changed.insert(SessionField::name);                                                        \
    }
    VELMORA_SESSION_FIELDS(VELMORA_TAKE_FIELD)
#undef VELMORA_TAKE_FIELD
    if (edit.touched(SessionField::projectStatuses)) {
        const IdList& before = session.protectedProjectStatusIDs;
        const IdList ids = sortedIds(
            projectStatusSets(session.projectStatuses, QSet<QUuid>(before.cbegin(), before.cend()))
                .protectedIds);
        if (ids != before) {
            session.protectedProjectStatusIDs = ids;
            changed.insert(SessionField::protectedProjectStatusIDs);
        }
    }
    return changed;
}

} // namespace velmora
