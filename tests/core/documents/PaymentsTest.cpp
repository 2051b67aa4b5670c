// The paid sheet, added payments, deposits and late charges.

#include "DocumentsFixture.h"

#include "core/documents/DepositDecision.h"
#include "core/documents/DocumentTotals.h"
#include "core/documents/DocumentWorkflow.h"
#include "core/documents/EncaissementSheetModel.h"
#include "core/documents/LateCharge.h"
#include "core/documents/PaymentSheetModel.h"
#include "core/text/MoneyFormat.h"
#include "support/SessionChange.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::test;

namespace {

class PaymentSheetTest : public DocumentsFixture {
protected:
    QUuid paid() const { return invoiceStatus(u"Payé"_s); }
};

TEST_F(PaymentSheetTest, OpensEmptyWithTodayAndExplainsItself) {
    const PaymentSheetModel sheet(QUuid::createUuid(), paid(), m_clock);
    EXPECT_EQ(sheet.date, m_clock.now());
    EXPECT_TRUE(sheet.tickedMethods.isEmpty());
    EXPECT_FALSE(sheet.paymentIsPartial);
    EXPECT_TRUE(sheet.amountText.isEmpty());
    EXPECT_FALSE(sheet.paymentIsAcompte);
    EXPECT_FALSE(sheet.isAmountLocked());
    EXPECT_EQ(PaymentSheetModel::title(), u"Confirmer le paiement");
    EXPECT_EQ(PaymentSheetModel::hint(), u"Renseignez la date d'encaissement et les modes de "
                                         u"paiement reçus. Cette action est définitive.");
    EXPECT_EQ(sheet.methodsText(), u"Non renseigné");
}

TEST_F(PaymentSheetTest, MarkingPaidKeepsEarlierPaymentsAndAppendsWhatRemains) {
    CommercialDocumentItem invoice =
        makeInvoice(u"F-2025-003"_s, {serviceLine(100, 3, 20)}, u"Envoyé"_s);
    invoice.encaissements = {payment(100), payment(50)};
    put({invoice});

    PaymentSheetModel sheet(invoice.id, paid(), m_clock);
    EXPECT_EQ(PaymentSheetModel::remainingText(invoice), u"Reste à payer : "_s + formatMoney(210));
    sheet.date = localNoon(2025, 6, 8);
    sheet.tickedMethods = {u"Virement"_s, u"Chèque"_s};
    const Alert confirm = sheet.confirmation(invoice);
    EXPECT_EQ(confirm.title, u"Confirmer le passage en Payé ?");
    EXPECT_EQ(confirm.message, u"Date : 08/06/2025\nMontant encaissé : 210,00\u00a0€\nMode(s) : "
                               u"Virement + Chèque\n\nCette action est définitive.");
    EXPECT_EQ(confirm.buttons, (QList<AlertButton>{{u"Confirmer"_s, AlertRole::defaultAction},
                                                   {u"Annuler"_s, AlertRole::cancel}}));

    m_clock.set(m_clock.now().addSecs(60));
    ASSERT_TRUE(m_store->edit([&](SessionEdit& e) { return sheet.confirm(e, m_clock); }).ok());
    const CommercialDocumentItem& after = stored(invoice.id);
    EXPECT_EQ(after.statusID, paid());
    EXPECT_EQ(after.paymentMethod, u"Virement + Chèque"_s);
    EXPECT_EQ(after.encaissementDate, sheet.date);
    ASSERT_EQ(after.encaissements.size(), 3);
    EXPECT_EQ(after.encaissements.mid(0, 2), invoice.encaissements) << "kept as received";
    const Encaissement& appended = after.encaissements.last();
    EXPECT_DOUBLE_EQ(appended.amount, 210);
    EXPECT_EQ(appended.date, sheet.date);
    EXPECT_EQ(appended.paymentMethod, u"Virement + Chèque");
    EXPECT_FALSE(appended.isAcompte);
    EXPECT_FALSE(appended.isRefunded);
    EXPECT_EQ(appended.createdAt, m_clock.now());
    EXPECT_TRUE(isFullyPaid(after));
    EXPECT_EQ(onDisk().documents.first().encaissements.size(), 3) << "saved";
}

TEST_F(PaymentSheetTest, ATypedAmountAfterPaymentsIsBoundedByWhatRemains) {
    CommercialDocumentItem invoice = makeInvoice(u"F-1"_s, {serviceLine(100)}, u"Envoyé"_s);
    invoice.encaissements = {payment(40, true)};
    put({invoice});
    PaymentSheetModel sheet(invoice.id, paid(), m_clock);
    sheet.paymentIsPartial = true;
    sheet.paymentIsAcompte = true;
    sheet.amountText = u"60,02"_s;
    ASSERT_TRUE(sheet.validate(invoice));
    EXPECT_EQ(sheet.validate(invoice)->message,
              u"Le montant doit être supérieur à 0 et ne pas dépasser le reste à payer "
              u"(60,00\u00a0€).");
    sheet.amountText = u"60"_s;
    ASSERT_TRUE(m_store->edit([&](SessionEdit& e) { return sheet.confirm(e, m_clock); }).ok());
    ASSERT_EQ(stored(invoice.id).encaissements.size(), 2);
    EXPECT_FALSE(stored(invoice.id).encaissements.last().isAcompte) << "one deposit per invoice";
}

TEST_F(PaymentSheetTest, DraftIsFrozenNoMethodIsAbsentAndTheSwitchAloneIsNoDeposit) {
    const CommercialDocumentItem invoice = putOne(makeInvoice(u"F-1"_s, {serviceLine(80)}));
    PaymentSheetModel sheet(invoice.id, paid(), m_clock);
    sheet.paymentIsAcompte = true;
    ASSERT_TRUE(m_store->edit([&](SessionEdit& e) { return sheet.confirm(e, m_clock); }).ok());
    const CommercialDocumentItem& after = stored(invoice.id);
    EXPECT_TRUE(after.pdfSnapshot);
    EXPECT_FALSE(after.paymentMethod);
    EXPECT_EQ(after.encaissements.first().paymentMethod, u"Non renseigné");
    EXPECT_FALSE(after.encaissements.first().isAcompte) << "a deposit needs the specific amount";
}

TEST_F(PaymentSheetTest, SpecificAmountIsBoundedByTheDue) {
    const CommercialDocumentItem invoice = putOne(makeInvoice(u"F-1"_s, {serviceLine(100)}));
    PaymentSheetModel sheet(invoice.id, paid(), m_clock);
    sheet.paymentIsPartial = true;
    for (const QString& bad :
         {u"100,02"_s, u"0"_s, u"-5"_s, u"12,5 EUR"_s, u"nan"_s, u"inf"_s, QString()}) {
        sheet.amountText = bad;
        const auto alert = sheet.validate(invoice);
        ASSERT_TRUE(alert) << bad.toStdString();
        EXPECT_EQ(alert->title, u"Montant invalide");
        EXPECT_EQ(alert->message, u"Le montant doit être supérieur à 0 et ne pas dépasser le total "
                                  u"de la facture (100,00\u00a0€).");
        ASSERT_EQ(alert->buttons.size(), 1);
        EXPECT_EQ(alert->buttons.first().text, u"OK");
        const Result<> r = m_store->edit([&](SessionEdit& e) { return sheet.confirm(e, m_clock); });
        EXPECT_EQ(r.kind(), ResultKind::invalid);
        EXPECT_EQ(r.alert(), alert);
        EXPECT_EQ(stored(invoice.id), invoice);
    }
    sheet.amountText = u"100,009"_s;
    EXPECT_FALSE(sheet.validate(invoice));
    sheet.amountText = u"12,5"_s;
    sheet.paymentIsAcompte = true;
    EXPECT_EQ(sheet.confirmation(invoice).message,
              u"Date : 10/06/2025\nMontant encaissé : 12,50\u00a0€\nMode(s) : Non renseigné\n\n"
              u"Cette action est définitive.");
    ASSERT_TRUE(m_store->edit([&](SessionEdit& e) { return sheet.confirm(e, m_clock); }).ok());
    EXPECT_DOUBLE_EQ(stored(invoice.id).encaissements.first().amount, 12.5);
    EXPECT_TRUE(stored(invoice.id).encaissements.first().isAcompte);

    // Nothing due: only up to one cent.
    const CommercialDocumentItem free = makeInvoice(u"F-2"_s);
    sheet.amountText = u"0,01"_s;
    EXPECT_FALSE(sheet.validate(free));
    sheet.amountText = u"0,02"_s;
    ASSERT_TRUE(sheet.validate(free));
    EXPECT_TRUE(sheet.validate(free)->message.contains(u"(0,00\u00a0€)"));
}

TEST_F(PaymentSheetTest, NothingRemainingSettlesWithoutAZeroPayment) {
    CommercialDocumentLine offered = serviceLine(100);
    offered.isOffered = true;
    CommercialDocumentItem free = makeInvoice(u"F-1"_s, {offered});
    free.encaissements = {payment(20)};
    CommercialDocumentItem settled = makeInvoice(u"F-2"_s, {serviceLine(100)});
    settled.encaissements = {payment(60), payment(40)};
    put({free, settled});
    for (const CommercialDocumentItem& invoice : {free, settled}) {
        PaymentSheetModel sheet(invoice.id, paid(), m_clock);
        sheet.tickedMethods = {u"Espèces"_s};
        ASSERT_TRUE(m_store->edit([&](SessionEdit& e) { return sheet.confirm(e, m_clock); }).ok());
        EXPECT_EQ(stored(invoice.id).statusID, paid());
        EXPECT_EQ(stored(invoice.id).encaissementDate, m_clock.now());
        EXPECT_EQ(stored(invoice.id).paymentMethod, u"Espèces"_s);
        EXPECT_EQ(stored(invoice.id).encaissements, invoice.encaissements);
    }
}

TEST_F(PaymentSheetTest, LockedDepositAmountIsRecordedAsTheDeposit) {
    const CommercialDocumentItem invoice = putOne(makeInvoice(
        u"F-1"_s, {serviceLine(1000), otherLine(CommercialDocumentLineKind::deposit, 300)}));
    PaymentSheetModel sheet(invoice.id, paid(), m_clock);
    sheet.lockToDeposit(invoice);
    EXPECT_TRUE(sheet.isAmountLocked());
    EXPECT_EQ(PaymentSheetModel::amountLabel(true), u"Montant de l'acompte");
    EXPECT_EQ(sheet.amountText, u"300,00");
    sheet.amountText = u"5"_s; // the field is locked: typing is ignored
    EXPECT_EQ(sheet.confirmation(invoice).message,
              u"Date : 10/06/2025\nMontant de l'acompte : 300,00\u00a0€\nMode(s) : Non renseigné"
              u"\n\nCette action est définitive.");
    ASSERT_TRUE(m_store->edit([&](SessionEdit& e) { return sheet.confirm(e, m_clock); }).ok());
    const Encaissement& deposit = stored(invoice.id).encaissements.first();
    EXPECT_DOUBLE_EQ(deposit.amount, 300);
    EXPECT_TRUE(deposit.isAcompte);
    EXPECT_EQ(stored(invoice.id).statusID, paid());

    // The deposit line already lowers the due: the client still owes 700.
    EXPECT_DOUBLE_EQ(remainingDue(stored(invoice.id)), 700);
    EncaissementSheetModel balance(invoice.id, m_clock);
    balance.amountText = u"700"_s;
    ASSERT_TRUE(m_store->edit([&](SessionEdit& e) { return balance.apply(e, m_clock); }).ok());
    EXPECT_TRUE(isFullyPaid(stored(invoice.id)));
}

TEST_F(PaymentSheetTest, GoneInvoiceOrFailedSaveChangesNothing) {
    const CommercialDocumentItem invoice = putOne(makeInvoice(u"F-1"_s, {serviceLine(100)}));
    EXPECT_EQ(
        m_store
            ->edit([&](SessionEdit& e) {
                return PaymentSheetModel(QUuid::createUuid(), paid(), m_clock).confirm(e, m_clock);
            })
            .kind(),
        ResultKind::notFound);
    m_fs.failOn(FaultyFileSystem::Op::Write);
    EXPECT_EQ(m_store
                  ->edit([&](SessionEdit& e) {
                      return PaymentSheetModel(invoice.id, paid(), m_clock).confirm(e, m_clock);
                  })
                  .kind(),
              ResultKind::notSaved);
    EXPECT_EQ(stored(invoice.id), invoice);
}

class EncaissementTest : public DocumentsFixture {};

TEST_F(EncaissementTest, RemainingBoundWithOneCentOfTolerance) {
    const CommercialDocumentItem invoice = putOne(makeInvoice(u"F-1"_s, {serviceLine(100)}));
    EXPECT_EQ(EncaissementSheetModel::remainingText(invoice), u"Reste à payer : 100,00\u00a0€");
    EXPECT_EQ(EncaissementSheetModel::totalText(invoice), u"Total : 100,00\u00a0€");

    EncaissementSheetModel sheet(invoice.id, m_clock);
    sheet.amountText = u"100,02"_s;
    const Result<> refused = m_store->edit([&](SessionEdit& e) { return sheet.apply(e, m_clock); });
    EXPECT_EQ(refused.kind(), ResultKind::invalid);
    ASSERT_TRUE(refused.alert());
    EXPECT_EQ(refused.alert()->title, u"Montant invalide");
    EXPECT_EQ(refused.alert()->message, u"Le montant doit être supérieur à 0 et ne pas dépasser le "
                                        u"reste à payer (100,00\u00a0€).");
    EXPECT_EQ(stored(invoice.id), invoice);
    EXPECT_EQ(sheet.amountText, u"100,02") << "the typed amount stays for correction";

    sheet.amountText = u"100,009"_s;
    ASSERT_TRUE(m_store->edit([&](SessionEdit& e) { return sheet.apply(e, m_clock); }).ok());
    EXPECT_DOUBLE_EQ(stored(invoice.id).encaissements.first().amount, 100.009);
    EXPECT_DOUBLE_EQ(remainingDue(stored(invoice.id)), 0);
}

TEST_F(EncaissementTest, AppendsFillsTheSettlementAndNeverChangesStatus) {
    CommercialDocumentItem invoice = putOne(makeInvoice(u"F-1"_s, {serviceLine(100)}, u"Envoyé"_s));
    EncaissementSheetModel sheet(invoice.id, m_clock);
    sheet.amountText = u"40"_s;
    sheet.date = localNoon(2025, 6, 2);
    ASSERT_TRUE(m_store->edit([&](SessionEdit& e) { return sheet.apply(e, m_clock); }).ok());
    EXPECT_TRUE(sheet.amountText.isEmpty()) << "fields reset after saving";
    EXPECT_EQ(sheet.date, m_clock.now());
    CommercialDocumentItem after = stored(invoice.id);
    EXPECT_EQ(after.encaissementDate, localNoon(2025, 6, 2));
    EXPECT_EQ(after.paymentMethod, QString()) << "an empty methods text";
    EXPECT_EQ(after.encaissements.first().paymentMethod, QString());

    sheet.amountText = u"60"_s;
    sheet.date = localNoon(2025, 6, 9);
    sheet.tickedMethods = {u"Espèces"_s};
    ASSERT_TRUE(m_store->edit([&](SessionEdit& e) { return sheet.apply(e, m_clock); }).ok());
    after = stored(invoice.id);
    ASSERT_EQ(after.encaissements.size(), 2);
    EXPECT_EQ(after.encaissementDate, localNoon(2025, 6, 2)) << "the first date stays";
    EXPECT_EQ(after.paymentMethod, u"Espèces"_s) << "an empty text is filled";
    EXPECT_EQ(after.statusID, invoiceStatus(u"Envoyé"_s));
    EXPECT_TRUE(isFullyPaid(after));
    EXPECT_EQ(EncaissementSheetModel::remainingText(after), u"Reste à payer : 0,00\u00a0€");
}

TEST_F(EncaissementTest, SecondDepositIsRefused) {
    const CommercialDocumentItem invoice = putOne(makeInvoice(u"F-1"_s, {serviceLine(100)}));
    EncaissementSheetModel sheet(invoice.id, m_clock);
    EXPECT_TRUE(EncaissementSheetModel::isDepositSwitchAvailable(invoice));
    sheet.amountText = u"30"_s;
    sheet.addEncaissementIsAcompte = true;
    ASSERT_TRUE(m_store->edit([&](SessionEdit& e) { return sheet.apply(e, m_clock); }).ok());
    EXPECT_TRUE(stored(invoice.id).encaissements.first().isAcompte);
    EXPECT_FALSE(sheet.addEncaissementIsAcompte) << "switch reset";
    EXPECT_FALSE(EncaissementSheetModel::isDepositSwitchAvailable(stored(invoice.id)));

    const CommercialDocumentItem before = stored(invoice.id);
    sheet.amountText = u"20"_s;
    sheet.addEncaissementIsAcompte = true;
    const Result<> r = m_store->edit([&](SessionEdit& e) { return sheet.apply(e, m_clock); });
    EXPECT_EQ(r.kind(), ResultKind::invalid);
    EXPECT_EQ(r.error(), u"Un acompte a déjà été enregistré pour cette facture.");
    EXPECT_EQ(stored(invoice.id), before);
    sheet.addEncaissementIsAcompte = false;
    ASSERT_TRUE(m_store->edit([&](SessionEdit& e) { return sheet.apply(e, m_clock); }).ok());
    EXPECT_EQ(stored(invoice.id).encaissements.size(), 2);
}

TEST_F(EncaissementTest, QuotesAndGoneInvoicesTakeNoPayment) {
    const CommercialDocumentItem quote = putOne(makeQuote(u"D-1"_s, {serviceLine(100)}));
    EncaissementSheetModel sheet(quote.id, m_clock);
    sheet.amountText = u"10"_s;
    EXPECT_EQ(m_store->edit([&](SessionEdit& e) { return sheet.apply(e, m_clock); }).kind(),
              ResultKind::notFound);
    EXPECT_EQ(stored(quote.id), quote);
}

class DepositDecisionTest : public DocumentsFixture {};

TEST_F(DepositDecisionTest, DecidedOnceAndNeverOverwritten) {
    CommercialDocumentItem invoice = makeInvoice(u"F-1"_s, {serviceLine(100)});
    invoice.encaissements = {payment(30, true)};
    put({invoice});
    EXPECT_TRUE(DepositDecision::isPending(invoice, true));
    EXPECT_FALSE(DepositDecision::isPending(invoice, false));

    ASSERT_TRUE(
        run(DepositDecision::setDepositDecision, invoice.id, AcompteRefundStatus::kept).ok());
    EXPECT_EQ(stored(invoice.id).acompteRefundStatus, AcompteRefundStatus::kept);
    EXPECT_EQ(
        run(DepositDecision::setDepositDecision, invoice.id, AcompteRefundStatus::refunded).kind(),
        ResultKind::unchanged);
    EXPECT_EQ(stored(invoice.id).acompteRefundStatus, AcompteRefundStatus::kept);
    EXPECT_EQ(onDisk().documents.first().acompteRefundStatus, AcompteRefundStatus::kept);
    EXPECT_FALSE(DepositDecision::isPending(stored(invoice.id), true));
    EXPECT_EQ(DepositDecision::decidedLabel(AcompteRefundStatus::kept), u"Acompte conservé");
    EXPECT_EQ(DepositDecision::decidedLabel(AcompteRefundStatus::refunded), u"Acompte remboursé");
}

TEST(DepositDecisionTexts, ConfirmationsSpellOutTheirEffect) {
    const Alert kept = DepositDecision::confirmation(AcompteRefundStatus::kept);
    EXPECT_EQ(kept.title, u"Marquer l'acompte comme conservé ?");
    EXPECT_EQ(kept.message, u"L'acompte restera comptabilisé dans le chiffre d'affaires et le "
                            u"livre de recettes. Cette action est définitive — il ne sera plus "
                            u"possible de revenir en arrière sans réactiver l'activité.");
    const Alert refunded = DepositDecision::confirmation(AcompteRefundStatus::refunded);
    EXPECT_EQ(refunded.title, u"Marquer l'acompte comme remboursé ?");
    EXPECT_EQ(refunded.message, u"L'acompte sera exclu de la comptabilité (chiffre d'affaires + "
                                u"livre de recettes). Cette action est définitive — il ne sera "
                                u"plus possible de revenir en arrière sans réactiver l'activité.");
    EXPECT_EQ(refunded.buttons, (QList<AlertButton>{{u"Annuler"_s, AlertRole::cancel},
                                                    {u"Confirmer"_s, AlertRole::defaultAction}}));
}

class LateChargeTest : public DocumentsFixture {};

TEST_F(LateChargeTest, AddsAServiceLineWithoutVatForAReadablePositiveAmount) {
    CommercialDocumentItem invoice = makeInvoice(u"F-1"_s, {serviceLine(100, 1, 20)}, u"Envoyé"_s);
    invoice.pdfSnapshot = DocumentSnapshot{m_clock.now(), {}, {}, {}};
    put({invoice});
    for (const QString& bad : {u"abc"_s, u"40 EUR"_s, u"0"_s, u"-40"_s, u"inf"_s, QString()}) {
        EXPECT_EQ(run(LateCharge::addOrUpdateLateCharge, invoice.id, bad, std::nullopt).kind(),
                  ResultKind::invalid)
            << bad.toStdString();
        EXPECT_EQ(stored(invoice.id), invoice);
    }
    const Result<QString> r =
        run(LateCharge::addOrUpdateLateCharge, invoice.id, u"40"_s, std::nullopt);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.value(), u"Frais de retard ajouté");
    const CommercialDocumentItem& after = stored(invoice.id);
    ASSERT_EQ(after.lines.size(), 2);
    const CommercialDocumentLine& line = after.lines.last();
    EXPECT_EQ(line.kind, CommercialDocumentLineKind::service);
    EXPECT_EQ(line.title, u"Frais de retard");
    EXPECT_EQ(line.details, u"Pénalités de retard de paiement");
    EXPECT_DOUBLE_EQ(line.priceTTC, 40);
    EXPECT_DOUBLE_EQ(line.tvaRate, 0);
    EXPECT_DOUBLE_EQ(line.quantity, 1);
    EXPECT_FALSE(line.isOffered);
    EXPECT_FALSE(line.lineDiscountEnabled);
    EXPECT_EQ(formatMoney(lineNetAmount(line)), u"40,00\u00a0€");
    EXPECT_DOUBLE_EQ(netDue(after), netDue(invoice) + 40);
    EXPECT_EQ(LateCharge::existingLine(after, m_store->companySettings()), line.id);
}

