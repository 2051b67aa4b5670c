// What an invoice's settlement block offers, from its balance, status,
// activity and due day.

#include "DocumentsFixture.h"

#include "core/documents/DocumentCardModel.h"
#include "core/documents/LateCharge.h"
#include "core/text/MoneyFormat.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using namespace test;

TEST(DocumentCardModelTest, SettlementOffersFollowTheBalanceStatusAndActivity) {
    AppDatabase session = newSessionContents();
    ProjectItem cancelled;
    cancelled.id = QUuid::createUuid();
    cancelled.isCancelled = true;
    session.projects = {cancelled};
    const QDateTime now = localNoon(2025, 6, 10);
    struct Case {
        const char* what;
        const char* status;
        double paid;
        bool inCancelledActivity;
        qint64 dueDays;
        bool payment;
        bool reminder;
        QString lateCharge;
    };
    const Case cases[] = {
        {"sent, unpaid", "Envoyé", 0, false, 30, true, true, QString()},
        {"draft: nothing to remind", "Brouillon", 0, false, 30, true, false, QString()},
        {"within the tolerance", "Envoyé", 449.995, false, 30, false, false, QString()},
        {"cancelled activity", "Envoyé", 0, true, 30, false, false, QString()},
        {"late", "Envoyé", 100, false, 5, true, true, LateCharge::button()},
    };
    for (const Case& c : cases) {
        CommercialDocumentItem invoice =
            document(CommercialDocumentKind::invoice, u"F-1"_s, {serviceLine(450)});
        invoice.statusID = statusNamed(session.invoiceStatuses, QString::fromUtf8(c.status));
        invoice.dueDays = c.dueDays;
        if (c.paid > 0)
            invoice.encaissements = {payment(c.paid)};
        if (c.inCancelledActivity)
            invoice.linkedProjectIDs = {cancelled.id};
        const SettlementCard card = SettlementCard::of(invoice, session, now);
        EXPECT_EQ(card.offersPayment, c.payment) << c.what;
        EXPECT_EQ(card.offersReminder, c.reminder) << c.what;
        EXPECT_EQ(card.lateChargeButton, c.lateCharge) << c.what;
        EXPECT_FALSE(card.hasLateCharge) << c.what;
    }
}

TEST(DocumentCardModelTest, SettlementListsThePaymentsAndWhatRemains) {
    CommercialDocumentItem invoice =
        document(CommercialDocumentKind::invoice, u"F-1"_s, {serviceLine(450)});
    Encaissement deposit = payment(150, true);
    deposit.isRefunded = true;
    Encaissement bare = payment(50);
    bare.paymentMethod = u"  "_s;
    invoice.encaissements = {deposit, bare};
    const SettlementCard card =
        SettlementCard::of(invoice, newSessionContents(), localNoon(2025, 6, 10));
    ASSERT_EQ(card.payments.size(), 2);
    EXPECT_EQ(card.payments[0].details, formatMoney(150) + u" · Virement · Acompte · Remboursé"_s);
    EXPECT_EQ(card.payments[1].details, formatMoney(50));
    EXPECT_EQ(card.received, formatMoney(200));
    EXPECT_EQ(card.remaining, formatMoney(250));
}

} // namespace
} // namespace velmora
