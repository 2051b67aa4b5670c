#include "desktop/LoggedUserNotifications.h"

#include <QDebug>

namespace velmora {
namespace {

QString whenText(const NotificationTrigger& trigger) {
    if (const auto* delay = std::get_if<DelayTrigger>(&trigger))
        return QStringLiteral("dans %1 s").arg(delay->seconds);
    const auto& calendar = std::get<CalendarTrigger>(trigger);
    const auto part = [](const std::optional<int>& value) {
        return value ? QStringLiteral("%1").arg(*value, 2, 10, QLatin1Char('0'))
                     : QStringLiteral("*");
    };
    return QStringLiteral("le %1/%2 à %3:%4%5")
        .arg(part(calendar.day), part(calendar.month))
        .arg(calendar.hour, 2, 10, QLatin1Char('0'))
        .arg(calendar.minute, 2, 10, QLatin1Char('0'))
        .arg(calendar.repeats ? QStringLiteral(", répétée") : QString());
}

} // namespace

void LoggedUserNotifications::requestAuthorization(std::function<void(bool granted)> answer) {
    if (answer)
        answer(true);
}

void LoggedUserNotifications::add(const NotificationRequest& request) {
    qInfo("Notification %s (%s) : %s — %s", qUtf8Printable(request.identifier),
          qUtf8Printable(whenText(request.trigger)), qUtf8Printable(request.title),
          qUtf8Printable(request.body));
}

void LoggedUserNotifications::removePendingAndDelivered(const QStringList& identifiers) {
    qInfo("Notifications retirées : %s", qUtf8Printable(identifiers.join(QStringLiteral(", "))));
}

} // namespace velmora
