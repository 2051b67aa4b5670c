#pragma once

#include "core/model/RawNames.h"

#include <QDateTime>
#include <QString>
#include <QUuid>

#include <optional>

namespace velmora {

// The rule that produced a notification, in the order the rules run.
enum class NotificationKind {
    invoiceLate,
    invoiceDueSoon,
    quoteExpired,
    quoteExpiringSoon,
    acompteDecisionNeeded,
    urssafToPay,
    recurringDueSoon,
    stockOut,
    stockLow,
    calendarEventToday,
    projectEndingSoon,
};
VELMORA_RAW(NotificationKind, "invoiceLate", "invoiceDueSoon", "quoteExpired", "quoteExpiringSoon",
            "acompteDecisionNeeded", "urssafToPay", "recurringDueSoon", "stockOut", "stockLow",
            "calendarEventToday", "projectEndingSoon");

// Higher is more urgent.
enum class NotificationSeverity { info, warning, critical };
VELMORA_RAW(NotificationSeverity, "info", "warning", "critical");

enum class NotificationActionKind {
    openDocument,
    openProject,
    openStockItem,
    goToAccounting,
    goToCalendar,
    none,
};
VELMORA_RAW(NotificationActionKind, "openDocument", "openProject", "openStockItem",
            "goToAccounting", "goToCalendar", "none");

// Where a click on a notification leads: the record to open for the first
// three kinds, a section for the others.
struct NotificationAction {
    NotificationActionKind kind = NotificationActionKind::none;
    std::optional<QUuid> recordID;

    friend bool operator==(const NotificationAction&, const NotificationAction&) = default;
};

// One entry of the notification centre, derived from the session each time
// the centre is evaluated; only the user's reaction to its id is stored.
struct NotificationItem {
    QString id;
    NotificationKind kind = NotificationKind::invoiceLate;
    NotificationSeverity severity = NotificationSeverity::info;
    QString title;
    QString message;
    std::optional<QDateTime> date;
    QString systemIcon;
    NotificationAction action;

    friend bool operator==(const NotificationItem&, const NotificationItem&) = default;
};

} // namespace velmora
