#pragma once

#include "core/documents/DocumentStatus.h"
#include "core/store/AppDataStore.h"

#include <QStringList>
#include <QUuid>

namespace velmora {

class Clock;

// What the status snapshot is made from, read at the moment of capture.
struct SnapshotSources {
    CompanySettings companySettings;
    QList<ClientItem> clients;
    std::optional<QUrl> invoiceLogoURL;
    QDateTime now;

    static SnapshotSources of(const AppDatabase& session, const Clock& clock);
};

// Freezes the issuer, the client and the logo into an issued editor
// document that has no snapshot yet. A snapshot is never replaced. Returns
// whether one was taken.
bool captureSnapshotIfNeeded(QList<CommercialDocumentItem>& documents, qsizetype index,
                             const StatusLists& lists, const SnapshotSources& sources);

// The items a draft lacks before it may leave the draft status, in order.
QStringList missingItemsForIssue(const CommercialDocumentItem& document);
// "Document incomplet" with the missing items.
Alert incompleteDocumentAlert(const CommercialDocumentItem& document,
                              const QStringList& missingItems);
inline QString incompleteDocumentSymbol() {
    return QStringLiteral("doc.badge.exclamationmark");
}
// The banner of a draft that lacks them.
inline QString incompleteDraftBanner() {
    return QStringLiteral("Brouillon — champs requis manquants");
}

// "Figer définitivement ce document ?"; its confirmation cannot be undone.
Alert freezeConfirmation(const CommercialDocumentItem& document);
inline QString freezeSymbol() {
    return QStringLiteral("lock.fill");
}
inline QString draftPreviewLabel() {
    return QStringLiteral("Aperçu live (document en brouillon)");
}

// The outcome of choosing a status in a document's status menu; a failed
// save is the result's own `notSaved`.
struct StatusChangeRequest {
    enum class Action {
        applied,          // stored
        incomplete,       // the alert lists what is missing; nothing changed
        confirmFreeze,    // held: "Confirmer" applies it with setDocumentStatus
        openPaymentSheet, // an invoice's paid status goes through the payment sheet
        notFound          // the document or the status is gone
    };

    Action action = Action::applied;
    std::optional<Alert> alert;
    QUuid documentID;
    QUuid statusID;
    QString message;
};

Result<StatusChangeRequest> requestStatusChange(SessionEdit& edit, const QUuid& documentID,
                                                const QUuid& statusID, const Clock& clock);

// Stores the status and freezes the document when due. A document that is
// gone is left alone.
Result<> setDocumentStatus(SessionEdit& session, const QUuid& documentID, const QUuid& statusID,
                           const Clock& clock);

// After e-mailing: a draft takes the first status named "envoyé".
Result<> markAsSentIfDraft(SessionEdit& session, const QUuid& documentID, const Clock& clock);

} // namespace velmora
