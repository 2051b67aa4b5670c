#pragma once

#include "core/documents/DocumentStatus.h"
#include "core/store/AppDataStore.h"

#include <QDateTime>
#include <QStringList>
#include <QUuid>

namespace velmora {

class Clock;

// Joins the ticked payment methods with " + ".
QString joinedPaymentMethods(const QStringList& methods);

// The "Confirmer le paiement" sheet: marks an invoice paid and appends one
// payment of what is still owed, keeping the earlier ones so that receipts
// stay in the period they were received. It opens with no method ticked,
// today's date, the specific amount off and empty, not a deposit, not locked.
class PaymentSheetModel {
public:
    PaymentSheetModel(const QUuid& invoiceID, const QUuid& paidStatusID, const Clock& clock);

    static QString title() { return QStringLiteral("Confirmer le paiement"); }
    static QString hint() {
        return QStringLiteral("Renseignez la date d'encaissement et les modes de paiement reçus. "
                              "Cette action est définitive.");
    }
    static QString partialSwitchLabel() { return QStringLiteral("Montant spécifique"); }
    static QString amountLabel(bool locked) {
        return locked ? QStringLiteral("Montant de l'acompte") : QStringLiteral("Montant encaissé");
    }

    QUuid invoiceID() const { return m_invoiceID; }
    QUuid paidStatusID() const { return m_paidStatusID; }

    QDateTime date;
    QStringList tickedMethods;
    bool paymentIsPartial = false;
    QString amountText;
    bool paymentIsAcompte = false;

    // After "Continuer" on "Passage automatique en Payé": the amount is the
    // deposit-line total and the payment is recorded as a deposit.
    void lockToDeposit(const CommercialDocumentItem& invoice);
    bool isAmountLocked() const { return m_lockedAmount.has_value(); }

    // "Non renseigné" when nothing is ticked.
    QString methodsText() const;
    // What may be received: the invoice's remaining due.
    static double due(const CommercialDocumentItem& invoice);
    // "Reste à payer : " and that amount, shown at the top of the sheet.
    static QString remainingText(const CommercialDocumentItem& invoice);
    // The amount the payment will hold, or the "Montant invalide" alert.
    std::optional<double> amount(const CommercialDocumentItem& invoice) const;
    std::optional<Alert> validate(const CommercialDocumentItem& invoice) const;
    // "Confirmer le passage en Payé ?"
    Alert confirmation(const CommercialDocumentItem& invoice) const;

    // On "Confirmer": status, date, methods and the appended payment (none
    // when nothing remains), then the snapshot. An invoice deleted meanwhile
    // is left alone.
    Result<> confirm(SessionEdit& edit, const Clock& clock) const;

private:
    QUuid m_invoiceID;
    QUuid m_paidStatusID;
    std::optional<double> m_lockedAmount;
};

} // namespace velmora
