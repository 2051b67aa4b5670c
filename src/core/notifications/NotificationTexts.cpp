#include "core/notifications/NotificationTexts.h"

#include "core/documents/DocumentDeadlines.h"

using namespace Qt::StringLiterals;

namespace velmora {

QString notificationCentreHeader(qsizetype visibleCount) {
    return visibleCount == 0 ? u"Tout est à jour"_s
                             : u"Notifications ("_s + QString::number(visibleCount) + u')';
}

QString relativeDayText(const QDateTime& date, const QDateTime& now) {
    const qint64 days = daysBetween(now, date);
    if (days == 0)
        return u"aujourd'hui"_s;
    if (days == 1)
        return u"demain"_s;
    if (days == -1)
        return u"hier"_s;
    return days > 0 ? u"dans "_s + QString::number(days) + u" j"_s
                    : u"il y a "_s + QString::number(-days) + u" j"_s;
}

QString notificationSeverityTitle(NotificationSeverity severity) {
    switch (severity) {
    case NotificationSeverity::critical:
        return u"Urgent"_s;
    case NotificationSeverity::warning:
        return u"À surveiller"_s;
    case NotificationSeverity::info:
        break;
    }
    return u"Pour information"_s;
}

QString systemNotificationsUnavailableText() {
    return u"Aucun service de notifications ne répond sur cet ordinateur\u00A0: les alertes "
           u"restent dans cette fenêtre."_s;
}

QString notificationBellText(qsizetype visibleCount) {
    return visibleCount == 0 ? u"Notifications\u00A0: tout est à jour"_s
                             : notificationCentreHeader(visibleCount);
}

} // namespace velmora
