#pragma once

#include "core/platform/Clock.h"
#include "core/platform/UserNotifications.h"
#include "desktop/PendingNotifications.h"

#include <QDBusConnection>
#include <QHash>
#include <QObject>
#include <QTimer>

namespace velmora {

// The notification centre of the desktop: the freedesktop notification
// server (org.freedesktop.Notifications) on `bus` shows the notifications. Calendar requests are
// kept in `pendingFile` and posted by the running application; one whose time passed while it was
// closed is posted once, as soon as the event loop runs.
class DbusUserNotifications final : public QObject, public UserNotifications {
    Q_OBJECT

public:
    DbusUserNotifications(QDBusConnection bus, QString pendingFile, const Clock& clock,
                          QObject* parent = nullptr);
    ~DbusUserNotifications() override;

    // Allowed when a notification server answers.
    void requestAuthorization(std::function<void(bool granted)> answer) override;
    void add(const NotificationRequest& request) override;
    void removePendingAndDelivered(const QStringList& identifiers) override;
    void setActivationHandler(std::function<void(const QString& identifier)> activated) override;

private slots:
    void actionInvoked(uint id, const QString& action);
    void notificationClosed(uint id, uint reason);

private:
    void post(const NotificationRequest& request);
    void retryLater(const NotificationRequest& request);
    void shown(const QString& identifier, quint64 post, uint id);
    void close(uint id);
    void postDue();
    void changedPending();
    void rearm();
    void save();

    QDBusConnection m_bus;
    QString m_pendingFile;
    const Clock& m_clock;
    PendingNotifications m_pending;
    QTimer m_pendingTimer;
    QTimer m_saveTimer;
    // Delay requests waiting for their timer, children of this object.
    QHash<QString, QTimer*> m_delayed;
    // The server's id of each notification on screen, by identifier.
    QHash<QString, uint> m_shown;
    // The latest post of each identifier: an older one answered late, or one
    // removed before the server answered, is closed as soon as its id is known.
    QHash<QString, quint64> m_latestPost;
    quint64 m_posts = 0;
    std::function<void(const QString&)> m_activated;
};

} // namespace velmora
