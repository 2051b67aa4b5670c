#include "core/accounting/SubscriptionSchedule.h"

#include "core/calendar/LocalZoneTable.h"

#include <QtEndian>

#include <algorithm>

namespace velmora {
namespace {

QDate stepped(QDate day, RecurringFrequency frequency) {
    switch (frequency) {
    case RecurringFrequency::monthly:
        return day.addMonths(1);
    case RecurringFrequency::quarterly:
        return day.addMonths(3);
    case RecurringFrequency::yearly:
        return day.addYears(1);
    }
    return day.addMonths(1);
}

// A local wall-clock time; one that summer time skips is taken an hour later,
// as the clock shows it that day.
QDateTime localWallTime(QDate day, QTime time) {
    QDateTime moment(day, time, Qt::LocalTime);
    if (!moment.isValid() && day.isValid())
        moment = QDateTime(day, time.addSecs(3600), Qt::LocalTime);
    return moment;
}

QDateTime localMoment(QDate day, QTime time) {
    return localWallTime(day, time).toUTC();
}

int monthKey(QDate day) {
    return day.year() * 12 + day.month();
}

// The subscription's rules read once, in local days, so that stepping
// through years of schedule costs no more than date arithmetic.
class Schedule {
public:
    explicit Schedule(const RecurringPurchase& subscription) {
        const QDateTime start = subscription.startDate.toLocalTime();
        startDay = start.date();
        startTime = start.time();
        if (subscription.debitDay)
            m_debitDay = int(std::clamp<qint64>(*subscription.debitDay, 1, 31));
        for (const DebitDayEntry& entry : subscription.debitDayHistory)
            m_history.append({entry.appliedFrom.toLocalTime().date(), entry.appliedFrom,
                              int(std::clamp<qint64>(entry.day, 1, 31))});
        for (const ExceptionalPaymentDate& exceptional : subscription.exceptionalDates)
            m_exceptional.append(
                {monthKey(exceptional.periodStart.toLocalTime().date()), &exceptional});
    }

    bool valid() const { return startDay.isValid(); }

    std::optional<int> dayOn(QDate day) const {
        if (!m_debitDay)
            return std::nullopt;
        const HistoryEntry* latest = nullptr;
        for (const HistoryEntry& entry : m_history) {
            if (entry.day <= day && (!latest || entry.appliedFrom >= latest->appliedFrom))
                latest = &entry;
        }
        return latest ? latest->debitDay : *m_debitDay;
    }

    const ExceptionalPaymentDate* exceptionalOf(QDate day) const {
        const int key = monthKey(day);
        for (const auto& [month, exceptional] : m_exceptional) {
            if (month == key)
                return exceptional;
        }
        return nullptr;
    }

    // The local day of the schedule day's debit when no exceptional date
    // replaces it.
    QDate debitDayOf(QDate day) const {
        const std::optional<int> debitDay = dayOn(day);
        if (!debitDay)
            return day;
        const int length = day.daysInMonth() > 0 ? day.daysInMonth() : 28;
        return QDate(day.year(), day.month(), std::min(*debitDay, length));
    }

    SubscriptionDebitDate debitOf(QDate day, QTime time) const {
        if (const ExceptionalPaymentDate* exceptional = exceptionalOf(day))
            return {exceptional->replacementDate.toUTC(), true};
        return {localMoment(debitDayOf(day), time), false};
    }

