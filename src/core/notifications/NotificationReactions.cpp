#include "core/notifications/NotificationReactions.h"

#include "core/store/SessionEdit.h"

#include <functional>

using namespace Qt::StringLiterals;

namespace velmora {
namespace {

Result<> updateState(SessionEdit& edit, const QString& id,
                     const std::function<void(NotificationState&)>& change) {
    const NotificationStateMap& states = edit.session().notificationStates;
    const auto found = states.constFind(id);
    const bool stored = found != states.cend();
    NotificationState state = stored ? *found : NotificationState{};
    change(state);
    if (stored && state == *found)
        return Result<>::unchanged();
    edit.notificationStates().insert(id, state);
    return Result<>();
}

} // namespace

QString snoozeMenuTitle() {
    return u"Rappeler plus tard"_s;
}

const QList<SnoozeChoice>& snoozeChoices() {
    static const QList<SnoozeChoice> choices = {{u"Dans 1 heure"_s, 3'600},
                                                {u"Dans 4 heures"_s, 14'400},
                                                {u"Demain"_s, 86'400},
                                                {u"Dans 3 jours"_s, 259'200}};
    return choices;
}

QString neverShowLabel() {
    return u"Ne plus jamais afficher"_s;
}

QString dismissToastLabel() {
    return u"Masquer (reste dans le centre)"_s;
}

Result<> snoozeNotification(SessionEdit& edit, const QString& id, qint64 seconds,
                            const QDateTime& now) {
    return updateState(edit, id,
                       [&](NotificationState& s) { s.snoozedUntil = now.addSecs(seconds); });
}

Result<> neverShowNotification(SessionEdit& edit, const QString& id) {
    return updateState(edit, id, [](NotificationState& s) { s.neverShow = true; });
}

Result<> dismissNotificationToast(SessionEdit& edit, const QString& id) {
    return updateState(edit, id, [](NotificationState& s) { s.toastDismissed = true; });
}

Result<> markNotificationsToasted(SessionEdit& edit, const QStringList& ids, const QDateTime& now) {
    Result<> outcome = Result<>::unchanged();
    for (const QString& id : ids)
        if (updateState(edit, id, [&](NotificationState& s) { s.firstToastedAt = now; }).ok())
            outcome = Result<>();
    return outcome;
}

} // namespace velmora
