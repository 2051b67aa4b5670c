#pragma once

#include "core/model/AccountingRecords.h"

#include <QDateTime>
#include <QList>
#include <QUuid>

#include <optional>

namespace velmora {

class LocalZoneTable;

// The payment schedule of subscriptions. Every step, clamp and start of day
// is taken in the local time zone and keeps the local time of day across
// summer time; the moments returned are in UTC.

// The debit day in force on `date`'s day: the latest entry of the history
// applied on or before it, the record's debit day when none is, and none
// without a debit day at all.
std::optional<int> effectiveDebitDay(const RecurringPurchase& subscription, const QDateTime& date);

struct SubscriptionDebitDate {
    QDateTime date;
    bool exceptional = false; // an exceptional date replaced the month's debit

    friend bool operator==(const SubscriptionDebitDate&, const SubscriptionDebitDate&) = default;
};

// When the debit of the schedule date happens: the month's exceptional date
// if it has one, else the effective debit day clamped to the month's length,
// else the schedule date itself.
SubscriptionDebitDate subscriptionDebitDate(const RecurringPurchase& subscription,
                                            const QDateTime& scheduleDate);

// One step of the frequency by calendar arithmetic: 31 January + 1 month is
// the last day of February.
QDateTime advanceBySchedule(const QDateTime& date, RecurringFrequency frequency);

// The same debit always gets the same id: the subscription's first 8 bytes,
// then the debit's whole seconds since 1970 as a big-endian signed 64-bit.
QUuid subscriptionDebitId(const QUuid& subscriptionID, const QDateTime& debit);

// True when the pause covers the moment, both bounds included; a pause
// without an end never ends.
bool pauseCovers(const RecurringPausePeriod& pause, const QDateTime& moment);

// The computed history: every debit up to `now` (included) of every
// subscription, as expenses, sorted by date (equal dates keep the record
// order). Activity and end dates are not read: they act through pauses.
QList<AccountingPurchaseItem> subscriptionDebits(const QList<RecurringPurchase>& subscriptions,
                                                 const QDateTime& now);
// The debits of one subscription, in the order of its schedule.
QList<AccountingPurchaseItem> subscriptionDebits(const RecurringPurchase& subscription,
                                                 const QDateTime& now);

// Every debit of the schedule up to `until` (included), pauses left out,
// each flagged when an exceptional date moved it.
QList<SubscriptionDebitDate> subscriptionDebitDates(const RecurringPurchase& subscription,
                                                    const QDateTime& until);
// The same from `from` (included) on; the debits before it cost no time zone
// conversion, and those the table answers cost a lookup.
QList<SubscriptionDebitDate> subscriptionDebitDates(const RecurringPurchase& subscription,
                                                    const QDateTime& from, const QDateTime& until,
                                                    const LocalZoneTable* zone = nullptr);

// The first debit strictly after `now`, searched up to five years ahead.
std::optional<SubscriptionDebitDate> nextSubscriptionDebit(const RecurringPurchase& subscription,
                                                           const QDateTime& now);

// The next due date stored at each save: the first schedule date after now,
// stepping from the start date.
QDateTime subscriptionNextDueDate(const RecurringPurchase& subscription, const QDateTime& now);

// What the subscription costs per month ("/mois").
double monthlyEquivalent(const RecurringPurchase& subscription);

} // namespace velmora
