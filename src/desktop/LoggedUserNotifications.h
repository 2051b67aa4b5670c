#pragma once

#include "core/platform/UserNotifications.h"

namespace velmora {

// Stands for the notification centre until notifications reach the desktop:
// every request is allowed and written to the log, nothing is shown.
class LoggedUserNotifications final : public UserNotifications {
public:
    void requestAuthorization(std::function<void(bool granted)> answer) override;
    void add(const NotificationRequest& request) override;
    void removePendingAndDelivered(const QStringList& identifiers) override;
    void setActivationHandler(std::function<void(const QString&)>) override {}
};

} // namespace velmora
