#pragma once

#include "core/notifications/NotificationItem.h"

#include <QString>
#include <QUuid>

#include <optional>

namespace velmora {

// The section a notification leads to, and the record to show there (null
// for the section itself).
struct NotificationTarget {
    QString sectionKey;
    QUuid recordID;

    friend bool operator==(const NotificationTarget&, const NotificationTarget&) = default;
};

// None for an item that leads nowhere.
std::optional<NotificationTarget> notificationTarget(const NotificationAction& action);

} // namespace velmora
