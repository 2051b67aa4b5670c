#pragma once

#include "core/documents/DocumentStatus.h"
#include "core/store/AppDataStore.h"

#include <QDateTime>
#include <QStringList>
#include <QUuid>

namespace velmora {

class Clock;

// The "Ajouter un encaissement" sheet: appends one payment to an invoice,
// at most the remaining due, at most one deposit payment per invoice. It
// never changes the invoice's status.
class EncaissementSheetModel {
public:
    EncaissementSheetModel(const QUuid& invoiceID, const Clock& clock);

    static QString title() { return QStringLiteral("Ajouter un encaissement"); }
    static QString dateLabel() { return QStringLiteral("Date d'encaissement"); }
    static QString depositSwitchLabel() { return QStringLiteral("Marquer comme acompte"); }
    static QString depositSwitchCaption() {
        return QStringLiteral("Informatif — visible sur la fiche facture.");
    }
    static QString depositAlreadyRecordedNote() {
        return QStringLiteral("Un acompte a déjà été enregistré pour cette facture.");
    }

    QUuid invoiceID() const { return m_invoiceID; }

    QString amountText;
    QDateTime date;
    QStringList tickedMethods;
    bool addEncaissementIsAcompte = false;

    // "Reste à payer : …" and "Total : …".
    static QString remainingText(const CommercialDocumentItem& invoice);
    static QString totalText(const CommercialDocumentItem& invoice);
    // The deposit switch is offered only while no payment is a deposit.
    static bool isDepositSwitchAvailable(const CommercialDocumentItem& invoice);

    std::optional<double> amount(const CommercialDocumentItem& invoice) const;
    // The "Montant invalide" alert, or none.
    std::optional<Alert> validate(const CommercialDocumentItem& invoice) const;

    // Appends the payment and fills the invoice's settlement date and methods
    // when absent; once saved, the fields are cleared for the next payment.
    Result<> apply(SessionEdit& edit, const Clock& clock);

private:
    void reset(const Clock& clock);

    QUuid m_invoiceID;
};

} // namespace velmora
