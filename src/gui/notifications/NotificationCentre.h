#pragma once

#include "core/notifications/NotificationItem.h"
#include "gui/common/SectionServices.h"

#include <QDateTime>
#include <QHash>
#include <QSet>
#include <QTimer>

#include <functional>
#include <optional>

namespace velmora {
class AppDataStore;
class UserNotifications;
} // namespace velmora

namespace velmora::gui {

// The notifications of the session on screen: evaluated again after every
// change of the session and when the day turns or a snooze ends, never by
// polling. A new item is toasted once: at most three toasts at a time, each
// hidden after 6 s, and posted to the desktop when it lets us.
class NotificationCentre : public SessionService {
    Q_OBJECT

public:
    static constexpr int toastMs = 6000;
    static constexpr int maxToasts = 3;
    using Open = std::function<void(const QString& defaultKey, const QUuid& id)>;

    NotificationCentre(AppDataStore& store, UserNotifications& desktop, Open open,
                       QObject* parent = nullptr);

    void start() override;
    void stop() override;

    // The visible items, most urgent first; empty while no session is shown.
    const QList<NotificationItem>& items() const { return m_items; }
    // The toasts on screen, oldest first.
    const QList<NotificationItem>& toasts() const { return m_toasts; }
    // Whether desktop notifications reach the user; none until the desktop
    // has answered.
    std::optional<bool> desktopAuthorised() const { return m_authorised; }
    // The session's clock: the moment relative dates are told from.
    QDateTime now() const;
    // When the list changes next with no change of the session.
    const QDateTime& nextChange() const { return m_nextChange; }

    // Takes the session and the clock as they are now.
    void evaluate();
    // The item's action: its record or its section shown.
    void perform(const QString& id);
    void snooze(const QString& id, qint64 seconds);
    void neverShow(const QString& id);
    void dismissToast(const QString& id);

signals:
    void itemsChanged();
    void toastsChanged();

private:
    void toastNew();
    // To the desktop, which shows it a second later.
    void post(const NotificationItem& item);
    void hideToast(const QString& id);
    void scheduleWake();
    void bringWindowForward();

    AppDataStore& m_store;
    UserNotifications& m_desktop;
    Open m_open;
    bool m_active = false;
    QList<NotificationItem> m_items;
    QList<NotificationItem> m_toasts;
    QHash<QString, QTimer*> m_toastTimers;
    // Toasted while on screen, even if saving that failed: never twice.
    QSet<QString> m_toasted;
    std::optional<bool> m_authorised;
    QDateTime m_nextChange;
    QTimer m_wake;
    // Coalesces the changes of one turn of the event loop.
    QTimer m_pending;
};

} // namespace velmora::gui