    QDate startDay;
    QTime startTime;

private:
    std::optional<int> m_debitDay;
    struct HistoryEntry {
        QDate day; // appliedFrom's local day, which is what counts
        QDateTime appliedFrom;
        int debitDay = 1;
    };
    QList<HistoryEntry> m_history;
    QList<std::pair<int, const ExceptionalPaymentDate*>> m_exceptional;
};

bool paused(const RecurringPurchase& subscription, const QDateTime& moment) {
    return std::any_of(
        subscription.pausePeriods.cbegin(), subscription.pausePeriods.cend(),
        [&](const RecurringPausePeriod& pause) { return pauseCovers(pause, moment); });
}

AccountingPurchaseItem debitEntry(const RecurringPurchase& subscription, const QDateTime& debit) {
    AccountingPurchaseItem entry;
    entry.id = subscriptionDebitId(subscription.id, debit);
    entry.customProductName = subscription.name;
    entry.priceTTC = subscription.amount;
    entry.purchaseDate = debit;
    entry.isRecurringEntry = true;
    entry.recurringPurchaseID = subscription.id;
    return entry;
}

void appendDebits(const RecurringPurchase& subscription, const QDateTime& now,
                  QList<AccountingPurchaseItem>& out) {
    // Not `amount <= 0`: a NaN amount produces nothing either.
    if (!(subscription.amount > 0))
        return;
    for (const SubscriptionDebitDate& debit : subscriptionDebitDates(subscription, now))
        out.append(debitEntry(subscription, debit.date));
}

} // namespace

std::optional<int> effectiveDebitDay(const RecurringPurchase& subscription, const QDateTime& date) {
    return Schedule(subscription).dayOn(date.toLocalTime().date());
}

SubscriptionDebitDate subscriptionDebitDate(const RecurringPurchase& subscription,
                                            const QDateTime& scheduleDate) {
    const QDateTime local = scheduleDate.toLocalTime();
    return Schedule(subscription).debitOf(local.date(), local.time());
}

QDateTime advanceBySchedule(const QDateTime& date, RecurringFrequency frequency) {
    const QDateTime local = date.toLocalTime();
    return localMoment(stepped(local.date(), frequency), local.time());
}

QUuid subscriptionDebitId(const QUuid& subscriptionID, const QDateTime& debit) {
    QByteArray bytes = subscriptionID.toRfc4122().left(8);
    // Integer division truncates toward zero, before 1970 too.
    const qint64 seconds = debit.toMSecsSinceEpoch() / 1000;
    char big[8];
    qToBigEndian(seconds, big);
    bytes.append(big, 8);
    return QUuid::fromRfc4122(bytes);
}

bool pauseCovers(const RecurringPausePeriod& pause, const QDateTime& moment) {
    return moment >= pause.startDate && (!pause.endDate || moment <= *pause.endDate);
}

QList<AccountingPurchaseItem> subscriptionDebits(const QList<RecurringPurchase>& subscriptions,
                                                 const QDateTime& now) {
    QList<AccountingPurchaseItem> debits;
    for (const RecurringPurchase& subscription : subscriptions)
        appendDebits(subscription, now, debits);
    std::stable_sort(debits.begin(), debits.end(),
                     [](const AccountingPurchaseItem& a, const AccountingPurchaseItem& b) {
                         return a.purchaseDate < b.purchaseDate;
                     });
    return debits;
}

QList<AccountingPurchaseItem> subscriptionDebits(const RecurringPurchase& subscription,
                                                 const QDateTime& now) {
    QList<AccountingPurchaseItem> debits;
    appendDebits(subscription, now, debits);
    return debits;
}

QList<SubscriptionDebitDate> subscriptionDebitDates(const RecurringPurchase& subscription,
                                                    const QDateTime& until) {
    return subscriptionDebitDates(subscription, QDateTime(), until);
}

QList<SubscriptionDebitDate> subscriptionDebitDates(const RecurringPurchase& subscription,
                                                    const QDateTime& from, const QDateTime& until,
                                                    const LocalZoneTable* zone) {
    QList<SubscriptionDebitDate> debits;
    const Schedule schedule(subscription);
    if (!schedule.valid() || !until.isValid())
        return debits;
    const QDateTime& start = subscription.startDate;
    // A local day three days or more from a bound lies on its side whatever
    // the offsets, so those days need no conversion to UTC to be placed.
    const QDate lastDayBeforeUntil = until.toLocalTime().date().addDays(-3);
    const QDate lastDayBeforeFrom = from.toLocalTime().date().addDays(-3);
    QDate day = schedule.startDay;
    for (bool first = true;; first = false, day = stepped(day, subscription.frequency)) {
        // The table answers only for valid times clear of any change.
        std::optional<QDateTime> cursor = zone ? zone->utc(day, schedule.startTime) : std::nullopt;
        QDateTime wallTime;
        if (!cursor) {
            wallTime = localWallTime(day, schedule.startTime);
            if (!wallTime.isValid())
                break;
        }
        const auto cursorMoment = [&] {
            if (!cursor)
                cursor = wallTime.toUTC();
            return *cursor;
        };
        if (day > lastDayBeforeUntil && cursorMoment() > until)
            break;
        SubscriptionDebitDate debit;
        if (const ExceptionalPaymentDate* exceptional = schedule.exceptionalOf(day)) {
            debit = {exceptional->replacementDate.toUTC(), true};
        } else {
            const QDate debitDay = schedule.debitDayOf(day);
            // The first debit may be moved to the start date, so it is always placed.
            if (!first && from.isValid() && debitDay <= lastDayBeforeFrom)
                continue;
            std::optional<QDateTime> moment;
            if (debitDay != day && zone)
                moment = zone->utc(debitDay, schedule.startTime);
            debit.date = debitDay == day ? cursorMoment()
                         : moment        ? *moment
                                         : localMoment(debitDay, schedule.startTime);
        }
        if (first && debit.date < start)
            debit.date = start.toUTC();
        if (debit.date >= start && debit.date <= until && (!from.isValid() || debit.date >= from) &&
            !paused(subscription, debit.date))
            debits.append(debit);
    }
    return debits;
}

std::optional<SubscriptionDebitDate> nextSubscriptionDebit(const RecurringPurchase& subscription,
                                                           const QDateTime& now) {
    const Schedule schedule(subscription);
    if (!schedule.valid() || !now.isValid())
        return std::nullopt;
    const QDateTime localNow = now.toLocalTime();
    const QDateTime limit = localMoment(localNow.date().addYears(5), localNow.time());
    for (QDate day = schedule.startDay;; day = stepped(day, subscription.frequency)) {
        const QDateTime cursor = localMoment(day, schedule.startTime);
        if (!cursor.isValid() || cursor > limit)
            return std::nullopt;
        const SubscriptionDebitDate debit = schedule.debitOf(day, schedule.startTime);
        if (debit.date > now)
            return debit;
    }
}

QDateTime subscriptionNextDueDate(const RecurringPurchase& subscription, const QDateTime& now) {
    const QDateTime local = subscription.startDate.toLocalTime();
    if (!local.isValid() || !now.isValid())
        return subscription.startDate;
    QDate day = local.date();
    QDateTime due = subscription.startDate.toUTC();
    while (due.isValid() && due <= now) {
        day = stepped(day, subscription.frequency);
        due = localMoment(day, local.time());
    }
    return due;
}

double monthlyEquivalent(const RecurringPurchase& subscription) {
    switch (subscription.frequency) {
    case RecurringFrequency::monthly:
        return subscription.amount;
    case RecurringFrequency::quarterly:
        return subscription.amount / 3;
    case RecurringFrequency::yearly:
        return subscription.amount / 12;
    }
    return subscription.amount;
}

} // namespace velmora
