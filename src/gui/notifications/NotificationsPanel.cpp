#include "gui/notifications/NotificationsPanel.h"

#include "gui/notifications/NotificationBell.h"
#include "gui/notifications/NotificationCentre.h"

namespace velmora::gui {

SessionService* notificationCentreService(const SectionServices& services, QObject* parent) {
    return new NotificationCentre(services.store, services.notifications, services.open, parent);
}

QWidget* notificationBell(const SectionServices& services, QWidget& window) {
    NotificationCentre* centre = sessionService<NotificationCentre>(services);
    return centre ? new NotificationBell(*centre, window) : nullptr;
}

} // namespace velmora::gui