TEST_F(LateChargeTest, EditsTheLineAndUsesTheCompanyTexts) {
    CompanySettings company = m_store->companySettings();
    company.lateChargeLineTitle = u"Indemnité"_s;
    company.lateChargeLineDescription.clear();
    test::changeSession(*m_store, [&](SessionEdit& e) { e.companySettings() = company; });
    const CommercialDocumentItem invoice = putOne(makeInvoice(u"F-1"_s, {serviceLine(100)}));
    ASSERT_TRUE(run(LateCharge::addOrUpdateLateCharge, invoice.id, u"12,5"_s, std::nullopt).ok());
    const CommercialDocumentLine added = stored(invoice.id).lines.last();
    EXPECT_EQ(added.title, u"Indemnité");
    EXPECT_EQ(added.details, u"Pénalités de retard de paiement");
    EXPECT_DOUBLE_EQ(added.priceTTC, 12.5);

    ASSERT_TRUE(run(LateCharge::addOrUpdateLateCharge, invoice.id, u"50"_s, added.id).ok());
    ASSERT_EQ(stored(invoice.id).lines.size(), 2);
    EXPECT_DOUBLE_EQ(stored(invoice.id).lines.last().priceTTC, 50);
    EXPECT_EQ(stored(invoice.id).lines.last().title, u"Indemnité");

    ASSERT_TRUE(
        run(LateCharge::addOrUpdateLateCharge, invoice.id, u"5"_s, QUuid::createUuid()).ok());
    EXPECT_EQ(stored(invoice.id).lines.size(), 3) << "a vanished line is added again";
}

} // namespace
