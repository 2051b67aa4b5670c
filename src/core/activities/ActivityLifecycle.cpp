#include "core/activities/ActivityLifecycle.h"

#include "core/activities/ActivityTexts.h"
#include "core/documents/DepositDecision.h"
#include "core/documents/DocumentWorkflow.h"
#include "core/platform/Clock.h"

#include <algorithm>

namespace velmora {
namespace {

const ProjectItem* findProject(const AppDatabase& session, const QUuid& projectID) {
    const auto& projects = session.projects;
    const auto found = std::find_if(projects.cbegin(), projects.cend(),
                                    [&](const ProjectItem& p) { return p.id == projectID; });
    return found == projects.cend() ? nullptr : &*found;
}

bool isLinkedInvoice(const CommercialDocumentItem& document, const QUuid& projectID) {
    return document.kind == CommercialDocumentKind::invoice &&
           document.linkedProjectIDs.contains(projectID);
}

// "1 facture" / "2 factures".
QString invoices(qsizetype count) {
    return QString::number(count) +
           (count == 1 ? QStringLiteral(" facture") : QStringLiteral(" factures"));
}

} // namespace

bool isConcernedInvoice(const CommercialDocumentItem& document, const QUuid& projectID,
                        const StatusLists& lists) {
    return isLinkedInvoice(document, projectID) &&
           statusKey(document, lists) != StatusKeys::draft();
}

bool hasDepositPayment(const CommercialDocumentItem& document) {
    return std::any_of(document.encaissements.cbegin(), document.encaissements.cend(),
                       [](const Encaissement& e) { return e.isAcompte; });
}

CancellationEffects countCancellationEffects(const AppDatabase& session, const QUuid& projectID) {
    CancellationEffects effects;
    if (!findProject(session, projectID))
        return effects;
    const StatusLists lists = StatusLists::of(session);
    for (const CommercialDocumentItem& document : session.documents) {
        if (!isConcernedInvoice(document, projectID, lists))
            continue;
        ++(hasDepositPayment(document) ? effects.withDeposit : effects.withoutDeposit);
    }
    return effects;
}

qsizetype countRememberedStatuses(const AppDatabase& session, const QUuid& projectID) {
    return std::count_if(session.documents.cbegin(), session.documents.cend(),
                         [&](const CommercialDocumentItem& document) {
                             return isLinkedInvoice(document, projectID) &&
                                    document.preCancelStatusID.has_value();
                         });
}

bool hasPendingDepositDecision(const AppDatabase& session, const QUuid& projectID) {
    const ProjectItem* project = findProject(session, projectID);
    if (!project || !project->isCancelled)
        return false;
    const StatusLists lists = StatusLists::of(session);
    return std::any_of(session.documents.cbegin(), session.documents.cend(),
                       [&](const CommercialDocumentItem& document) {
                           return isConcernedInvoice(document, projectID, lists) &&
                                  DepositDecision::isPending(document, true);
                       });
}

Alert cancelConfirmation(const ProjectItem& project, const CancellationEffects& effects) {
    QStringList paragraphs{QStringLiteral("« ") + ActivityTexts::title(project) +
                           QStringLiteral(" » sera marqué comme annulé.")};
    const qsizetype n = effects.withDeposit;
    const qsizetype m = effects.withoutDeposit;
    if (n > 0 || m > 0) {
        QStringList bullets;
        if (n > 0)
            bullets << QStringLiteral("• ") + invoices(n) +
                           (n == 1 ? QStringLiteral(" avec acompte versé → passera")
                                   : QStringLiteral(" avec acompte versé → passeront")) +
                           QStringLiteral(" en statut « Payé » (l'acompte reste comptabilisé).");
        if (m > 0)
            bullets << QStringLiteral("• ") + invoices(m) +
                           (m == 1 ? QStringLiteral(" sans acompte → passera")
                                   : QStringLiteral(" sans acompte → passeront")) +
                           QStringLiteral(" en statut « Annulé » (rien comptabilisé).");
        paragraphs << bullets.join(QLatin1Char('\n'));
        if (n > 0)
            paragraphs << QStringLiteral(
                "Pour chaque facture passée en Payé, vous pourrez ensuite indiquer dans sa fiche "
                "si l'acompte a été remboursé au client (exclu de la compta) ou conservé.");
    } else {
        paragraphs << QStringLiteral("Aucune facture n'est liée à cette activité.");
    }
    paragraphs << QStringLiteral("Cette action peut être annulée via le bouton « Réactiver » : "
                                 "les factures retrouveront alors leur état d'origine.");
    return Alert{Alert::Kind::warning,
                 QStringLiteral("Annuler cette activité ?"),
                 paragraphs.join(QStringLiteral("\n\n")),
                 {AlertButton{QStringLiteral("Garder"), AlertRole::cancel},
                  AlertButton{QStringLiteral("Annuler l'activité"), AlertRole::destructive}}};
}

Alert reactivationConfirmation(qsizetype k) {
    const QString message =
        k <= 0 ? QStringLiteral("Cette activité sera réactivée. Aucune facture associée n'est "
                                "concernée par cette réactivation.")
               : QStringLiteral("Cette activité sera réactivée.\n\n") + invoices(k) +
                     (k == 1 ? QStringLiteral(" associée retrouvera")
                             : QStringLiteral(" associées retrouveront")) +
                     QStringLiteral(" son statut d'origine (avant l'annulation de l'activité). "
                                    "Les choix de remboursement d'acompte seront également "
                                    "effacés.");
    return Alert{Alert::Kind::information,
                 QStringLiteral("Réactiver cette activité ?"),
                 message,
                 {AlertButton{QStringLiteral("Annuler"), AlertRole::cancel},
                  AlertButton{QStringLiteral("Réactiver"), AlertRole::defaultAction}}};
}

Result<> cancelActivity(SessionEdit& edit, const QUuid& projectID, const Clock& clock) {
    const ProjectItem* found = findProject(edit.session(), projectID);
    if (!found)
        return Result<>::notFound(ActivityTexts::notFoundMessage());
    if (found->isCancelled)
        return Result<>::unchanged();

    const QDateTime now = clock.now();
    ProjectItem& project = *edit.project(projectID);
    project.preCancelStatus = project.status;
    project.isCancelled = true;
    project.cancelledAt = now;
    project.status = ActivityTexts::cancelledStatus();

    const AppDatabase& session = edit.session();
    const std::optional<QUuid> paid =
        firstStatusWithKey(session.invoiceStatuses, {StatusKeys::paid()});
    if (!paid)
        return Result<>();
    const StatusLists lists = StatusLists::of(session);
    const SnapshotSources sources = SnapshotSources::of(session, clock);
    // Which invoices change is decided on their statuses before any changes.
    QList<qsizetype> settled;
    for (qsizetype i = 0; i < session.documents.size(); ++i) {
        const CommercialDocumentItem& document = session.documents.at(i);
        if (isConcernedInvoice(document, projectID, lists) && hasDepositPayment(document))
            settled.append(i);
    }
    if (settled.isEmpty())
        return Result<>();
    QList<CommercialDocumentItem>& documents = edit.documents();
    for (const qsizetype i : std::as_const(settled)) {
        CommercialDocumentItem& invoice = documents[i];
        if (!invoice.preCancelStatusID)
            invoice.preCancelStatusID = invoice.statusID;
        invoice.statusID = *paid;
        if (!invoice.encaissementDate)
            invoice.encaissementDate = now;
        captureSnapshotIfNeeded(documents, i, lists, sources);
    }
    return Result<>();
}

Result<> reactivateActivity(SessionEdit& edit, const QUuid& projectID) {
    const ProjectItem* found = findProject(edit.session(), projectID);
    if (!found)
        return Result<>::notFound(ActivityTexts::notFoundMessage());
    if (!found->isCancelled)
        return Result<>::unchanged();

    ProjectItem& project = *edit.project(projectID);
    // A remembered status of nothing but white space names no status.
    const bool remembered =
        project.preCancelStatus && !project.preCancelStatus->trimmed().isEmpty();
    project.status = remembered ? *project.preCancelStatus : ActivityTexts::defaultStatus();
    project.preCancelStatus.reset();
    project.isCancelled = false;
    project.cancelledAt.reset();

    const QList<CommercialDocumentItem>& before = edit.session().documents;
    for (qsizetype i = 0; i < before.size(); ++i) {
        const CommercialDocumentItem& document = before.at(i);
        if (!isLinkedInvoice(document, projectID) ||
            (!document.preCancelStatusID && !document.acompteRefundStatus))
            continue;
        CommercialDocumentItem& invoice = edit.documents()[i];
        if (invoice.preCancelStatusID)
            invoice.statusID = invoice.preCancelStatusID;
        invoice.preCancelStatusID.reset();
        invoice.acompteRefundStatus.reset();
    }
    return Result<>();
}

} // namespace velmora
