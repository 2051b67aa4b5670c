#include "core/calendar/CalendarSyncMapping.h"

#include "core/calendar/CalendarFilters.h"
#include "core/calendar/CalendarSyncRules.h"
#include "core/text/MoneyFormat.h"

#include <QHash>
#include <QSet>
#include <QUuid>

using namespace Qt::StringLiterals;

namespace velmora {
namespace {

QString idText(const std::optional<QUuid>& id) {
    return id ? id->toString(QUuid::WithoutBraces) : QString();
}

std::optional<RecurrenceFrequency> frequency(const std::optional<QString>& rule) {
    if (!rule)
        return std::nullopt;
    if (*rule == u"daily")
        return RecurrenceFrequency::daily;
    if (*rule == u"weekly")
        return RecurrenceFrequency::weekly;
    if (*rule == u"monthly")
        return RecurrenceFrequency::monthly;
    if (*rule == u"yearly")
        return RecurrenceFrequency::yearly;
    return std::nullopt;
}

void mapUserEvent(const CustomCalendarEvent& record, CalendarStoreEvent& out) {
    out.notes = record.notes;
    out.location = record.location;
    out.allDay = record.isAllDay;
    out.end = record.isAllDay ? out.start : out.start.addSecs(3600);
    if (record.alertMinutes)
        out.alarmOffsetSeconds = -*record.alertMinutes * 60;
    out.recurrence = frequency(record.recurrence);
}

void mapDerivedItem(const CalendarEventItem& item, CalendarStoreEvent& out) {
    out.notes = u"["_s + calendarCategoryRawValue(item.category) + u"] "_s + item.subtitle;
    if (item.amount)
        out.notes += u" — "_s + formatMoney(*item.amount);
    if (item.isAllDay || (item.location.isEmpty() && item.durationString.isEmpty())) {
        out.allDay = true;
        out.end = out.start;
        return;
    }
    out.location = item.location;
    out.end = out.start.addSecs(qint64(durationMinutes(item.durationString)) * 60);
}

} // namespace

QString calendarStoreUid(const CalendarEventItem& item) {
    // A fixed namespace keeps the uids the same across installations too.
    static const QUuid space(u"6f1d2c8e-4b7a-5e39-9c1f-2a8d7e5b4c30"_s);
    if (item.customEventID)
        return QUuid::createUuidV5(space, u"custom/"_s + idText(item.customEventID))
            .toString(QUuid::WithoutBraces);
    const QString key = QStringList{calendarCategoryRawValue(item.category),
                                    idText(item.linkedDocumentID),
                                    idText(item.linkedProjectID),
                                    idText(item.linkedURSSAFDeclarationID),
                                    idText(item.recurringPurchaseID),
                                    item.title,
                                    item.date.toUTC().toString(Qt::ISODate)}
                            .join(u'/');
    return QUuid::createUuidV5(space, key).toString(QUuid::WithoutBraces);
}

QList<CalendarStoreEvent> calendarStoreEvents(const QList<CalendarEventItem>& items,
                                              const AppDatabase& db, const QDateTime& now) {
    QHash<QUuid, const CustomCalendarEvent*> records;
    for (const CustomCalendarEvent& e : db.customCalendarEvents)
        records.insert(e.id, &e);
    const QDateTime oldest = oldestSyncedDate(now);
    const QList<CalendarEventItem> kept =
        filterCalendarEvents(items, db, db.preferences.calendarDisabledCategories);
    QSet<QString> written;
    QList<CalendarStoreEvent> out;
    for (const CalendarEventItem& item : kept) {
        if (item.date < oldest)
            continue;
        CalendarStoreEvent event;
        event.uid = calendarStoreUid(item);
        // The occurrences of a repeated user event share its uid: the first
        // one kept carries the rule for the others.
        if (written.contains(event.uid))
            continue;
        written.insert(event.uid);
        event.title = item.title;
        event.start = item.date;
        const CustomCalendarEvent* record =
            item.customEventID ? records.value(*item.customEventID) : nullptr;
        if (record)
            mapUserEvent(*record, event);
        else
            mapDerivedItem(item, event);
        out.append(event);
    }
    return out;
}

} // namespace velmora
