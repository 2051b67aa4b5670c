#include "core/documents/RecordDeletion.h"

#include "core/activities/ActivityTexts.h"
#include "core/store/AppDataStore.h"
#include "core/text/ClientDisplayName.h"

#include <algorithm>

namespace velmora {
namespace {

Alert deletion(const QString& title, const QString& message) {
    return Alert{Alert::Kind::warning,
                 title,
                 message,
                 {AlertButton{QStringLiteral("Annuler"), AlertRole::cancel},
                  AlertButton{QStringLiteral("Supprimer"), AlertRole::destructive}}};
}

template <class T> qsizetype indexOfId(const QList<T>& list, const QUuid& id) {
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list[i].id == id)
            return i;
    }
    return -1;
}

} // namespace

QString RecordDeletion::activityName(const ProjectItem& project) {
    return ActivityTexts::title(project);
}

Alert RecordDeletion::clientConfirmation(const ClientItem& client,
                                         const QList<CommercialDocumentItem>& documents) {
    QString message = QStringLiteral("Le client « ") + clientDisplayName(client) +
                      QStringLiteral(" » sera supprimé définitivement.");
    // Only an issued document froze its client; a draft loses it with the record.
    const auto kept = std::count_if(documents.cbegin(), documents.cend(), [&](const auto& d) {
        return d.clientID == client.id && d.pdfSnapshot && d.pdfSnapshot->client;
    });
    if (kept == 1)
        message += QStringLiteral("\n\nSon document gardera le client tel qu’émis.");
    else if (kept > 1)
        message +=
            QStringLiteral("\n\nSes %1 documents garderont le client tel qu’émis.").arg(kept);
    return deletion(QStringLiteral("Supprimer le client ?"), message);
}

Alert RecordDeletion::serviceConfirmation(const ServiceItem& service) {
    return deletion(QStringLiteral("Supprimer la prestation ?"),
                    QStringLiteral("La prestation « ") + service.title +
                        QStringLiteral(" » sera supprimée définitivement."));
}

Alert RecordDeletion::activityConfirmation(const ProjectItem& project) {
    return deletion(QStringLiteral("Supprimer l'activité ?"),
                    QStringLiteral("L'activité « ") + activityName(project) +
                        QStringLiteral(" » sera supprimée définitivement."));
}

Alert RecordDeletion::documentConfirmation(const CommercialDocumentItem& document) {
    return deletion(QStringLiteral("Supprimer le document ?"),
                    QStringLiteral("Le document « ") + document.number +
                        QStringLiteral(" » sera supprimé définitivement."));
}

Result<> RecordDeletion::deleteClient(SessionEdit& edit, const QUuid& clientID) {
    const qsizetype index = indexOfId(edit.clients(), clientID);
    if (index < 0)
        return Result<>::notFound(QStringLiteral("Ce client n'existe plus."));
    edit.clients().removeAt(index);
    return Result<>();
}

Result<> RecordDeletion::deleteService(SessionEdit& edit, const QUuid& serviceID) {
    const qsizetype index = indexOfId(edit.services(), serviceID);
    if (index < 0)
        return Result<>::notFound(QStringLiteral("Cette prestation n'existe plus."));
    edit.services().removeAt(index);
    return Result<>();
}

Result<> RecordDeletion::deleteActivity(SessionEdit& edit, const QUuid& projectID) {
    const qsizetype index = indexOfId(edit.projects(), projectID);
    if (index < 0)
        return Result<>::notFound(ActivityTexts::notFoundMessage());
    edit.projects().removeAt(index);
    for (CommercialDocumentItem& document : edit.documents())
        document.linkedProjectIDs.removeAll(projectID);
    return Result<>();
}

Result<> RecordDeletion::deleteDocument(SessionEdit& edit, const QUuid& documentID) {
    const qsizetype index = edit.indexOfDocument(documentID);
    if (index < 0)
        return Result<>::notFound(documentNotFoundMessage());
    edit.documents().removeAt(index);
    for (ProjectItem& project : edit.projects()) {
        project.linkedInvoiceIDs.removeAll(documentID);
        project.linkedQuoteIDs.removeAll(documentID);
    }
    for (CommercialDocumentItem& document : edit.documents()) {
        if (document.linkedQuoteID == documentID)
            document.linkedQuoteID.reset();
    }
    return Result<>();
}

} // namespace velmora
