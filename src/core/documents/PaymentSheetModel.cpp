#include "core/documents/PaymentSheetModel.h"

#include "core/documents/DocumentTotals.h"
#include "core/documents/DocumentWorkflow.h"
#include "core/documents/EncaissementSheetModel.h"
#include "core/platform/Clock.h"
#include "core/store/SessionEdit.h"
#include "core/text/AmountParsing.h"
#include "core/text/FrenchDates.h"
#include "core/text/MoneyFormat.h"

#include <algorithm>

namespace velmora {

QString joinedPaymentMethods(const QStringList& methods) {
    return methods.join(QStringLiteral(" + "));
}

PaymentSheetModel::PaymentSheetModel(const QUuid& invoiceID, const QUuid& paidStatusID,
                                     const Clock& clock)
    : date(clock.now()), m_invoiceID(invoiceID), m_paidStatusID(paidStatusID) {}

void PaymentSheetModel::lockToDeposit(const CommercialDocumentItem& invoice) {
    m_lockedAmount = depositTotal(invoice.lines);
    paymentIsPartial = true;
    paymentIsAcompte = true;
    // Shown in the locked field as the user would have typed it.
    amountText =
        QString::number(*m_lockedAmount, 'f', 2).replace(QLatin1Char('.'), QLatin1Char(','));
}

QString PaymentSheetModel::methodsText() const {
    return tickedMethods.isEmpty() ? QStringLiteral("Non renseigné")
                                   : joinedPaymentMethods(tickedMethods);
}

double PaymentSheetModel::due(const CommercialDocumentItem& invoice) {
    return remainingDue(invoice);
}

QString PaymentSheetModel::remainingText(const CommercialDocumentItem& invoice) {
    return QStringLiteral("Reste à payer : ") + formatMoney(due(invoice));
}

std::optional<double> PaymentSheetModel::amount(const CommercialDocumentItem& invoice) const {
    if (m_lockedAmount)
        return m_lockedAmount;
    const double dueAmount = due(invoice);
    if (!paymentIsPartial)
        return dueAmount;
    const auto typed = parseAmount(amountText);
    if (!typed || !(*typed > 0) || *typed > dueAmount + kPaymentTolerance)
        return std::nullopt;
    return typed;
}

std::optional<Alert> PaymentSheetModel::validate(const CommercialDocumentItem& invoice) const {
    if (amount(invoice))
        return std::nullopt;
    // Once something was received, the bound is what remains, and says so.
    const QString bound = invoice.encaissements.isEmpty()
                              ? QStringLiteral("le total de la facture (")
                              : QStringLiteral("le reste à payer (");
    return okAlert(QStringLiteral("Montant invalide"),
                   QStringLiteral("Le montant doit être supérieur à 0 et ne pas dépasser ") +
                       bound + formatMoney(due(invoice)) + QStringLiteral(")."));
}

Alert PaymentSheetModel::confirmation(const CommercialDocumentItem& invoice) const {
    QString message = QStringLiteral("Date : ") + formatShortDate(date);
    // After earlier payments the amount received differs from the total: shown too.
    if (paymentIsPartial || m_lockedAmount || !invoice.encaissements.isEmpty()) {
        if (const auto value = amount(invoice); value && *value > 0)
            message += QLatin1Char('\n') + amountLabel(isAmountLocked()) + QStringLiteral(" : ") +
                       formatMoney(*value);
    }
    message += QStringLiteral("\nMode(s) : ") + methodsText() +
               QStringLiteral("\n\nCette action est définitive.");
    return Alert{Alert::Kind::warning,
                 QStringLiteral("Confirmer le passage en Payé ?"),
                 message,
                 {AlertButton{QStringLiteral("Confirmer"), AlertRole::defaultAction},
                  AlertButton{QStringLiteral("Annuler"), AlertRole::cancel}}};
}

Result<> PaymentSheetModel::confirm(SessionEdit& edit, const Clock& clock) const {
    const qsizetype index = edit.indexOfDocument(m_invoiceID);
    if (index < 0 || edit.documents()[index].kind != CommercialDocumentKind::invoice)
        return Result<>::notFound(documentNotFoundMessage());
    CommercialDocumentItem& invoice = edit.documents()[index];
    const QList<TagItem>& statuses = edit.session().invoiceStatuses;
    if (std::none_of(statuses.cbegin(), statuses.cend(),
                     [&](const TagItem& status) { return status.id == m_paidStatusID; }))
        return Result<>::notFound(QStringLiteral("Ce statut n'existe plus."));
    const StatusLists lists = StatusLists::of(edit.session());
    // Whatever opened the sheet, paying freezes: an incomplete draft stays a draft.
    if (statusKey(invoice, lists) == StatusKeys::draft()) {
        if (const QStringList missing = missingItemsForIssue(invoice); !missing.isEmpty()) {
            const Alert alert = incompleteDocumentAlert(invoice, missing);
            return Result<>::invalid(alert.message, alert);
        }
    }
    if (const auto alert = validate(invoice))
        return Result<>::invalid(alert->message, alert);
    if (!date.isValid())
        return Result<>::invalid(QStringLiteral("La date d'encaissement est invalide."));

    Encaissement payment;
    payment.id = QUuid::createUuid();
    payment.amount = *amount(invoice);
    payment.date = date;
    payment.paymentMethod = methodsText();
    // One deposit payment per invoice, as the payment sheet keeps it.
    payment.isAcompte =
        m_lockedAmount.has_value() || (paymentIsPartial && paymentIsAcompte &&
                                       EncaissementSheetModel::isDepositSwitchAvailable(invoice));
    payment.createdAt = clock.now();
    payment.isRefunded = false;

    invoice.statusID = m_paidStatusID;
    invoice.paymentMethod = tickedMethods.isEmpty()
                                ? std::nullopt
                                : std::optional<QString>(joinedPaymentMethods(tickedMethods));
    invoice.encaissementDate = date;
    // Nothing left (already received, offered or discounted): the invoice is
    // settled without a payment of 0, which the books would show as an
    // empty line.
    if (payment.amount > 0)
        invoice.encaissements.append(payment);
    captureSnapshotIfNeeded(edit.documents(), index, lists,
                            SnapshotSources::of(edit.session(), clock));
    return Result<>();
}

} // namespace velmora
