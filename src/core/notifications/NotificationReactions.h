#pragma once

#include "core/Result.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace velmora {

class SessionEdit;

// One choice of the "Rappeler plus tard" menu.
struct SnoozeChoice {
    QString label;
    qint64 seconds = 0;
};

QString snoozeMenuTitle();
// "Dans 1 heure", "Dans 4 heures", "Demain", "Dans 3 jours".
const QList<SnoozeChoice>& snoozeChoices();
QString neverShowLabel();
QString dismissToastLabel();

// The user's reactions to the item of that id, each written into its stored
// state (created from the default when the id has none); asking again for
// what is already stored changes nothing.

// Hidden until `seconds` after now; shown again from that moment on.
Result<> snoozeNotification(SessionEdit& edit, const QString& id, qint64 seconds,
                            const QDateTime& now);
// Never shown again.
Result<> neverShowNotification(SessionEdit& edit, const QString& id);
// No toast any more; the item stays in the centre.
Result<> dismissNotificationToast(SessionEdit& edit, const QString& id);

// The items just toasted: each toasted once, at `now`.
Result<> markNotificationsToasted(SessionEdit& edit, const QStringList& ids, const QDateTime& now);

} // namespace velmora
