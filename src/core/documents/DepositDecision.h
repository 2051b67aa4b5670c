#pragma once

#include "core/documents/DocumentStatus.h"

#include <QUuid>

namespace velmora {

// The one-time answer, on an invoice of a cancelled activity, to whether its
// deposit was paid back to the client or kept. Only reactivating the
// activity clears it.
class DepositDecision {
public:
    static QString cancelledActivityLabel() { return QStringLiteral("Activité annulée"); }
    static QString pendingTitle() { return QStringLiteral("Décision acompte en attente"); }
    static QString pendingQuestion() {
        return QStringLiteral("L'acompte de cette facture a-t-il été remboursé au client ou "
                              "conservé ?");
    }
    static QString pendingNote() {
        return QStringLiteral("Le choix est définitif et impacte la comptabilité.");
    }
    static QString keptChoice() { return QStringLiteral("Acompte conservé"); }
    static QString refundedChoice() { return QStringLiteral("Acompte remboursé"); }
    static QString alertCentreText() { return QStringLiteral("Décision acompte requise"); }
    static QString activityAlertText() {
        return QStringLiteral("Décision acompte en attente sur une facture liée");
    }
    static QString symbol() { return QStringLiteral("banknote.fill"); }

    // Whether the card asks the question: a cancelled-activity invoice
    // holding a deposit payment and no decision yet.
    static bool isPending(const CommercialDocumentItem& invoice, bool inCancelledActivity);
    // "Acompte conservé" / "Acompte remboursé" once decided.
    static QString decidedLabel(AcompteRefundStatus status);

    static Alert confirmation(AcompteRefundStatus status);

    // Stores the choice when the invoice has none yet; an existing decision
    // is never overwritten.
    static Result<> setDepositDecision(SessionEdit& edit, const QUuid& invoiceID,
                                       AcompteRefundStatus status);
};

} // namespace velmora
