#include "core/documents/DocumentStoreEdit.h"

namespace velmora {

DocumentStoreEdit::DocumentStoreEdit(AppDataStore& store)
    : documents(store.documents()), projects(store.projects()), clients(store.clients()),
      services(store.services()), m_store(store), m_documents(documents), m_projects(projects),
      m_clients(clients), m_services(services) {}

qsizetype DocumentStoreEdit::indexOfDocument(const QUuid& id) const {
    for (qsizetype i = 0; i < documents.size(); ++i) {
        if (documents[i].id == id)
            return i;
    }
    return -1;
}

CommercialDocumentItem* DocumentStoreEdit::document(const QUuid& id) {
    const qsizetype index = indexOfDocument(id);
    return index < 0 ? nullptr : &documents[index];
}

ProjectItem* DocumentStoreEdit::project(const QUuid& id) {
    for (ProjectItem& project : projects) {
        if (project.id == id)
            return &project;
    }
    return nullptr;
}

SaveResult DocumentStoreEdit::commit() {
    m_store.setDocuments(documents);
    m_store.setProjects(projects);
    m_store.setClients(clients);
    m_store.setServices(services);
    const SaveResult saved = m_store.save();
    if (!saved.ok) {
        m_store.setDocuments(m_documents);
        m_store.setProjects(m_projects);
        m_store.setClients(m_clients);
        m_store.setServices(m_services);
    }
    return saved;
}

} // namespace velmora
