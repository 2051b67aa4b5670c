#include "core/documents/DocumentCreation.h"

#include "core/documents/DocumentLinks.h"
#include "core/documents/DocumentNumbering.h"
#include "core/documents/DocumentStoreEdit.h"
#include "core/documents/DocumentTotals.h"
#include "core/documents/DocumentWorkflow.h"
#include "core/platform/Clock.h"
#include "core/text/MoneyFormat.h"

#include <algorithm>

namespace velmora {
namespace {

bool hasPositiveDepositLine(const QList<CommercialDocumentLine>& lines) {
    return std::any_of(lines.cbegin(), lines.cend(), [](const CommercialDocumentLine& line) {
        return line.kind == CommercialDocumentLineKind::deposit && line.priceTTC > 0;
    });
}

void applyForm(CommercialDocumentItem& document, const DocumentForm& form,
               const QList<ProjectItem>& projects) {
    const bool editor = form.sourceKind == CommercialDocumentSourceKind::editor;
    document.kind = form.kind;
    document.sourceKind = form.sourceKind;
    document.statusID = form.statusID;
    document.number = form.number;
    document.issueDate = form.issueDate;
    document.validityDate =
        form.kind == CommercialDocumentKind::quote ? form.validityDate : std::nullopt;
    document.dueDays = editor ? form.dueDays : 0;
    document.paymentTerms = editor ? form.paymentTerms : QString();
    document.clientID = form.clientID;
    document.linkedProjectIDs = cleanedActivityIDs(form.linkedProjectIDs, projects);
    document.notes = form.notes;
    document.lines = form.lines;
    document.importedPDFURL = form.importedPDFURL;
}

// After a document is stored: the auto-paid alert, when it applies.
DocumentResult savedWithAlert(const SaveResult& saved, const CommercialDocumentItem& document,
                              const StatusLists& lists) {
    DocumentResult result = DocumentResult::fromSave(saved);
    if (result.ok()) {
        result.createdID = document.id;
        result.alert = depositAutoPaidAlert(document, lists);
    }
    return result;
}

// The parts of a new document that never come from its origin.
CommercialDocumentItem freshCopy(const CommercialDocumentItem& origin, const QDateTime& now) {
    CommercialDocumentItem copy;
    copy.id = QUuid::createUuid();
    copy.kind = origin.kind;
    copy.sourceKind = origin.sourceKind;
    copy.issueDate = now;
    copy.dueDays = origin.dueDays;
    copy.clientID = origin.clientID;
    copy.linkedProjectIDs = origin.linkedProjectIDs;
    copy.notes = origin.notes;
    copy.lines = origin.lines;
    copy.importedPDFURL = origin.importedPDFURL;
    return copy;
}

DocumentResult insertCopy(DocumentStoreEdit& edit, const CommercialDocumentItem& copy,
                          const QString& failureTitle) {
    edit.documents.prepend(copy);
    // The new document is linked from the activities it names, like any other.
    syncDocumentLinks(edit.projects, copy, {});
    DocumentResult result = DocumentResult::fromSave(edit.commit());
    if (result.ok())
        result.createdID = copy.id;
    else
        result.alert = okAlert(failureTitle, result.message, Alert::Kind::error);
    return result;
}

} // namespace

QString DocumentCreation::validate(const DocumentForm& form, bool creating) {
    if (form.number.trimmed().isEmpty())
        return numberRequiredMessage();
    if (form.kind == CommercialDocumentKind::invoice && hasPositiveDepositLine(form.lines) &&
        !form.clientID)
        return creating ? clientRequiredForDepositOnCreate() : clientRequiredForDepositOnSave();
    return QString();
}

DocumentResult DocumentCreation::create(AppDataStore& store, const DocumentForm& form,
                                        const Clock& clock) {
    if (const QString error = validate(form, true); !error.isEmpty())
        return DocumentResult::invalid(error, okAlert(QString(), error));
    DocumentStoreEdit edit(store);
    CommercialDocumentItem document;
    document.id = QUuid::createUuid();
    applyForm(document, form, edit.projects);
    edit.documents.prepend(document);
    const StatusLists lists = StatusLists::of(store);
    captureSnapshotIfNeeded(edit.documents, 0, lists, SnapshotSources::of(store, clock));
    syncDocumentLinks(edit.projects, edit.documents.first(), {});
    const CommercialDocumentItem stored = edit.documents.first();
    return savedWithAlert(edit.commit(), stored, lists);
}

DocumentResult DocumentCreation::save(AppDataStore& store, const QUuid& documentID,
                                      const DocumentForm& form, const Clock& clock) {
    if (const QString error = validate(form, false); !error.isEmpty())
        return DocumentResult::invalid(error, okAlert(QString(), error));
    DocumentStoreEdit edit(store);
    const qsizetype index = edit.indexOfDocument(documentID);
    if (index < 0)
        return DocumentResult::notFound(documentNotFoundMessage());
    CommercialDocumentItem& document = edit.documents[index];
    const QList<QUuid> oldProjects = document.linkedProjectIDs;
    applyForm(document, form, edit.projects);
    const StatusLists lists = StatusLists::of(store);
    captureSnapshotIfNeeded(edit.documents, index, lists, SnapshotSources::of(store, clock));
    syncDocumentLinks(edit.projects, edit.documents[index], oldProjects);
    const CommercialDocumentItem stored = edit.documents[index];
    return savedWithAlert(edit.commit(), stored, lists);
}

std::optional<Alert> depositAutoPaidAlert(const CommercialDocumentItem& invoice,
                                          const StatusLists& lists) {
    if (invoice.kind != CommercialDocumentKind::invoice ||
        statusKey(invoice, lists) != StatusKeys::draft())
        return std::nullopt;
    const double deposits = depositTotal(invoice.lines);
    const bool hasDepositPayment =
        std::any_of(invoice.encaissements.cbegin(), invoice.encaissements.cend(),
                    [](const Encaissement& e) { return e.isAcompte; });
    if (!(deposits > 0) || hasDepositPayment)
        return std::nullopt;
    const QString message =
        QStringLiteral("Un acompte de ") + formatMoney(deposits) +
        QStringLiteral(" a été ajouté à cette facture (") + invoice.number +
        QStringLiteral(
            "). Le statut va automatiquement passer en « Payé » et le document ne sera plus "
            "modifiable après confirmation.\n\nIl ne reste qu'à renseigner la date "
            "d'encaissement et le mode de paiement reçu — le montant est verrouillé sur celui de "
            "l'acompte.\n\nD'autres paiements pourront être ajoutés par la suite depuis la "
            "section « Règlement » de la fiche facture.");
    return Alert{Alert::Kind::information,
                 QStringLiteral("Passage automatique en Payé"),
                 message,
                 {AlertButton{QStringLiteral("Annuler"), AlertRole::cancel},
                  AlertButton{QStringLiteral("Continuer"), AlertRole::defaultAction}}};
}

DocumentResult convertQuoteToInvoice(AppDataStore& store, const QUuid& quoteID,
                                     const Clock& clock) {
    DocumentStoreEdit edit(store);
    const CommercialDocumentItem* quote = edit.document(quoteID);
    if (!quote || quote->kind != CommercialDocumentKind::quote)
        return DocumentResult::notFound(documentNotFoundMessage());
    CommercialDocumentItem invoice = freshCopy(*quote, clock.now());
    invoice.kind = CommercialDocumentKind::invoice;
    const QList<TagItem>& statuses = store.invoiceStatuses();
    if (!statuses.isEmpty())
        invoice.statusID = statuses.first().id;
    invoice.number = nextDocumentNumber(CommercialDocumentKind::invoice, edit.documents,
                                        clock.now().toLocalTime().date());
    invoice.linkedQuoteID = quoteID;
    return insertCopy(edit, invoice, QStringLiteral("Conversion impossible"));
}

DocumentResult duplicateDocument(AppDataStore& store, const QUuid& documentID, const Clock& clock) {
    DocumentStoreEdit edit(store);
    const CommercialDocumentItem* origin = edit.document(documentID);
    if (!origin)
        return DocumentResult::notFound(documentNotFoundMessage());
    CommercialDocumentItem copy = freshCopy(*origin, clock.now());
    copy.statusID =
        firstStatusWithKey(StatusLists::of(store).of(origin->kind), {StatusKeys::draft()});
    copy.number = origin->number + QStringLiteral(" - Copie");
    copy.validityDate = origin->validityDate;
    return insertCopy(edit, copy, QStringLiteral("Duplication impossible"));
}

} // namespace velmora
