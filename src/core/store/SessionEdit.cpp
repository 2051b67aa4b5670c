#include "core/store/SessionEdit.h"

#include <algorithm>

namespace velmora {

qsizetype SessionEdit::indexOfDocument(const QUuid& id) const {
    const auto& documents = m_data.documents;
    const auto found = std::find_if(documents.cbegin(), documents.cend(),
                                    [&](const CommercialDocumentItem& d) { return d.id == id; });
    return found == documents.cend() ? -1 : found - documents.cbegin();
}

CommercialDocumentItem* SessionEdit::document(const QUuid& id) {
    const qsizetype index = indexOfDocument(id);
    return index < 0 ? nullptr : &documents()[index];
}

ProjectItem* SessionEdit::project(const QUuid& id) {
    const auto& projects = m_data.projects;
    const auto found = std::find_if(projects.cbegin(), projects.cend(),
                                    [&](const ProjectItem& p) { return p.id == id; });
    return found == projects.cend() ? nullptr : &this->projects()[found - projects.cbegin()];
}

} // namespace velmora
