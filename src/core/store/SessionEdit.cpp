#include "core/store/SessionEdit.h"

#include "core/store/MediaFolder.h"

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

Result<QUrl> SessionEdit::importMedia(const QUrl& source, bool keepName, const QString& prefix) {
    if (!m_media)
        return Result<QUrl>::failure(
            QStringLiteral("Aucun dossier de médias n'est ouvert pour y copier « %1 ».")
                .arg(source.fileName()));
    Result<QUrl> copy = m_media->importFile(source, keepName, prefix);
    if (copy)
        m_staged.append(copy.value());
    return copy;
}

void SessionEdit::releaseMedia(const QUrl& url) {
    // A file staged by this very edit is not yet named by any saved session.
    if (m_staged.removeAll(url) > 0) {
        if (m_media)
            m_media->remove(url);
        return;
    }
    if (!url.isEmpty() && !m_released.contains(url))
        m_released.append(url);
}

void SessionEdit::whenSaved(std::function<void()> work) {
    m_whenSaved.append(std::move(work));
}

void SessionEdit::discard() {
    if (m_media) {
        for (const QUrl& url : std::as_const(m_staged))
            m_media->remove(url);
    }
    m_staged.clear();
    m_released.clear();
    m_whenSaved.clear();
}

void SessionEdit::finishSaved() {
    if (m_media) {
        for (const QUrl& url : std::as_const(m_released))
            m_media->remove(url);
    }
    m_staged.clear();
    m_released.clear();
    const auto work = std::exchange(m_whenSaved, {});
    for (const auto& job : work)
        job();
}

} // namespace velmora
