// The URSSAF rules that need no session: the contribution formula and its
// rounding, the periods, the reminders.

#include "core/accounting/UrssafContributions.h"
#include "core/accounting/UrssafPeriod.h"
#include "core/accounting/UrssafReminders.h"
#include "support/FakeUserNotifications.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace velmora;
using namespace velmora::test;

namespace {

TEST(UrssafContributions, FormulaRoundingAndTotalText) {
    const struct {
        UrssafTurnover ca;
        bool vl;
        UrssafAmounts exact;
        UrssafAmounts rounded;
        QString total;
    } rows[] = {
        {{1000, 0, 0, 0}, false, {123, 2, 0}, {123, 2, 0}, u"≈ 125,00\u00a0€"_s},
        {{1000, 0, 0, 0}, true, {123, 2, 10}, {123, 2, 10}, u"≈ 135,00\u00a0€"_s},
        {{0, 0, 1001, 0}, false, {220.22, 2.002, 0}, {220, 2, 0}, u"≈ 222,00\u00a0€"_s},
        // Letting bears the CFP only; BNC takes its own VL rate.
        {{0, 1000, 1000, 10000}, true, {432, 24, 32}, {432, 24, 32}, u"≈ 488,00\u00a0€"_s},
    };
    for (const auto& row : rows) {
        URSSAFSettings settings;
        settings.versementLiberatoire = row.vl;
        const UrssafAmounts exact = urssafContributions(row.ca, settings);
        EXPECT_NEAR(exact.cotisation, row.exact.cotisation, 1e-4);
        EXPECT_NEAR(exact.cfp, row.exact.cfp, 1e-4);
        EXPECT_NEAR(exact.versementLiberatoire, row.exact.versementLiberatoire, 1e-9);
        EXPECT_EQ(roundedToEuros(exact), row.rounded);
        EXPECT_EQ(urssafTotalText(roundedToEuros(exact)), row.total);
    }
    EXPECT_EQ(roundedToEuros(2.5), 3);
    EXPECT_EQ(roundedToEuros(-2.5), -3);
    EXPECT_EQ(roundedToEuros(0.49), 0);
}

TEST(UrssafPeriod, PreviousPeriodOfToday) {
    using F = URSSAFDeclarationFrequency;
    const struct {
        QDate today;
        F frequency;
        UrssafPeriod previous;
    } rows[] = {
        {QDate(2026, 1, 15), F::trimestrial, {2025, 4, F::trimestrial}},
        {QDate(2026, 1, 15), F::monthly, {2025, 12, F::monthly}},
        {QDate(2026, 4, 1), F::trimestrial, {2026, 1, F::trimestrial}},
        {QDate(2026, 12, 31), F::trimestrial, {2026, 3, F::trimestrial}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(previousUrssafPeriod(row.today, row.frequency), row.previous)
            << row.today.toString(Qt::ISODate).toStdString();
    EXPECT_EQ(urssafPeriodMonths(4, F::trimestrial), (QList<int>{10, 11, 12}));
    EXPECT_EQ(urssafPeriodMonths(7, F::monthly), (QList<int>{7}));
    EXPECT_EQ(urssafPeriodText({2025, 1, F::trimestrial}), u"1er trimestre 2025"_s);
    EXPECT_EQ(urssafPeriodText({2025, 4, F::trimestrial}), u"4e trimestre 2025"_s);
    EXPECT_EQ(urssafPeriodText({2025, 8, F::monthly}), u"Août 2025"_s);
}

// Every reminder there can be goes first; only those of the settings come
// back, once allowed, on a day every month has.
TEST(UrssafReminders, ReplanRemovesAllThenAddsOnlyWhenAllowed) {
    using F = URSSAFDeclarationFrequency;
    const struct {
        bool enabled, granted;
        F frequency;
        qint64 day;
        QList<int> months;
        int scheduledDay;
    } rows[] = {
        {true, true, F::trimestrial, 31, {1, 4, 7, 10}, 28},
        {true, true, F::monthly, 15, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 15},
        {true, false, F::monthly, 15, {}, 0},
        {false, true, F::monthly, 15, {}, 0},
    };
    for (const auto& row : rows) {
        FakeUserNotifications centre;
        centre.granted = row.granted;
        centre.add({u"urssaf-declaration-reminder-month-2"_s, {}, {}, true, DelayTrigger{}});
        URSSAFSettings settings;
        settings.reminderEnabled = row.enabled;
        settings.declarationFrequency = row.frequency;
        settings.declarationDayOfMonth = row.day;
        replanUrssafReminders(settings, centre);
        EXPECT_EQ(centre.removed.size(), 12);
        EXPECT_EQ(centre.removed.last(), u"urssaf-declaration-reminder-month-12"_s);
        EXPECT_EQ(centre.authorizationRequests, row.enabled ? 1 : 0);
        QList<NotificationRequest> expected;
        for (const int month : row.months) {
            expected.append({u"urssaf-declaration-reminder-month-%1"_s.arg(month),
                             u"📋 Rappel déclaration URSSAF"_s,
                             u"Pensez à déclarer votre chiffre d'affaires du mois/trimestre "
                             "précédent avant la date limite."_s,
                             true, CalendarTrigger{month, row.scheduledDay, 9, 0, true}});
        }
        EXPECT_EQ(centre.pending, expected);
    }
}

} // namespace
