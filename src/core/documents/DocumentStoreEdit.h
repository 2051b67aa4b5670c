#pragma once

#include "core/store/AppDataStore.h"

namespace velmora {

// One change of the session's records: the flows edit these copies, then
// commit() publishes them and saves once. When the save fails the previous
// records are put back, so that a failed call changes nothing.
class DocumentStoreEdit {
public:
    explicit DocumentStoreEdit(AppDataStore& store);

    QList<CommercialDocumentItem> documents;
    QList<ProjectItem> projects;
    QList<ClientItem> clients;
    QList<ServiceItem> services;

    qsizetype indexOfDocument(const QUuid& id) const;
    CommercialDocumentItem* document(const QUuid& id);
    ProjectItem* project(const QUuid& id);

    SaveResult commit();

private:
    AppDataStore& m_store;
    QList<CommercialDocumentItem> m_documents;
    QList<ProjectItem> m_projects;
    QList<ClientItem> m_clients;
    QList<ServiceItem> m_services;
};

} // namespace velmora
