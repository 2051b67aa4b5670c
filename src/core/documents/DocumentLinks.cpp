#include "core/documents/DocumentLinks.h"

#include "core/activities/ActivityTexts.h"
#include "core/store/AppDataStore.h"

#include <algorithm>

namespace velmora {
namespace {

QList<QUuid>& sideOf(ProjectItem& project, CommercialDocumentKind kind) {
    return kind == CommercialDocumentKind::invoice ? project.linkedInvoiceIDs
                                                   : project.linkedQuoteIDs;
}

Result<> invoiceNotFound() {
    return Result<>::notFound(documentNotFoundMessage());
}

} // namespace

void syncDocumentLinks(QList<ProjectItem>& projects, const CommercialDocumentItem& document,
                       const QList<QUuid>& oldProjectIDs) {
    const QList<QUuid>& newProjectIDs = document.linkedProjectIDs;
    for (ProjectItem& project : projects) {
        QList<QUuid>& side = sideOf(project, document.kind);
        const bool isNew = newProjectIDs.contains(project.id);
        const bool wasOld = oldProjectIDs.contains(project.id);
        if (isNew && !wasOld && !side.contains(document.id))
            side.append(document.id);
        else if (wasOld && !isNew)
            side.removeAll(document.id);
    }
}

Result<> syncDocumentLinks(SessionEdit& edit, const QUuid& documentID,
                           const QList<QUuid>& oldProjectIDs) {
    const CommercialDocumentItem* document = edit.document(documentID);
    if (!document)
        return Result<>::notFound(documentNotFoundMessage());
    const QList<ProjectItem> before = edit.session().projects;
    syncDocumentLinks(edit.projects(), *document, oldProjectIDs);
    if (edit.session().projects == before)
        return Result<>::unchanged();
    return Result<>();
}

QList<QUuid> cleanedActivityIDs(const QList<QUuid>& chosen, const QList<ProjectItem>& projects) {
    QList<QUuid> cleaned;
    for (const QUuid& id : chosen) {
        if (cleaned.size() == kMaxLinkedActivities)
            break;
        const bool known = std::any_of(projects.cbegin(), projects.cend(),
                                       [&](const ProjectItem& p) { return p.id == id; });
        if (known && !cleaned.contains(id))
            cleaned.append(id);
    }
    return cleaned;
}

std::optional<ProjectItem> ActivityLinks::linkedElsewhere(const CommercialDocumentItem& document,
                                                          const QList<ProjectItem>& projects,
                                                          const QUuid& targetProjectID) {
    for (const QUuid& id : document.linkedProjectIDs) {
        if (id == targetProjectID)
            continue;
        for (const ProjectItem& project : projects) {
            if (project.id == id)
                return project;
        }
    }
    return std::nullopt;
}

Alert ActivityLinks::moveConfirmation(CommercialDocumentKind kind, const QString& activityTitle) {
    const bool invoice = kind == CommercialDocumentKind::invoice;
    const QString title =
        invoice ? QStringLiteral("Déplacer la facture ?") : QStringLiteral("Déplacer le devis ?");
    const QString message =
        (invoice ? QStringLiteral("Cette facture est déjà liée à l'activité « ")
                 : QStringLiteral("Ce devis est déjà lié à l'activité « ")) +
        activityTitle + QStringLiteral(" ». Voulez-vous l'ajouter à cette activité également ?");
    return Alert{Alert::Kind::warning,
                 title,
                 message,
                 {AlertButton{QStringLiteral("Annuler"), AlertRole::cancel},
                  AlertButton{QStringLiteral("Ajouter"), AlertRole::defaultAction}}};
}

Result<> ActivityLinks::link(SessionEdit& edit, const QUuid& documentID, const QUuid& projectID) {
    CommercialDocumentItem* document = edit.document(documentID);
    if (!document)
        return Result<>::notFound(documentNotFoundMessage());
    if (!edit.project(projectID))
        return Result<>::notFound(ActivityTexts::notFoundMessage());
    if (document->linkedProjectIDs.contains(projectID))
        return Result<>::unchanged();
    if (document->linkedProjectIDs.size() >= kMaxLinkedActivities)
        return Result<>::invalid(tooManyMessage());
    const QList<QUuid> old = document->linkedProjectIDs;
    document->linkedProjectIDs.append(projectID);
    syncDocumentLinks(edit.projects(), *document, old);
    return Result<>();
}

Result<> ActivityLinks::unlink(SessionEdit& edit, const QUuid& documentID, const QUuid& projectID) {
    CommercialDocumentItem* document = edit.document(documentID);
    if (!document)
        return Result<>::notFound(documentNotFoundMessage());
    if (!document->linkedProjectIDs.contains(projectID))
        return Result<>::unchanged();
    const QList<QUuid> old = document->linkedProjectIDs;
    document->linkedProjectIDs.removeAll(projectID);
    syncDocumentLinks(edit.projects(), *document, old);
    return Result<>();
}

QString QuoteAssociation::quoteLabel(const CommercialDocumentItem& quote) {
    const QString number = quote.number.trimmed();
    return number.isEmpty() ? QStringLiteral("Devis sans numéro") : number;
}

Alert QuoteAssociation::dissociateConfirmation() {
    return Alert{Alert::Kind::warning,
                 QStringLiteral("Dissocier le devis ?"),
                 QStringLiteral("Le lien avec le devis associé sera supprimé. Cette action est "
                                "irréversible."),
                 {AlertButton{QStringLiteral("Annuler"), AlertRole::cancel},
                  AlertButton{QStringLiteral("Dissocier"), AlertRole::destructive}}};
}

Result<> QuoteAssociation::associateQuote(SessionEdit& edit, const QUuid& invoiceID,
                                          const QUuid& quoteID) {
    CommercialDocumentItem* invoice = edit.document(invoiceID);
    if (!invoice || invoice->kind != CommercialDocumentKind::invoice)
        return invoiceNotFound();
    const CommercialDocumentItem* quote = edit.document(quoteID);
    if (!quote || quote->kind != CommercialDocumentKind::quote)
        return Result<>::notFound(QStringLiteral("Ce devis n'existe plus."));
    invoice = edit.document(invoiceID);
    invoice->linkedQuoteID = quoteID;
    invoice->linkedQuotePDFURL.reset();
    return Result<>();
}

Result<> QuoteAssociation::associateQuotePDF(SessionEdit& edit, const QUuid& invoiceID,
                                             const QUrl& pdfURL) {
    CommercialDocumentItem* invoice = edit.document(invoiceID);
    if (!invoice || invoice->kind != CommercialDocumentKind::invoice)
        return invoiceNotFound();
    if (!pdfURL.isValid() || pdfURL.isEmpty())
        return Result<>::invalid(QStringLiteral("Le PDF du devis est introuvable."));
    invoice->linkedQuotePDFURL = pdfURL;
    invoice->linkedQuoteID.reset();
    return Result<>();
}

Result<> QuoteAssociation::dissociate(SessionEdit& edit, const QUuid& invoiceID) {
    CommercialDocumentItem* invoice = edit.document(invoiceID);
    if (!invoice || invoice->kind != CommercialDocumentKind::invoice)
        return invoiceNotFound();
    if (!invoice->linkedQuoteID && !invoice->linkedQuotePDFURL)
        return Result<>::unchanged();
    invoice->linkedQuoteID.reset();
    invoice->linkedQuotePDFURL.reset();
    return Result<>();
}

} // namespace velmora
