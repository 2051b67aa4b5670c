#include "core/documents/DocumentCreation.h"

#include "core/documents/DocumentLines.h"
#include "core/documents/DocumentLinks.h"
#include "core/documents/DocumentNumbering.h"
#include "core/documents/DocumentTotals.h"
#include "core/documents/DocumentWorkflow.h"
#include "core/platform/Clock.h"
#include "core/store/SessionEdit.h"
#include "core/text/MoneyFormat.h"

#include <algorithm>

namespace velmora {
namespace {

bool hasPositiveDepositLine(const QList<CommercialDocumentLine>& lines) {
    return std::any_of(lines.cbegin(), lines.cend(), [](const CommercialDocumentLine& line) {
        return line.kind == CommercialDocumentLineKind::deposit && line.priceTTC > 0;
    });
}

} // namespace

DocumentForm DocumentForm::of(const CommercialDocumentItem& document) {
    DocumentForm form;
    form.kind = document.kind;
    form.sourceKind = document.sourceKind;
    form.statusID = document.statusID;
    form.number = document.number;
    form.issueDate = document.issueDate;
    form.validityDate = document.validityDate;
    form.dueDays = document.dueDays;
    form.paymentTerms = document.paymentTerms;
    form.clientID = document.clientID;
    form.linkedProjectIDs = document.linkedProjectIDs;
    form.notes = document.notes;
    form.lines = document.lines;
    form.importedPDFURL = document.importedPDFURL;
    return form;
}

void applyDocumentForm(CommercialDocumentItem& document, const DocumentForm& form,
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

namespace {

// Freezes the document at `index` when it starts issued and links its
// activities; the result names it and may carry the auto-paid alert.
Result<QUuid> stored(SessionEdit& edit, qsizetype index, const QList<QUuid>& oldProjects,
                     const Clock& clock) {
    const StatusLists lists = StatusLists::of(edit.session());
    const SnapshotSources sources = SnapshotSources::of(edit.session(), clock);
    captureSnapshotIfNeeded(edit.documents(), index, lists, sources);
    const CommercialDocumentItem& document = edit.session().documents[index];
    syncDocumentLinks(edit.projects(), document, oldProjects);
    Result<QUuid> result(document.id);
    result.setAlert(depositAutoPaidAlert(document, lists));
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

// Puts a new document at the front of the list, linked from the activities
// it names like any other; a failed save says so under the flow's title.
Result<QUuid> insertCopy(SessionEdit& edit, const CommercialDocumentItem& copy,
                         const QString& failureTitle) {
    edit.documents().prepend(copy);
    syncDocumentLinks(edit.projects(), copy, {});
    edit.setFailureTitle(failureTitle);
    return Result<QUuid>(copy.id);
}

} // namespace

QString DocumentCreation::validate(const DocumentForm& form, bool creating) {
    if (form.number.trimmed().isEmpty())
        return numberRequiredMessage();
    if (const QString refused = LineEditor::firstRefusal(form.lines); !refused.isEmpty())
        return refused;
    if (form.kind == CommercialDocumentKind::invoice && hasPositiveDepositLine(form.lines) &&
        !form.clientID)
        return creating ? clientRequiredForDepositOnCreate() : clientRequiredForDepositOnSave();
    return QString();
}

Result<QUuid> DocumentCreation::create(SessionEdit& edit, const DocumentForm& form,
                                       const Clock& clock) {
    if (const QString error = validate(form, true); !error.isEmpty())
        return Result<QUuid>::invalid(error, okAlert(QString(), error));
    CommercialDocumentItem document;
    document.id = QUuid::createUuid();
    applyDocumentForm(document, form, edit.projects());
    edit.documents().prepend(document);
    return stored(edit, 0, {}, clock);
}

Result<QUuid> DocumentCreation::save(SessionEdit& edit, const QUuid& documentID,
                                     const DocumentForm& form, const Clock& clock) {
    if (const QString error = validate(form, false); !error.isEmpty())
        return Result<QUuid>::invalid(error, okAlert(QString(), error));
    const qsizetype index = edit.indexOfDocument(documentID);
    if (index < 0)
        return Result<QUuid>::notFound(documentNotFoundMessage());
    CommercialDocumentItem& document = edit.documents()[index];
    const QList<QUuid> oldProjects = document.linkedProjectIDs;
    applyDocumentForm(document, form, edit.projects());
    return stored(edit, index, oldProjects, clock);
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
            "). Le statut va automatiquement passer en « Payé » et le document ne sera plus "
            "modifiable après confirmation.\n\nIl ne reste qu'à renseigner la date "
            "d'encaissement et le mode de paiement reçu — le montant est verrouillé sur celui de "
            "l'acompte.\n\nD'autres paiements pourront être ajoutés par la suite depuis la "
            "section « Règlement » de la fiche facture.");
    return Alert{Alert::Kind::information,
                 QStringLiteral("Passage automatique en Payé"),
                 message,
                 {AlertButton{QStringLiteral("Annuler"), AlertRole::cancel},
                  AlertButton{QStringLiteral("Continuer"), AlertRole::defaultAction}}};
}

Result<QUuid> convertQuoteToInvoice(SessionEdit& edit, const QUuid& quoteID, const Clock& clock) {
    const AppDatabase& session = edit.session();
    const auto found = std::find_if(session.documents.cbegin(), session.documents.cend(),
                                    [&](const auto& d) { return d.id == quoteID; });
    const CommercialDocumentItem* quote = found == session.documents.cend() ? nullptr : &*found;
    if (!quote || quote->kind != CommercialDocumentKind::quote)
        return Result<QUuid>::notFound(documentNotFoundMessage());
    CommercialDocumentItem invoice = freshCopy(*quote, clock.now());
    invoice.kind = CommercialDocumentKind::invoice;
    const QList<TagItem>& statuses = session.invoiceStatuses;
    if (!statuses.isEmpty())
        invoice.statusID = statuses.first().id;
    invoice.number = nextDocumentNumber(CommercialDocumentKind::invoice, session.documents,
                                        clock.now().toLocalTime().date());
    invoice.linkedQuoteID = quoteID;
    return insertCopy(edit, invoice, QStringLiteral("Conversion impossible"));
}

const CommercialDocumentItem* invoiceFromQuote(const QList<CommercialDocumentItem>& documents,
                                               const QUuid& quoteID) {
    const auto found = std::find_if(documents.cbegin(), documents.cend(), [&](const auto& d) {
        return d.kind == CommercialDocumentKind::invoice && d.linkedQuoteID == quoteID;
    });
    return found == documents.cend() ? nullptr : &*found;
}

QString convertedIntoText(const CommercialDocumentItem& invoice) {
    return QStringLiteral("Converti en facture ") + invoice.number.trimmed();
}

Alert reconversionConfirmation(const CommercialDocumentItem& invoice) {
    return Alert{
        Alert::Kind::warning,
        QStringLiteral("Convertir en facture"),
        QStringLiteral("Ce devis a déjà été converti en facture ") + invoice.number.trimmed() +
            QStringLiteral(". Créer une autre facture ?"),
        {AlertButton{QStringLiteral("Annuler"), AlertRole::cancel},
         AlertButton{QStringLiteral("Créer une autre facture"), AlertRole::defaultAction}}};
}

Result<QUuid> duplicateDocument(SessionEdit& edit, const QUuid& documentID, const Clock& clock) {
    const AppDatabase& session = edit.session();
    const auto origin = std::find_if(session.documents.cbegin(), session.documents.cend(),
                                     [&](const auto& d) { return d.id == documentID; });
    if (origin == session.documents.cend())
        return Result<QUuid>::notFound(documentNotFoundMessage());
    CommercialDocumentItem copy = freshCopy(*origin, clock.now());
    copy.statusID =
        firstStatusWithKey(StatusLists::of(session).of(origin->kind), {StatusKeys::draft()});
    copy.number = origin->number + QStringLiteral(" - Copie");
    copy.validityDate = origin->validityDate;
    return insertCopy(edit, copy, QStringLiteral("Duplication impossible"));
}

} // namespace velmora
