#include "core/documents/DocumentCardModel.h"

#include "core/documents/DocumentDeadlines.h"
#include "core/documents/DocumentStatus.h"
#include "core/documents/DocumentTotals.h"
#include "core/documents/LateCharge.h"
#include "core/text/FrenchDates.h"
#include "core/text/MoneyFormat.h"

namespace velmora {

SettlementCard SettlementCard::of(const CommercialDocumentItem& invoice, const AppDatabase& session,
                                  const QDateTime& now) {
    SettlementCard card;
    for (const Encaissement& payment : invoice.encaissements) {
        QStringList details{formatMoney(payment.amount), payment.paymentMethod.trimmed()};
        if (payment.isAcompte)
            details << QStringLiteral("Acompte");
        if (payment.isRefunded)
            details << QStringLiteral("Remboursé");
        details.removeAll(QString());
        card.payments.append({formatShortDate(payment.date), details.join(QStringLiteral(" · "))});
    }
    card.received = formatMoney(paymentsTotal(invoice));
    card.remaining = formatMoney(remainingDue(invoice));

    const StatusLists lists = StatusLists::of(session);
    card.hasLateCharge = LateCharge::existingLine(invoice, session.companySettings).has_value();
    const bool draft = statusKey(invoice, lists) == StatusKeys::draft();
    const bool cancelled = isInCancelledActivity(invoice, lists, session.projects);
    const bool balance = remainingDue(invoice) > kPaymentTolerance;
    card.offersPayment = balance && !cancelled;
    if (card.hasLateCharge)
        card.lateChargeButton = LateCharge::editTitle();
    else if (isLateInvoice(invoice, lists, now))
        card.lateChargeButton = LateCharge::button();
    card.offersReminder = balance && !draft && !cancelled;
    return card;
}

} // namespace velmora
