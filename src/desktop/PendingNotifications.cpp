#include "desktop/PendingNotifications.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimeZone>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace velmora {
namespace {

// A 29 February can be eight years away (2096, then 2104).
constexpr int longestWaitInDays = 8 * 366 + 1;

bool canMatch(const CalendarTrigger& trigger) {
    if (trigger.hour < 0 || trigger.hour > 23 || trigger.minute < 0 || trigger.minute > 59)
        return false;
    if (trigger.month && (*trigger.month < 1 || *trigger.month > 12))
        return false;
    if (trigger.day && (*trigger.day < 1 || *trigger.day > 31))
        return false;
    // 2024 is a leap year: a 29 February can match.
    return !(trigger.month && trigger.day &&
             *trigger.day > QDate(2024, *trigger.month, 1).daysInMonth());
}

// A time the clock skips when summer time begins is read, as the C library's
// mktime reads it, with the offset from before the change: 02:30 comes at
// 03:30. A time the clock passes twice is taken as Qt gives it, once.
QDateTime localInstant(QDate date, QTime time) {
    const QDateTime instant(date, time, Qt::LocalTime);
    if (instant.isValid())
        return instant;
    const int offsetBefore = QDateTime(date.addDays(-1), time, Qt::LocalTime).offsetFromUtc();
    return QDateTime(date, time, QTimeZone(offsetBefore));
}

bool isInteger(const QJsonValue& value) {
    return value.isDouble() && value.toDouble() == double(value.toInt());
}

// Absent reads as no value; anything else must be an integer.
bool readComponent(const QJsonObject& object, QLatin1StringView key, std::optional<int>& out) {
    const QJsonValue value = object.value(key);
    if (value.isUndefined())
        return true;
    if (!isInteger(value))
        return false;
    out = value.toInt();
    return true;
}

std::optional<PendingNotifications::Entry> entryFrom(const QJsonObject& object) {
    const QJsonValue identifier = object.value("identifier"_L1);
    const QJsonValue title = object.value("title"_L1);
    const QJsonValue body = object.value("body"_L1);
    const QJsonValue defaultSound = object.value("defaultSound"_L1);
    const QJsonValue critical = object.value("critical"_L1);
    const QJsonValue hour = object.value("hour"_L1);
    const QJsonValue minute = object.value("minute"_L1);
    const QJsonValue repeats = object.value("repeats"_L1);
    CalendarTrigger trigger;
    if (!identifier.isString() || !title.isString() || !body.isString() || !defaultSound.isBool() ||
        !critical.isBool() || !isInteger(hour) || !isInteger(minute) || !repeats.isBool() ||
        !readComponent(object, "month"_L1, trigger.month) ||
        !readComponent(object, "day"_L1, trigger.day))
        return std::nullopt;
    const QDateTime due =
        QDateTime::fromString(object.value("due"_L1).toString(), Qt::ISODateWithMs);
    if (!due.isValid())
        return std::nullopt;
    trigger.hour = hour.toInt();
    trigger.minute = minute.toInt();
    trigger.repeats = repeats.toBool();
    return PendingNotifications::Entry{{identifier.toString(), title.toString(), body.toString(),
                                        defaultSound.toBool(), trigger, critical.toBool()},
                                       due};
}

QJsonObject objectFrom(const PendingNotifications::Entry& entry) {
    const NotificationRequest& request = entry.request;
    const auto& trigger = std::get<CalendarTrigger>(request.trigger);
    QJsonObject object{{"identifier"_L1, request.identifier},
                       {"title"_L1, request.title},
                       {"body"_L1, request.body},
                       {"defaultSound"_L1, request.defaultSound},
                       {"critical"_L1, request.critical},
                       {"hour"_L1, trigger.hour},
                       {"minute"_L1, trigger.minute},
                       {"repeats"_L1, trigger.repeats},
                       {"due"_L1, entry.due.toUTC().toString(Qt::ISODateWithMs)}};
    if (trigger.month)
        object.insert("month"_L1, *trigger.month);
    if (trigger.day)
        object.insert("day"_L1, *trigger.day);
    return object;
}

} // namespace

std::optional<QDateTime> PendingNotifications::nextMatch(const CalendarTrigger& trigger,
                                                         const QDateTime& after) {
    if (!canMatch(trigger))
        return std::nullopt;
    const QTime time(trigger.hour, trigger.minute);
    const QDate first = after.toLocalTime().date();
    for (int days = 0; days <= longestWaitInDays; ++days) {
        const QDate date = first.addDays(days);
        // A day the month lacks (a 31 in April) is no match in that month:
        // the month is skipped, not given its last day instead.
        if ((trigger.month && date.month() != *trigger.month) ||
            (trigger.day && date.day() != *trigger.day))
            continue;
        if (const QDateTime instant = localInstant(date, time); instant > after)
            return instant.toUTC();
    }
    return std::nullopt;
}

void PendingNotifications::add(const NotificationRequest& request, const QDateTime& now) {
    remove({request.identifier});
    const auto* trigger = std::get_if<CalendarTrigger>(&request.trigger);
    if (!trigger)
        return;
    if (const std::optional<QDateTime> due = nextMatch(*trigger, now))
        m_entries.append({request, *due});
}

bool PendingNotifications::retry(const NotificationRequest& request, const QDateTime& at) {
    if (std::ranges::any_of(m_entries, [&](const Entry& entry) {
            return entry.request.identifier == request.identifier;
        }))
        return false;
    m_entries.append({request, at.toUTC()});
    return true;
}

bool PendingNotifications::remove(const QStringList& identifiers) {
    return m_entries.removeIf([&](const Entry& entry) {
        return identifiers.contains(entry.request.identifier);
    }) > 0;
}

QList<NotificationRequest> PendingNotifications::takeDue(const QDateTime& now) {
    QList<NotificationRequest> due;
    for (auto it = m_entries.begin(); it != m_entries.end();) {
        if (it->due > now) {
            ++it;
            continue;
        }
        due.append(it->request);
        const auto& trigger = std::get<CalendarTrigger>(it->request.trigger);
        const std::optional<QDateTime> next =
            trigger.repeats ? nextMatch(trigger, now) : std::nullopt;
        if (next) {
            it->due = *next;
            ++it;
        } else {
            it = m_entries.erase(it);
        }
    }
    return due;
}

std::optional<QDateTime> PendingNotifications::nextDue() const {
    if (m_entries.isEmpty())
        return std::nullopt;
    return std::min_element(m_entries.begin(), m_entries.end(),
                            [](const Entry& a, const Entry& b) { return a.due < b.due; })
        ->due;
}

QByteArray PendingNotifications::encode() const {
    QJsonArray requests;
    for (const Entry& entry : m_entries)
        requests.append(objectFrom(entry));
    return QJsonDocument(QJsonObject{{"requests"_L1, requests}}).toJson();
}

PendingNotifications PendingNotifications::decode(const QByteArray& bytes) {
    PendingNotifications pending;
    const QJsonArray requests =
        QJsonDocument::fromJson(bytes).object().value("requests"_L1).toArray();
    for (const QJsonValue& value : requests) {
        if (std::optional<Entry> entry = entryFrom(value.toObject())) {
            pending.remove({entry->request.identifier});
            pending.m_entries.append(std::move(*entry));
        }
    }
    return pending;
}

} // namespace velmora
