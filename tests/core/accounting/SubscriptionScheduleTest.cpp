// The computed history of subscriptions: clamping, debit-day history,
// exceptional dates, pauses, summer time; the next debit and the ids.

#include "core/accounting/SubscriptionSchedule.h"

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;
using namespace velmora;

namespace {

// A local Paris moment, at 10:00 unless told.
QDateTime local(int y, int m, int d, int hour = 10) {
    return QDateTime(QDate(y, m, d), QTime(hour, 0), Qt::LocalTime).toUTC();
}

RecurringPurchase subscription(const QDateTime& start, RecurringFrequency frequency,
                               std::optional<qint64> debitDay, double amount = 9.99) {
    RecurringPurchase s;
    s.id = QUuid(u"12345678-9abc-4def-8123-456789abcdef"_s);
    s.name = u"Hébergement"_s;
    s.amount = amount;
    s.frequency = frequency;
    s.startDate = start;
    s.debitDay = debitDay;
    return s;
}

RecurringPausePeriod pause(const QDateTime& start, std::optional<QDateTime> end) {
    RecurringPausePeriod p;
    p.id = QUuid::createUuid();
    p.startDate = start;
    p.endDate = end;
    return p;
}

QList<QDateTime> datesOf(const QList<AccountingPurchaseItem>& debits) {
    QList<QDateTime> dates;
    for (const AccountingPurchaseItem& debit : debits)
        dates.append(debit.purchaseDate);
    return dates;
}

constexpr auto monthly = RecurringFrequency::monthly;
constexpr auto quarterly = RecurringFrequency::quarterly;
constexpr auto yearly = RecurringFrequency::yearly;

struct HistoryCase {
    const char* name;
    RecurringPurchase subscription;
    QDateTime now;
    QList<QDateTime> debits;
};

RecurringPurchase with(RecurringPurchase s, const std::function<void(RecurringPurchase&)>& change) {
    change(s);
    return s;
}

TEST(SubscriptionDebits, Schedule) {
    const RecurringPurchase tenth = subscription(local(2025, 1, 10), monthly, 10);
    const HistoryCase cases[] = {
        {"debit day 31",
         subscription(local(2025, 1, 31), monthly, 31),
         local(2025, 4, 1),
         {local(2025, 1, 31), local(2025, 2, 28), local(2025, 3, 31)}},
        {"debit day 31, leap year",
         subscription(local(2024, 1, 31), monthly, 31),
         local(2024, 4, 1),
         {local(2024, 1, 31), local(2024, 2, 29), local(2024, 3, 31)}},
        {"no debit day: the cursor keeps the clamped day",
         subscription(local(2025, 1, 31), monthly, std::nullopt),
         local(2025, 4, 30),
         {local(2025, 1, 31), local(2025, 2, 28), local(2025, 3, 28), local(2025, 4, 28)}},
        {"start moved on 10 June from 5 to 20 January",
         with(subscription(local(2025, 1, 20), monthly, 20),
              [](RecurringPurchase& s) {
                  s.debitDayHistory = {{local(2025, 1, 5), 5}, {local(2025, 6, 10, 15), 20}};
              }),
         local(2025, 7, 25),
         {local(2025, 1, 20), local(2025, 2, 5), local(2025, 3, 5), local(2025, 4, 5),
          local(2025, 5, 5), local(2025, 6, 20), local(2025, 7, 20)}},
        {"exceptional date of March in April",
         with(tenth,
              [](RecurringPurchase& s) {
                  s.exceptionalDates = {
                      {QUuid::createUuid(), local(2025, 3, 1, 0), local(2025, 4, 2, 9)}};
              }),
         local(2025, 4, 30),
         {local(2025, 1, 10), local(2025, 2, 10), local(2025, 4, 2, 9), local(2025, 4, 10)}},
        {"closed pause, both bounds included",
         with(tenth,
              [](RecurringPurchase& s) {
                  s.pausePeriods = {pause(local(2025, 2, 10), local(2025, 3, 10))};
              }),
         local(2025, 4, 30),
         {local(2025, 1, 10), local(2025, 4, 10)}},
        {"open pause",
         with(tenth,
              [](RecurringPurchase& s) {
                  s.pausePeriods = {pause(local(2025, 2, 15), std::nullopt)};
              }),
         local(2025, 4, 30),
         {local(2025, 1, 10), local(2025, 2, 10)}},
        {"amount 0", subscription(local(2025, 1, 10), monthly, 10, 0), local(2025, 4, 30), {}},
        {"end date and inactivity are not read",
         with(tenth,
              [](RecurringPurchase& s) {
                  s.isActive = false;
                  s.endDate = local(2025, 1, 20);
              }),
         local(2025, 2, 10),
         {local(2025, 1, 10), local(2025, 2, 10)}},
        {"quarterly without debit day",
         subscription(local(2025, 1, 31), quarterly, std::nullopt),
         local(2025, 12, 31),
         {local(2025, 1, 31), local(2025, 4, 30), local(2025, 7, 30), local(2025, 10, 30)}},
        {"quarterly with debit day 31",
         subscription(local(2025, 1, 31), quarterly, 31),
         local(2025, 12, 31),
         {local(2025, 1, 31), local(2025, 4, 30), local(2025, 7, 31), local(2025, 10, 31)}},
        {"yearly from 29 February",
         subscription(local(2024, 2, 29), yearly, 29),
         local(2028, 3, 1),
         {local(2024, 2, 29), local(2025, 2, 28), local(2026, 2, 28), local(2027, 2, 28),
          local(2028, 2, 29)}},
        {"summer time keeps 10:00 local",
         subscription(local(2025, 3, 15), monthly, 15),
         local(2025, 4, 15),
         {local(2025, 3, 15), QDateTime(QDate(2025, 4, 15), QTime(8, 0), Qt::UTC)}},
        {"not yet started", subscription(local(2025, 3, 15), monthly, 15), local(2025, 3, 14), {}},
    };
    for (const HistoryCase& c : cases)
        EXPECT_EQ(datesOf(subscriptionDebits(c.subscription, c.now)), c.debits) << c.name;
}

TEST(SubscriptionDebits, EntriesAndTheirIds) {
    EXPECT_EQ(subscriptionDebitId(QUuid(u"12345678-9ABC-4DEF-8123-456789ABCDEF"_s),
                                  QDateTime(QDate(2025, 3, 15), QTime(10, 0), Qt::UTC)),
              QUuid(u"12345678-9ABC-4DEF-0000-000067D54FA0"_s));
    EXPECT_EQ(subscriptionDebitId(QUuid(u"12345678-9ABC-4DEF-8123-456789ABCDEF"_s),
                                  QDateTime::fromMSecsSinceEpoch(-1500, Qt::UTC)),
              QUuid(u"12345678-9ABC-4DEF-FFFF-FFFFFFFFFFFF"_s));

    const RecurringPurchase hosting = subscription(local(2025, 1, 20), monthly, 20);
    RecurringPurchase domain = subscription(local(2025, 2, 1), yearly, 1, 12);
    domain.id = QUuid::createUuid();
    const QList<AccountingPurchaseItem> debits =
        subscriptionDebits(QList{hosting, domain}, local(2025, 2, 20));
    EXPECT_EQ(datesOf(debits), (QList{local(2025, 1, 20), local(2025, 2, 1), local(2025, 2, 20)}));
    AccountingPurchaseItem expected;
    expected.id = subscriptionDebitId(domain.id, local(2025, 2, 1));
    expected.customProductName = domain.name;
    expected.priceTTC = 12;
    expected.purchaseDate = local(2025, 2, 1);
    expected.isRecurringEntry = true;
    expected.recurringPurchaseID = domain.id;
    EXPECT_EQ(debits[1], expected);
}

TEST(SubscriptionDebits, NextDebitAndDueDate) {
    RecurringPurchase s = subscription(local(2025, 1, 31), monthly, std::nullopt);
    EXPECT_EQ(nextSubscriptionDebit(s, local(2025, 3, 10)),
              (SubscriptionDebitDate{local(2025, 3, 28), false}));
    // A debit exactly now is past.
    EXPECT_EQ(nextSubscriptionDebit(s, local(2025, 3, 28))->date, local(2025, 4, 28));
    EXPECT_EQ(subscriptionNextDueDate(s, local(2025, 3, 10)), local(2025, 3, 28));
    s.exceptionalDates = {{QUuid::createUuid(), local(2025, 3, 1, 0), local(2025, 3, 5)}};
    EXPECT_EQ(nextSubscriptionDebit(s, local(2025, 3, 1)),
              (SubscriptionDebitDate{local(2025, 3, 5), true}));

    // Five years ahead at most.
    s = subscription(local(2030, 3, 10), yearly, 10);
    EXPECT_EQ(nextSubscriptionDebit(s, local(2025, 3, 10))->date, local(2030, 3, 10));
    EXPECT_EQ(nextSubscriptionDebit(s, local(2025, 3, 9)), std::nullopt);
}

TEST(SubscriptionDebits, MonthlyEquivalent) {
    const std::pair<RecurringFrequency, double> cases[] = {
        {monthly, 36}, {quarterly, 12}, {yearly, 3}};
    for (const auto& [frequency, perMonth] : cases)
        EXPECT_EQ(monthlyEquivalent(subscription(local(2025, 1, 1), frequency, 1, 36)), perMonth);
}

} // namespace
