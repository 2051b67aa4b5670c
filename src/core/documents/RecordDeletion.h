#pragma once

#include "core/documents/DocumentStatus.h"

#include <QUuid>

namespace velmora {

// Deleting clients, catalogue services, activities and documents: each is
// confirmed first with the record's name. Activities and documents also
// leave the other side of their links; clients and services leave the
// references that name them, so that issued documents keep their history.
class RecordDeletion {
public:
    // Also says how many of `documents` keep the client as issued.
    static Alert clientConfirmation(const ClientItem& client,
                                    const QList<CommercialDocumentItem>& documents);
    static Alert serviceConfirmation(const ServiceItem& service);
    static Alert activityConfirmation(const ProjectItem& project);
    static Alert documentConfirmation(const CommercialDocumentItem& document);

    // How an activity is named when its title is empty.
    static QString activityName(const ProjectItem& project);

    static Result<> deleteClient(SessionEdit& edit, const QUuid& clientID);
    static Result<> deleteService(SessionEdit& edit, const QUuid& serviceID);
    // Also removes the activity from every document's linkedProjectIDs.
    static Result<> deleteActivity(SessionEdit& edit, const QUuid& projectID);
    // Also removes the document from every activity's links and from the
    // invoices that name it as their quote.
    static Result<> deleteDocument(SessionEdit& edit, const QUuid& documentID);
};

} // namespace velmora
