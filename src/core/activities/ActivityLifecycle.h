#pragma once

#include "core/Alert.h"
#include "core/Result.h"
#include "core/documents/DocumentStatus.h"
#include "core/store/SessionEdit.h"

#include <QUuid>

namespace velmora {

class Clock;

// Cancelling an activity settles its invoices: those holding a deposit
// payment become paid (the deposit stays in the books), the others count as
// cancelled through the activity. Reactivating restores them exactly.

// An invoice concerned by the cancellation of the activity: linked to it
// and issued (its status key is not "brouillon").
bool isConcernedInvoice(const CommercialDocumentItem& document, const QUuid& projectID,
                        const StatusLists& lists);
// At least one payment received as a deposit; deposit lines do not count.
bool hasDepositPayment(const CommercialDocumentItem& document);

struct CancellationEffects {
    qsizetype withDeposit = 0;
    qsizetype withoutDeposit = 0;

    friend bool operator==(const CancellationEffects&, const CancellationEffects&) = default;
};

// The concerned invoices of the activity, with and without a deposit
// payment; none for an unknown activity.
CancellationEffects countCancellationEffects(const AppDatabase& session, const QUuid& projectID);
// The invoices linked to the activity that remember their status from
// before its cancellation.
qsizetype countRememberedStatuses(const AppDatabase& session, const QUuid& projectID);

// Whether the activity is cancelled and one of its concerned invoices holding
// a deposit payment still waits for the deposit decision; the card then shows
// DepositDecision::activityAlertText().
bool hasPendingDepositDecision(const AppDatabase& session, const QUuid& projectID);

// "Annuler cette activité ?" with "Garder" and "Annuler l'activité".
Alert cancelConfirmation(const ProjectItem& project, const CancellationEffects& effects);
inline QString cancelSymbol() {
    return QStringLiteral("xmark.circle.fill");
}
// "Réactiver cette activité ?" with "Annuler" and "Réactiver".
Alert reactivationConfirmation(qsizetype rememberedStatuses);
inline QString reactivationSymbol() {
    return QStringLiteral("arrow.uturn.backward.circle.fill");
}

// Marks the activity cancelled and moves its concerned invoices with a
// deposit to the first invoice status named "payé" (remembering the status
// they had, dating the payment, freezing them). Without such a status the
// invoices stay as they are. `unchanged` for an activity already cancelled.
Result<> cancelActivity(SessionEdit& edit, const QUuid& projectID, const Clock& clock);
// Gives the activity its status back (or "En cours"), and every invoice
// linked to it the status it remembers; the deposit decisions are erased,
// the payment dates stay. `unchanged` for an activity that is not cancelled.
Result<> reactivateActivity(SessionEdit& edit, const QUuid& projectID);

} // namespace velmora
