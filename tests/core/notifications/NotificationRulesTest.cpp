// The notification centre: the windows of each rule counted in local days,
// the statuses that silence an invoice, the absent stock quantity, the
// order, a one-hour snooze and the texts beside the items.

#include "core/notifications/NotificationRules.h"
#include "core/notifications/NotificationReactions.h"
#include "core/notifications/NotificationTexts.h"
#include "core/notifications/NotificationsFixture.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::test;

namespace {

// Late in the evening, so that counting hours instead of days shows.
const QDateTime kNow =
    QDateTime(QDate(2025, 6, 10), QTime(23, 30), QTimeZone::systemTimeZone()).toUTC();

QDateTime localDayAt(qint64 offset, QTime time = QTime(0, 30)) {
    return QDateTime(QDate(2025, 6, 10).addDays(offset), time, QTimeZone::systemTimeZone()).toUTC();
}

QStringList summary(const AppDatabase& db, const QDateTime& now = kNow) {
    QStringList lines;
    for (const NotificationItem& item : visibleNotifications(db, now))
        lines << item.title + u" | "_s + item.message;
    return lines;
}

TEST(NotificationRules, InvoiceDueWindowAndStatuses) {
    struct Case {
        qint64 dueOffset;
        QString status;
        QStringList expected;
    };
    const QList<Case> cases = {
        {0, u"Envoyé"_s, {u"Échéance proche | F-1 — dans 0 j"_s}},
        {1, u"Envoyé"_s, {u"Échéance proche | F-1 — dans 1 j"_s}},
        {3, u"Envoyé"_s, {u"Échéance proche | F-1 — dans 3 j"_s}},
        {4, u"Envoyé"_s, {}},
        {-1, u"Envoyé"_s, {u"Facture en retard | F-1 — 1 j de retard"_s}},
        {-1, u" Payé "_s, {}},
        {-1, u"BROUILLON"_s, {}},
        {-1, u"annulé"_s, {}},
        {-1, u""_s, {u"Facture en retard | F-1 — 1 j de retard"_s}}, // no status record
    };
    for (const Case& c : cases) {
        RecipeSession s;
        CommercialDocumentItem& invoice = s.invoice(u"F-1"_s, u"Envoyé"_s);
        invoice.issueDate = localDayAt(c.dueOffset - 20);
        invoice.dueDays = 20;
        if (c.status.isEmpty())
            invoice.statusID = QUuid::createUuid();
        else
            s.db.invoiceStatuses = renamed(s.db.invoiceStatuses, u"Envoyé"_s, c.status);
        EXPECT_EQ(summary(s.db), c.expected) << c.dueOffset << c.status.toStdString();
    }
}

TEST(NotificationRules, QuoteDebitAndActivityWindows) {
    const QString quote = u"Devis bientôt expiré | D-1 — expire dans "_s;
    const QString debit = u"Prélèvement à venir | Box — dans 2 j"_s;
    const QString ending = u"Activité bientôt terminée | Atelier — fin dans "_s;
    const QList<std::pair<qint64, QStringList>> cases = {
        {-2, {u"Devis expiré | D-1 — expiré depuis 2 j"_s}},
        {2, {quote + u"2 j"_s, debit, ending + u"2 j"_s}}, // equal dates keep rule order
        {3, {quote + u"3 j"_s, ending + u"3 j"_s}},
        {4, {ending + u"4 j"_s}},
        {7, {ending + u"7 j"_s}},
        {8, {}},
    };
    for (const auto& [offset, expected] : cases) {
        RecipeSession s;
        CommercialDocumentItem quote = document(CommercialDocumentKind::quote, u"D-1"_s);
        quote.statusID = statusNamed(s.db.quoteStatuses, u"Envoyé"_s);
        quote.validityDate = localDayAt(offset);
        s.db.documents = {quote};
        s.db.recurringPurchases = {RecurringPurchase()};
        s.db.recurringPurchases[0].name = u"Box"_s;
        s.db.recurringPurchases[0].startDate = localDayAt(offset);
        ProjectItem activity;
        activity.title = u"Atelier"_s;
        activity.endDate = localDayAt(offset);
        ProjectItem cancelled = activity;
        cancelled.isCancelled = true;
        s.db.projects = {activity, cancelled};
        EXPECT_EQ(summary(s.db), expected) << offset;
    }
}

TEST(NotificationRules, IdentitiesAndOrder) {
    RecipeSession s;
    s.invoice(u"F-2"_s, u"Envoyé"_s).issueDate = localDayAt(-1);
    s.invoice(u""_s, u"Envoyé"_s).issueDate = localDayAt(-5);
    const StockItem screws = stockItem(u""_s); // quantity absent: counts 0
    s.db.stockItems = {stockItem(u"Clous"_s, 2), screws};
    s.db.urssafDeclarations = {unpaidQuarter(2025, 2)};
    RecurringPurchase box;
    box.id = QUuid::createUuid();
    box.startDate = localDayAt(1, QTime(8, 0));
    s.db.recurringPurchases = {box};
    s.db.customCalendarEvents = {CustomCalendarEvent()};
    s.db.customCalendarEvents[0].date = localDayAt(0, QTime(9, 0));

    EXPECT_EQ(summary(s.db), (QStringList{u"Facture en retard | Facture — 5 j de retard"_s,
                                          u"Facture en retard | F-2 — 1 j de retard"_s,
                                          u"Article en rupture | Article"_s,
                                          u"Cotisation URSSAF à payer | Période T2 2025"_s,
                                          u"Événement aujourd'hui | Événement"_s,
                                          u"Prélèvement à venir | Abonnement — dans 1 j"_s,
                                          u"Stock presque épuisé | Clous — il en reste 2"_s}));
    const QList<NotificationItem> items = visibleNotifications(s.db, kNow);
    ASSERT_EQ(items.size(), 7);
    EXPECT_EQ(items[0].id, u"invoice.late."_s + upperId(s.db.documents[1].id));
    EXPECT_EQ(items[2].action,
              (NotificationAction{NotificationActionKind::openStockItem, screws.id}));
    EXPECT_EQ(items[5].id, u"recurring.due."_s + upperId(box.id) + u'.' +
                               QString::number(box.startDate.toSecsSinceEpoch()));
}

TEST(NotificationRules, DepositDecisionReplacesLateInvoice) {
    RecipeSession s;
    s.invoice(u"F-1"_s, u"Envoyé"_s, {payment(30, /*isAcompte=*/true)}).issueDate = localDayAt(-5);
    s.db.projects = {ProjectItem()};
    s.db.projects[0].isCancelled = true;
    s.db.documents[0].linkedProjectIDs = {s.db.projects[0].id};
    EXPECT_EQ(summary(s.db), QStringList{u"Décision acompte requise | F-1 — activité annulée"_s});
    s.db.documents[0].acompteRefundStatus = AcompteRefundStatus::kept;
    EXPECT_EQ(summary(s.db), QStringList());
}

TEST(NotificationRules, SnoozeHidesForExactlyOneHour) {
    RecipeSession s;
    s.db.stockItems = {stockItem(u"Vis"_s)};
    const QString id = u"stock.out."_s + upperId(s.db.stockItems[0].id);
    SessionEdit edit(s.db);
    ASSERT_TRUE(snoozeNotification(edit, id, snoozeChoices()[0].seconds, kNow).ok());
    EXPECT_TRUE(neverShowNotification(edit, u"other"_s).ok());
    EXPECT_EQ(dismissNotificationToast(edit, u"other"_s).kind(), ResultKind::applied);
    EXPECT_EQ(neverShowNotification(edit, u"other"_s).kind(), ResultKind::unchanged);
    const AppDatabase& db = edit.session();
    EXPECT_EQ(summary(db, kNow.addSecs(3'599)), QStringList());
    EXPECT_EQ(summary(db, kNow.addSecs(3'600)), QStringList{u"Article en rupture | Vis"_s});
    EXPECT_EQ(db.notificationStates.value(id).snoozedUntil, kNow.addSecs(3'600));
}

TEST(NotificationTexts, RelativeDaysAndHeader) {
    const QList<std::pair<qint64, QString>> cases = {
        {-2, u"il y a 2 j"_s}, {-1, u"hier"_s},    {0, u"aujourd'hui"_s},
        {1, u"demain"_s},      {5, u"dans 5 j"_s},
    };
    for (const auto& [offset, text] : cases)
        EXPECT_EQ(relativeDayText(localDayAt(offset), kNow), text) << offset;
    EXPECT_EQ(notificationCentreHeader(0), u"Tout est à jour"_s);
    EXPECT_EQ(notificationCentreHeader(3), u"Notifications (3)"_s);
}

} // namespace
