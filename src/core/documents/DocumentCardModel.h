#pragma once

#include "core/model/AppDatabase.h"

#include <QDateTime>
#include <QList>
#include <QString>

namespace velmora {

// What the "Règlement" block of an invoice's card shows and offers, with its
// exact texts; the card's widget only lays it out.
struct SettlementCard {
    struct Payment {
        QString date;
        // "150,00 € · Virement · Acompte · Remboursé", without empty parts.
        QString details;
    };

    static QString title() { return QStringLiteral("Règlement"); }
    static QString noPaymentLine() { return QStringLiteral("Aucun encaissement."); }
    static QString receivedLabel() { return QStringLiteral("Paiements reçus"); }
    static QString remainingLabel() { return QStringLiteral("Reste à payer"); }
    static QString reminderButton() { return QStringLiteral("Envoyer une relance"); }

    QList<Payment> payments;
    QString received;
    QString remaining;
    // The late-charge line the invoice already carries.
    bool hasLateCharge = false;
    // "Encaissement": something remains beyond the payment tolerance and
    // the invoice is not in a cancelled activity.
    bool offersPayment = false;
    // "Frais de retard" on a late invoice, or "Modifier les frais de retard"
    // once they are applied; empty when neither.
    QString lateChargeButton;
    // A reminder: something remains, the invoice is issued and not cancelled.
    bool offersReminder = false;

    static SettlementCard of(const CommercialDocumentItem& invoice, const AppDatabase& session,
                             const QDateTime& now);
};

} // namespace velmora
