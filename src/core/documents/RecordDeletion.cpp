#include "core/documents/RecordDeletion.h"

#include "core/documents/DocumentStoreEdit.h"
#include "core/text/ClientDisplayName.h"

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
    return project.title.trimmed().isEmpty() ? QStringLiteral("Activité sans titre")
                                             : project.title;
}

Alert RecordDeletion::clientConfirmation(const ClientItem& client) {
    return deletion(QStringLiteral("Supprimer le client ?"),
                    QStringLiteral("Le client « ") + clientDisplayName(client) +
                        QStringLiteral(" » sera supprimé définitivement."));
}

Alert RecordDeletion::serviceConfirmation(const ServiceItem& service) {
    return deletion(QStringLiteral("Supprimer la prestation ?"),
                    QStringLiteral("La prestation « ") + service.title +
                        QStringLiteral(" » sera supprimée définitivement."));
}

Alert RecordDeletion::activityConfirmation(const ProjectItem& project) {
    return deletion(QStringLiteral("Supprimer l'activité ?"),
                    QStringLiteral("L'activité « ") + activityName(project) +
                        QStringLiteral(" » sera supprimée définitivement."));
}

Alert RecordDeletion::documentConfirmation(const CommercialDocumentItem& document) {
    return deletion(QStringLiteral("Supprimer le document ?"),
                    QStringLiteral("Le document « ") + document.number +
                        QStringLiteral(" » sera supprimé définitivement."));
}

DocumentResult RecordDeletion::deleteClient(AppDataStore& store, const QUuid& clientID) {
    DocumentStoreEdit edit(store);
    const qsizetype index = indexOfId(edit.clients, clientID);
    if (index < 0)
        return DocumentResult::notFound(QStringLiteral("Ce client n'existe plus."));
    edit.clients.removeAt(index);
    return DocumentResult::fromSave(edit.commit());
}

DocumentResult RecordDeletion::deleteService(AppDataStore& store, const QUuid& serviceID) {
    DocumentStoreEdit edit(store);
    const qsizetype index = indexOfId(edit.services, serviceID);
    if (index < 0)
        return DocumentResult::notFound(QStringLiteral("Cette prestation n'existe plus."));
    edit.services.removeAt(index);
    return DocumentResult::fromSave(edit.commit());
}

DocumentResult RecordDeletion::deleteActivity(AppDataStore& store, const QUuid& projectID) {
    DocumentStoreEdit edit(store);
    const qsizetype index = indexOfId(edit.projects, projectID);
    if (index < 0)
        return DocumentResult::notFound(QStringLiteral("Cette activité n'existe plus."));
    edit.projects.removeAt(index);
    for (CommercialDocumentItem& document : edit.documents)
        document.linkedProjectIDs.removeAll(projectID);
    return DocumentResult::fromSave(edit.commit());
}

DocumentResult RecordDeletion::deleteDocument(AppDataStore& store, const QUuid& documentID) {
    DocumentStoreEdit edit(store);
    const qsizetype index = edit.indexOfDocument(documentID);
    if (index < 0)
        return DocumentResult::notFound(documentNotFoundMessage());
    edit.documents.removeAt(index);
    for (ProjectItem& project : edit.projects) {
        project.linkedInvoiceIDs.removeAll(documentID);
        project.linkedQuoteIDs.removeAll(documentID);
    }
    for (CommercialDocumentItem& document : edit.documents) {
        if (document.linkedQuoteID == documentID)
            document.linkedQuoteID.reset();
    }
    return DocumentResult::fromSave(edit.commit());
}

} // namespace velmora
