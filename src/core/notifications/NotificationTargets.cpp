#include "core/notifications/NotificationTargets.h"

using namespace Qt::StringLiterals;

namespace velmora {

std::optional<NotificationTarget> notificationTarget(const NotificationAction& action) {
    const QUuid record = action.recordID.value_or(QUuid());
    switch (action.kind) {
    case NotificationActionKind::openDocument:
        return NotificationTarget{u"documents"_s, record};
    case NotificationActionKind::openProject:
        return NotificationTarget{u"projects"_s, record};
    case NotificationActionKind::openStockItem:
        return NotificationTarget{u"stock"_s, record};
    case NotificationActionKind::goToAccounting:
        return NotificationTarget{u"accounting"_s, record};
    case NotificationActionKind::goToCalendar:
        return NotificationTarget{u"calendar"_s, record};
    case NotificationActionKind::none:
        break;
    }
    return std::nullopt;
}

} // namespace velmora
