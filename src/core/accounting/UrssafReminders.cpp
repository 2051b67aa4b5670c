#include "core/accounting/UrssafReminders.h"

#include <algorithm>

namespace velmora {
namespace {

QString reminderIdentifier(int month) {
    return QStringLiteral("urssaf-declaration-reminder-month-%1").arg(month);
}

} // namespace

QStringList urssafReminderIdentifiers() {
    QStringList identifiers;
    for (int month = 1; month <= 12; ++month)
        identifiers << reminderIdentifier(month);
    return identifiers;
}

int urssafReminderDay(const URSSAFSettings& settings) {
    return int(std::clamp<qint64>(settings.declarationDayOfMonth, 1, 28));
}

QList<NotificationRequest> urssafReminderRequests(const URSSAFSettings& settings) {
    if (!settings.reminderEnabled)
        return {};
    const bool monthly = settings.declarationFrequency == URSSAFDeclarationFrequency::monthly;
    const int step = monthly ? 1 : 3;
    const int day = urssafReminderDay(settings);
    QList<NotificationRequest> requests;
    for (int month = 1; month <= 12; month += step) {
        requests.append({reminderIdentifier(month), QStringLiteral("📋 Rappel déclaration URSSAF"),
                         QStringLiteral("Pensez à déclarer votre chiffre d'affaires du "
                                        "mois/trimestre précédent avant la date limite."),
                         true, CalendarTrigger{month, day, 9, 0, true}});
    }
    return requests;
}

void replanUrssafReminders(const URSSAFSettings& settings, UserNotifications& notifications) {
    notifications.removePendingAndDelivered(urssafReminderIdentifiers());
    if (!settings.reminderEnabled)
        return;
    const QList<NotificationRequest> requests = urssafReminderRequests(settings);
    notifications.requestAuthorization([requests, &notifications](bool granted) {
        if (!granted)
            return;
        for (const NotificationRequest& request : requests)
            notifications.add(request);
    });
}

} // namespace velmora
