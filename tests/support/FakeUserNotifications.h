#pragma once

#include "core/platform/UserNotifications.h"

#include <QList>
#include <QStringList>

namespace velmora::test {

// A notification centre that answers as the test sets and keeps the
// requests it holds, in the order they were added.
class FakeUserNotifications final : public UserNotifications {
public:
    bool granted = true;
    int authorizationRequests = 0;
    QList<NotificationRequest> pending;
    QStringList removed; // every identifier asked to be removed, in order
    std::function<void(const QString&)> activated;

    void requestAuthorization(std::function<void(bool)> answer) override {
        ++authorizationRequests;
        answer(granted);
    }
    void add(const NotificationRequest& request) override {
        pending.removeIf(
            [&](const NotificationRequest& r) { return r.identifier == request.identifier; });
        pending.append(request);
    }
    void removePendingAndDelivered(const QStringList& identifiers) override {
        removed += identifiers;
        pending.removeIf(
            [&](const NotificationRequest& r) { return identifiers.contains(r.identifier); });
    }
    void setActivationHandler(std::function<void(const QString&)> handler) override {
        activated = std::move(handler);
    }
};

} // namespace velmora::test
