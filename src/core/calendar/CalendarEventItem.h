#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QUuid>

#include <array>
#include <optional>

namespace velmora {

enum class CalendarEventCategory {
    invoiceDue,
    quoteExpiry,
    recurringPayment,
    urssaf,
    projectStart,
    projectEvent,
    projectEnd,
    encaissement,
    accountingPurchase,
};

inline constexpr std::array kCalendarEventCategories = {
    CalendarEventCategory::invoiceDue,         CalendarEventCategory::quoteExpiry,
    CalendarEventCategory::recurringPayment,   CalendarEventCategory::urssaf,
    CalendarEventCategory::projectStart,       CalendarEventCategory::projectEvent,
    CalendarEventCategory::projectEnd,         CalendarEventCategory::encaissement,
    CalendarEventCategory::accountingPurchase,
};

// The raw value doubles as the category's filter identifier in the
// preferences, so it never changes even where the label did.
QString calendarCategoryRawValue(CalendarEventCategory category);
QString calendarCategoryLabel(CalendarEventCategory category);
QString calendarCategoryColor(CalendarEventCategory category);

// One dated entry of the calendar, derived from the session each time the
// list is built; never stored.
struct CalendarEventItem {
    QUuid id;
    QDateTime date;
    QString title;
    QString subtitle;
    std::optional<double> amount;
    CalendarEventCategory category = CalendarEventCategory::projectEvent;
    QString linkedMenuKey;
    std::optional<QString> customTagHex;
    std::optional<QUuid> customEventID;
    QString location;
    bool isAllDay = false;
    QString durationString;
    std::optional<QUuid> recurringPurchaseID;
    std::optional<QUuid> linkedProjectID;
    std::optional<QUuid> linkedDocumentID;
    std::optional<QUuid> linkedURSSAFDeclarationID;
    QList<CalendarEventItem> subEvents;
    // Beyond the fields above: the purchase a purchase item comes from, so
    // that following it opens the expense.
    std::optional<QUuid> linkedPurchaseID;
};

} // namespace velmora
