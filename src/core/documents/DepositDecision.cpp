#include "core/documents/DepositDecision.h"

#include "core/store/AppDataStore.h"

#include <algorithm>

namespace velmora {

bool DepositDecision::isPending(const CommercialDocumentItem& invoice, bool inCancelledActivity) {
    if (invoice.kind != CommercialDocumentKind::invoice || !inCancelledActivity ||
        invoice.acompteRefundStatus)
        return false;
    return std::any_of(invoice.encaissements.cbegin(), invoice.encaissements.cend(),
                       [](const Encaissement& e) { return e.isAcompte; });
}

QString DepositDecision::decidedLabel(AcompteRefundStatus status) {
    return status == AcompteRefundStatus::kept ? keptChoice() : refundedChoice();
}

Alert DepositDecision::confirmation(AcompteRefundStatus status) {
    const bool kept = status == AcompteRefundStatus::kept;
    return Alert{
        Alert::Kind::warning,
        kept ? QStringLiteral("Marquer l'acompte comme conservé ?")
             : QStringLiteral("Marquer l'acompte comme remboursé ?"),
        kept ? QStringLiteral("L'acompte restera comptabilisé dans le chiffre d'affaires et le "
                              "livre de recettes. Cette action est définitive — il ne sera plus "
                              "possible de revenir en arrière sans réactiver l'activité.")
             : QStringLiteral("L'acompte sera exclu de la comptabilité (chiffre d'affaires + "
                              "livre de recettes). Cette action est définitive — il ne sera plus "
                              "possible de revenir en arrière sans réactiver l'activité."),
        {AlertButton{QStringLiteral("Annuler"), AlertRole::cancel},
         AlertButton{QStringLiteral("Confirmer"), AlertRole::defaultAction}}};
}

Result<> DepositDecision::setDepositDecision(SessionEdit& edit, const QUuid& invoiceID,
                                             AcompteRefundStatus status) {
    CommercialDocumentItem* invoice = edit.document(invoiceID);
    if (!invoice || invoice->kind != CommercialDocumentKind::invoice)
        return Result<>::notFound(documentNotFoundMessage());
    if (invoice->acompteRefundStatus)
        return Result<>::unchanged();
    invoice->acompteRefundStatus = status;
    return Result<>();
}

} // namespace velmora
