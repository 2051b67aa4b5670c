#include "core/documents/DocumentWorkflow.h"

#include "core/platform/Clock.h"

#include <algorithm>

namespace velmora {
namespace {

bool isInvoice(const CommercialDocumentItem& document) {
    return document.kind == CommercialDocumentKind::invoice;
}

bool statusExists(const StatusLists& lists, CommercialDocumentKind kind, const QUuid& id) {
    const QList<TagItem>& statuses = lists.of(kind);
    return std::any_of(statuses.cbegin(), statuses.cend(),
                       [&](const TagItem& status) { return status.id == id; });
}

} // namespace

SnapshotSources SnapshotSources::of(const AppDatabase& session, const Clock& clock) {
    return {session.companySettings, session.clients, session.preferences.invoiceLogoURL,
            clock.now()};
}

bool captureSnapshotIfNeeded(QList<CommercialDocumentItem>& documents, qsizetype index,
                             const StatusLists& lists, const SnapshotSources& sources) {
    if (index < 0 || index >= documents.size())
        return false;
    CommercialDocumentItem& document = documents[index];
    if (document.pdfSnapshot || document.sourceKind != CommercialDocumentSourceKind::editor)
        return false;
    const QString key = statusKey(document, lists);
    if (key.isEmpty() || key == StatusKeys::draft())
        return false;
    DocumentSnapshot snapshot;
    snapshot.capturedAt = sources.now;
    snapshot.companySettings = sources.companySettings;
    if (document.clientID) {
        for (const ClientItem& client : sources.clients) {
            if (client.id == *document.clientID) {
                snapshot.client = client;
                break;
            }
        }
    }
    snapshot.companyLogoURL = sources.invoiceLogoURL;
    document.pdfSnapshot = snapshot;
    return true;
}

QStringList missingItemsForIssue(const CommercialDocumentItem& document) {
    QStringList missing;
    if (document.sourceKind == CommercialDocumentSourceKind::importedPDF) {
        if (!document.importedPDFURL)
            missing << QStringLiteral("• Importer un PDF dans le document");
        return missing;
    }
    if (!document.clientID)
        missing << QStringLiteral("• Sélectionner un client");
    const bool hasTitledLine = std::any_of(
        document.lines.cbegin(), document.lines.cend(),
        [](const CommercialDocumentLine& line) { return !line.title.trimmed().isEmpty(); });
    if (!hasTitledLine)
        missing << QStringLiteral("• Ajouter au moins une ligne avec un titre");
    return missing;
}

Alert incompleteDocumentAlert(const CommercialDocumentItem& document,
                              const QStringList& missingItems) {
    const bool invoice = isInvoice(document);
    const QString message =
        QStringLiteral("Avant de pouvoir changer le statut de ") +
        (invoice ? QStringLiteral("cette facture") : QStringLiteral("ce devis")) +
        QStringLiteral(
            " (envoyé, validé, payé…), vous devez compléter les éléments suivants :\n\n") +
        missingItems.join(QLatin1Char('\n')) +
        QStringLiteral("\n\nOuvrez la fiche en édition (« Modifier ») pour les renseigner.");
    return okAlert(QStringLiteral("Document incomplet"), message);
}

Alert freezeConfirmation(const CommercialDocumentItem& document) {
    const bool invoice = isInvoice(document);
    const QString message =
        (invoice ? QStringLiteral("Cette facture") : QStringLiteral("Ce devis")) +
        QLatin1Char(' ') + document.number +
        QStringLiteral(" va passer hors du statut Brouillon. Le document ne sera plus modifiable "
                       "après confirmation de l'opération.\n\nMême si vous modifiez les "
                       "informations bancaires, les paramètres entreprise ou la fiche client plus "
                       "tard, ") +
        (invoice ? QStringLiteral("la facture") : QStringLiteral("le devis")) +
        QStringLiteral(" conservera ses valeurs d'origine. Cette action est irréversible.");
    return Alert{Alert::Kind::warning,
                 QStringLiteral("Figer définitivement ce document ?"),
                 message,
                 {AlertButton{QStringLiteral("Annuler"), AlertRole::cancel},
                  AlertButton{QStringLiteral("Confirmer"), AlertRole::destructive}}};
}

Result<StatusChangeRequest> requestStatusChange(SessionEdit& edit, const QUuid& documentID,
                                                const QUuid& statusID, const Clock& clock) {
    StatusChangeRequest request;
    request.documentID = documentID;
    request.statusID = statusID;
    const StatusLists lists = StatusLists::of(edit.session());
    const QList<CommercialDocumentItem>& documents = edit.session().documents;
    const auto found = std::find_if(documents.cbegin(), documents.cend(),
                                    [&](const auto& d) { return d.id == documentID; });
    if (found == documents.cend()) {
        request.action = StatusChangeRequest::Action::notFound;
        request.message = documentNotFoundMessage();
        return request;
    }
    const CommercialDocumentItem& document = *found;
    if (!statusExists(lists, document.kind, statusID)) {
        request.action = StatusChangeRequest::Action::notFound;
        request.message = QStringLiteral("Ce statut n'existe plus.");
        return request;
    }
    const QString current = statusKey(document, lists);
    const QString target = statusKeyOf(statusID, document.kind, lists);

    const bool leavesDraft = current == StatusKeys::draft() && target != StatusKeys::draft();
    // Paid freezes too: an incomplete draft may not be paid either.
    if (leavesDraft) {
        const QStringList missing = missingItemsForIssue(document);
        if (!missing.isEmpty()) {
            request.action = StatusChangeRequest::Action::incomplete;
            request.alert = incompleteDocumentAlert(document, missing);
            return request;
        }
    }
    if (isInvoice(document) && target == StatusKeys::paid()) {
        request.action = StatusChangeRequest::Action::openPaymentSheet;
        return request;
    }
    if (leavesDraft) {
        if (!target.isEmpty() && document.sourceKind == CommercialDocumentSourceKind::editor &&
            !document.pdfSnapshot) {
            request.action = StatusChangeRequest::Action::confirmFreeze;
            request.alert = freezeConfirmation(document);
            return request;
        }
    }
    if (const Result<> applied = setDocumentStatus(edit, documentID, statusID, clock); !applied)
        return Result<StatusChangeRequest>(applied);
    request.action = StatusChangeRequest::Action::applied;
    return request;
}

Result<> setDocumentStatus(SessionEdit& session, const QUuid& documentID, const QUuid& statusID,
                           const Clock& clock) {
    const qsizetype index = session.indexOfDocument(documentID);
    if (index < 0)
        return Result<>::notFound(documentNotFoundMessage());
    const StatusLists lists = StatusLists::of(session.session());
    const SnapshotSources sources = SnapshotSources::of(session.session(), clock);
    QList<CommercialDocumentItem>& documents = session.documents();
    documents[index].statusID = statusID;
    captureSnapshotIfNeeded(documents, index, lists, sources);
    return Result<>();
}

Result<> markAsSentIfDraft(SessionEdit& session, const QUuid& documentID, const Clock& clock) {
    const StatusLists lists = StatusLists::of(session.session());
    const QList<CommercialDocumentItem>& documents = session.session().documents;
    const auto found = std::find_if(documents.cbegin(), documents.cend(),
                                    [&](const auto& d) { return d.id == documentID; });
    if (found == documents.cend())
        return Result<>::notFound(documentNotFoundMessage());
    if (statusKey(*found, lists) != StatusKeys::draft())
        return Result<>::unchanged();
    const auto sent = firstStatusWithKey(lists.of(found->kind), {StatusKeys::sent()});
    if (!sent)
        return Result<>::unchanged();
    return setDocumentStatus(session, documentID, *sent, clock);
}

} // namespace velmora
