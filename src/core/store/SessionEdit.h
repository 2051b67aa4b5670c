#pragma once

#include "core/Result.h"
#include "core/store/SessionFields.h"

#include <QUrl>
#include <QUuid>

#include <functional>

namespace velmora {

class MediaFolder;

// One change of the open session, made by a flow on a copy: reading goes
// through session(), writing through the accessor of a part, which marks
// that part as touched. Whoever owns the session then commits the touched
// parts and saves them at once (AppDataStore::edit, the command line's own
// file). Copying is cheap: the lists are implicitly shared until written.
//
// Files the edit brings into the media folder are staged: they stay only if
// the edit is saved. Files it releases go only once it is saved.
class SessionEdit {
public:
    // Without a media folder (the command line), importing a file fails.
    explicit SessionEdit(AppDatabase session, MediaFolder* media = nullptr)
        : m_data(std::move(session)), m_media(media) {}

    const AppDatabase& session() const {
        return m_data;
    }

#define VELMORA_FIELD_ACCESSOR(Type, name, Name)                                                   \
    Type& name() {                                                                                 \
        m_touched.insert(SessionField::name);                                                      \
        return m_data.name;                                                                        \
    }
    VELMORA_SESSION_FIELDS(VELMORA_FIELD_ACCESSOR)
#undef VELMORA_FIELD_ACCESSOR

    bool touched(SessionField field) const {
        return m_touched.contains(field);
    }
    bool touchedAny() const {
        return !m_touched.isEmpty();
    }
    const SessionFields& touchedFields() const {
        return m_touched;
    }

    qsizetype indexOfDocument(const QUuid& id) const;
    // The record to change, or null when it is gone; asking touches its list.
    CommercialDocumentItem* document(const QUuid& id);
    ProjectItem* project(const QUuid& id);

    // Copies a file into the session's media folder, under its own name or
    // as "<prefix>_<uuid>.<suffix>": the copy's URL, or the French reason.
    Result<QUrl> importMedia(const QUrl& source, bool keepName, const QString& prefix = QString());
    // A media file no record will name once the edit is saved.
    void releaseMedia(const QUrl& url);
    // Work that must follow a successful save only (a notification to plan).
    void whenSaved(std::function<void()> work);
    // The title of the alert that says the edit could not be saved; none
    // when the flow shows the failure its own way.
    void setFailureTitle(QString title) {
        m_failureTitle = std::move(title);
    }
    const QString& failureTitle() const {
        return m_failureTitle;
    }

    // Called by whoever saves the edit, once: what it staged goes, or what
    // it released and the work waiting for the save.
    void discard();
    void finishSaved();

private:
    AppDatabase m_data;
    MediaFolder* m_media = nullptr;
    SessionFields m_touched;
    QList<QUrl> m_staged;
    QList<QUrl> m_released;
    QList<std::function<void()>> m_whenSaved;
    QString m_failureTitle;
};

} // namespace velmora
