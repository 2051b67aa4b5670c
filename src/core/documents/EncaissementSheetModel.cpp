#include "core/documents/EncaissementSheetModel.h"

#include "core/store/SessionEdit.h"

#include "core/documents/DocumentTotals.h"
#include "core/documents/PaymentSheetModel.h"
#include "core/platform/Clock.h"
#include "core/text/AmountParsing.h"
#include "core/text/MoneyFormat.h"
#include <algorithm>

namespace velmora {

EncaissementSheetModel::EncaissementSheetModel(const QUuid& invoiceID, const Clock& clock)
    : date(clock.now()), m_invoiceID(invoiceID) {}

QString EncaissementSheetModel::remainingText(const CommercialDocumentItem& invoice) {
    return QStringLiteral("Reste à payer : ") + formatMoney(remainingDue(invoice));
}

QString EncaissementSheetModel::totalText(const CommercialDocumentItem& invoice) {
    return QStringLiteral("Total : ") + formatMoney(netDue(invoice));
}

bool EncaissementSheetModel::isDepositSwitchAvailable(const CommercialDocumentItem& invoice) {
    return std::none_of(invoice.encaissements.cbegin(), invoice.encaissements.cend(),
                        [](const Encaissement& e) { return e.isAcompte; });
}

std::optional<double> EncaissementSheetModel::amount(const CommercialDocumentItem& invoice) const {
    const auto typed = parseAmount(amountText);
    if (!typed || !(*typed > 0) || *typed > remainingDue(invoice) + kPaymentTolerance)
        return std::nullopt;
    return typed;
}

std::optional<Alert> EncaissementSheetModel::validate(const CommercialDocumentItem& invoice) const {
    if (amount(invoice))
        return std::nullopt;
    return okAlert(QStringLiteral("Montant invalide"),
                   QStringLiteral("Le montant doit être supérieur à 0 et ne pas dépasser le reste "
                                  "à payer (") +
                       formatMoney(remainingDue(invoice)) + QStringLiteral(")."));
}

Result<> EncaissementSheetModel::apply(SessionEdit& edit, const Clock& clock) {
    CommercialDocumentItem* invoice = edit.document(m_invoiceID);
    if (!invoice || invoice->kind != CommercialDocumentKind::invoice)
        return Result<>::notFound(documentNotFoundMessage());
    if (const auto alert = validate(*invoice))
        return Result<>::invalid(alert->message, alert);
    if (addEncaissementIsAcompte && !isDepositSwitchAvailable(*invoice))
        return Result<>::invalid(depositAlreadyRecordedNote());
    if (!date.isValid())
        return Result<>::invalid(QStringLiteral("La date d'encaissement est invalide."));

    Encaissement payment;
    payment.id = QUuid::createUuid();
    payment.amount = *amount(*invoice);
    payment.date = date;
    payment.paymentMethod = joinedPaymentMethods(tickedMethods);
    payment.isAcompte = addEncaissementIsAcompte;
    payment.createdAt = clock.now();
    invoice->encaissements.append(payment);
    if (!invoice->encaissementDate)
        invoice->encaissementDate = date;
    if (!invoice->paymentMethod || invoice->paymentMethod->isEmpty())
        invoice->paymentMethod = payment.paymentMethod;

    edit.whenSaved([this, &clock] { reset(clock); });
    return Result<>();
}

void EncaissementSheetModel::reset(const Clock& clock) {
    amountText.clear();
    tickedMethods.clear();
    date = clock.now();
    addEncaissementIsAcompte = false;
}

} // namespace velmora
