// The subscription form and actions: the checks in order, the debit-day
// history, ends reached, exceptional dates, the toggle and deletion.

#include "core/accounting/SubscriptionForm.h"
#include "core/accounting/SubscriptionActions.h"
#include "core/accounting/SubscriptionSchedule.h"
#include "core/store/SessionEdit.h"

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;
using namespace velmora;

namespace {

QDateTime local(int y, int m, int d, int hour = 10) {
    return QDateTime(QDate(y, m, d), QTime(hour, 0), Qt::LocalTime).toUTC();
}

RecurringPausePeriod pause(const QDateTime& start, std::optional<QDateTime> end) {
    RecurringPausePeriod p;
    p.id = QUuid::createUuid();
    p.startDate = start;
    p.endDate = end;
    return p;
}

SubscriptionForm filled(const QDateTime& start) {
    SubscriptionForm form(start);
    form.fields.name = u" Figma "_s;
    form.amount = u"12,5"_s;
    return form;
}

// Saves the form on its own edit of `session`: the edit, for its session.
SessionEdit saved(SubscriptionForm& form, const QDateTime& now, const AppDatabase& session = {}) {
    SessionEdit edit(session);
    const Result<> result = form.apply(edit, now);
    EXPECT_TRUE(result.ok()) << result.error().toStdString();
    edit.finishSaved();
    return edit;
}

TEST(SubscriptionForm, ChecksInOrder) {
    const QDateTime start = local(2025, 1, 5);
    struct Case {
        std::function<void(SubscriptionForm&)> change;
        QString message;
    };
    const Case cases[] = {
        {[](SubscriptionForm& f) { f.fields.name = u" \n "_s; },
         u"Le nom du service / abonnement est obligatoire."_s},
        {[&](SubscriptionForm& f) { f.fields.endDate = start; },
         u"La date de fin doit être après la date de début de l'abonnement."_s},
        {[&](SubscriptionForm& f) {
             f.fields.endDate = local(2025, 3, 1);
             ASSERT_TRUE(f.addExceptionalDate(local(2025, 2, 10)).ok());
             ASSERT_TRUE(f.addExceptionalDate(local(2025, 4, 2)).ok());
             f.fields.pausePeriods = {pause(local(2025, 2, 20), std::nullopt)};
         },
         u"La date de fin (1 mars 2025) doit être après toutes les dates de prélèvement "
         "exceptionnelles. La plus tardive est le 2 avr. 2025."_s},
        {[&](SubscriptionForm& f) {
             f.fields.endDate = local(2025, 3, 1);
             f.fields.pausePeriods = {pause(local(2025, 2, 1), local(2025, 2, 20)),
                                      pause(local(2025, 2, 25), std::nullopt)};
         },
         u"La date de fin est incluse dans une période de pause (25 févr. 2025 → en cours). "
         "Elle doit se situer avant ou après toute période de pause."_s},
        {[&](SubscriptionForm& f) {
             f.fields.endDate = local(2025, 3, 1);
             f.fields.pausePeriods = {pause(local(2025, 3, 1), local(2025, 4, 1))};
         },
         u""_s},
    };
    for (const Case& c : cases) {
        SubscriptionForm form = filled(start);
        c.change(form);
        EXPECT_EQ(form.validate(), c.message);
        SessionEdit edit{AppDatabase{}};
        if (!c.message.isEmpty()) {
            EXPECT_EQ(form.apply(edit, start).error(), c.message);
            EXPECT_FALSE(edit.touchedAny());
        }
    }
}

TEST(SubscriptionForm, NewThenStartMovedKeepsPastDebits) {
    SubscriptionForm form = filled(local(2025, 1, 5));
    form.fields.tagIDs = {QUuid::createUuid()}; // a tag deleted meanwhile
    SessionEdit created = saved(form, local(2025, 1, 5));
    ASSERT_EQ(created.session().recurringPurchases.size(), 1);
    const RecurringPurchase& first = created.session().recurringPurchases[0];
    EXPECT_EQ(first.name, u"Figma");
    EXPECT_EQ(first.amount, 12.5);
    EXPECT_EQ(first.debitDay, 5);
    EXPECT_EQ(first.debitDayHistory, (QList<DebitDayEntry>{{local(2025, 1, 5), 5}}));
    EXPECT_TRUE(first.isActive);
    EXPECT_TRUE(first.tagIDs.isEmpty());
    EXPECT_EQ(first.nextDueDate, local(2025, 2, 5));

    SubscriptionForm edit(first);
    EXPECT_EQ(edit.amount, u"12,5");
    EXPECT_EQ(edit.startDateConfirmation(), std::nullopt);
    edit.fields.startDate = local(2025, 1, 20);
    edit.fields.frequency = RecurringFrequency::quarterly;
    EXPECT_EQ(edit.startDateConfirmation()->message,
              u"À partir d'aujourd'hui, le prélèvement sera effectué le 20 de chaque trimestre. "
              "Les paiements passés resteront calculés avec l'ancien jour de prélèvement.");
    edit.fields.frequency = RecurringFrequency::monthly;
    const QDateTime june10 = local(2025, 6, 10, 15);
    SessionEdit moved = saved(edit, june10, created.session());
    ASSERT_EQ(moved.session().recurringPurchases.size(), 1);
    const RecurringPurchase& after = moved.session().recurringPurchases[0];
    EXPECT_EQ(after.debitDayHistory, (QList<DebitDayEntry>{{local(2025, 1, 5), 5}, {june10, 20}}));
    EXPECT_EQ(after.nextDueDate, local(2025, 6, 20));
    QList<QDateTime> dates;
    for (const AccountingPurchaseItem& debit : subscriptionDebits(after, local(2025, 7, 25)))
        dates.append(debit.purchaseDate);
    EXPECT_EQ(dates,
              (QList{local(2025, 1, 20), local(2025, 2, 5), local(2025, 3, 5), local(2025, 4, 5),
                     local(2025, 5, 5), local(2025, 6, 20), local(2025, 7, 20)}));

    // An older record without debit day gets its old start as history first.
    RecurringPurchase older = after;
    older.debitDay.reset();
    older.debitDayHistory.clear();
    SubscriptionForm again(older);
    EXPECT_EQ(again.written(june10).debitDayHistory, (QList<DebitDayEntry>{{june10, 20}}));
    older.debitDay = 5;
    EXPECT_EQ(SubscriptionForm(older).written(june10).debitDayHistory,
              (QList<DebitDayEntry>{{older.startDate, 5}, {june10, 20}}));
}

TEST(SubscriptionForm, EndDateReachedMakesItInactive) {
    SubscriptionForm form = filled(local(2025, 1, 5));
    form.amount = u"dix"_s;
    form.fields.endDate = local(2025, 3, 1);
    const RecurringPurchase ended = form.written(local(2025, 4, 1));
    EXPECT_EQ(ended.amount, 0);
    EXPECT_FALSE(ended.isActive);
    ASSERT_EQ(ended.pausePeriods.size(), 1);
    EXPECT_EQ(ended.pausePeriods[0].startDate, local(2025, 3, 1));
    EXPECT_EQ(ended.pausePeriods[0].endDate, std::nullopt);
    // A pause already starting that day is enough.
    form.fields.pausePeriods = {pause(local(2025, 3, 1, 18), std::nullopt)};
    EXPECT_EQ(form.written(local(2025, 4, 1)).pausePeriods, form.fields.pausePeriods);
    EXPECT_TRUE(form.written(local(2025, 2, 1)).isActive);
}

TEST(SubscriptionForm, ExceptionalDates) {
    SubscriptionForm form = filled(local(2025, 1, 5));
    form.fields.pausePeriods = {pause(local(2025, 5, 1), local(2025, 5, 31))};
    ASSERT_TRUE(form.addExceptionalDate(local(2025, 3, 31, 23)).ok());
    EXPECT_EQ(form.fields.exceptionalDates[0].periodStart, local(2025, 3, 1, 0));
    EXPECT_EQ(form.fields.exceptionalDates[0].replacementDate, local(2025, 3, 31, 23));
    EXPECT_EQ(form.addExceptionalDate(local(2025, 3, 2)).error(),
              u"Il existe déjà une date exceptionnelle pour mars 2025. Supprimez-la d'abord.");
    EXPECT_EQ(form.addExceptionalDate(local(2025, 5, 12)).error(),
              u"La date choisie est incluse dans une période de pause (1 mai 2025 → 31 mai "
              "2025). Choisissez une date hors des pauses.");
    form.removeExceptionalDate(form.fields.exceptionalDates[0].id);
    EXPECT_TRUE(form.fields.exceptionalDates.isEmpty());
    EXPECT_TRUE(form.addExceptionalDate(local(2025, 3, 2)).ok());
}

TEST(SubscriptionActions, ToggleSettleAndDelete) {
    AppDatabase session;
    RecurringPurchase s;
    s.id = QUuid::createUuid();
    s.name = u"Notion"_s;
    s.amount = 8;
    s.startDate = local(2025, 1, 5);
    session.recurringPurchases = {s};
    SessionEdit edit(session);

    EXPECT_EQ(subscriptionToggleText(true), u"Actif — cliquer pour désactiver");
    ASSERT_TRUE(toggleSubscriptionActive(edit, s.id, local(2025, 2, 1)).ok());
    RecurringPurchase& off = edit.recurringPurchases()[0];
    EXPECT_FALSE(off.isActive);
    EXPECT_EQ(off.endDate, local(2025, 2, 1));
    EXPECT_EQ(off.pausePeriods.size(), 1);
    // An end reached by deactivation leaves nothing to settle.
    EXPECT_EQ(settleEndedSubscriptions(edit, local(2025, 3, 1)).kind(), ResultKind::unchanged);
    ASSERT_TRUE(toggleSubscriptionActive(edit, s.id, local(2025, 3, 1)).ok());
    const RecurringPurchase& on = edit.session().recurringPurchases[0];
    EXPECT_TRUE(on.isActive);
    EXPECT_EQ(on.endDate, std::nullopt);
    EXPECT_EQ(on.pausePeriods[0].endDate, local(2025, 3, 1));
    // 5 February fell in the pause; 5 March is after it.
    EXPECT_EQ(subscriptionDebits(on, local(2025, 4, 1)).size(), 2);

    session.recurringPurchases[0].endDate = local(2025, 6, 1);
    session.recurringPurchases[0].name.clear();
    SessionEdit ending(session);
    const Result<> refused = toggleSubscriptionActive(ending, s.id, local(2025, 4, 1));
    EXPECT_EQ(refused.alert()->title, u"Désactivation impossible");
    EXPECT_EQ(refused.error(),
              u"«\u00a0cet abonnement\u00a0» a une date de fin définie : il se désactivera "
              "automatiquement à cette date. Pour désactiver manuellement, supprimez d'abord la "
              "date de fin dans le formulaire.");
    EXPECT_EQ(settleEndedSubscriptions(ending, local(2025, 5, 31)).kind(), ResultKind::unchanged);
    EXPECT_FALSE(ending.touchedAny());
    EXPECT_EQ(nextSubscriptionEnd(ending.session().recurringPurchases, local(2025, 5, 31)),
              local(2025, 6, 1));
    ASSERT_TRUE(settleEndedSubscriptions(ending, local(2025, 6, 1)).ok());
    EXPECT_FALSE(ending.session().recurringPurchases[0].isActive);
    EXPECT_EQ(ending.session().recurringPurchases[0].pausePeriods.last().startDate,
              local(2025, 6, 1));

    EXPECT_EQ(subscriptionDeletionConfirmation().message,
              u"Cette action est irréversible. L'abonnement et tout son historique de paiements "
              "calculés seront supprimés définitivement.");
    ASSERT_TRUE(deleteSubscription(ending, s.id).ok());
    EXPECT_TRUE(ending.session().recurringPurchases.isEmpty());
    EXPECT_EQ(deleteSubscription(ending, s.id).kind(), ResultKind::notFound);
}

} // namespace
