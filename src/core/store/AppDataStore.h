#pragma once

#include "core/Result.h"
#include "core/model/AppDatabase.h"
#include "core/platform/Bookmarks.h"
#include "core/platform/Clock.h"
#include "core/platform/FileSystem.h"
#include "core/platform/UserDefaults.h"
#include "core/store/DefaultFileBookmark.h"
#include "core/store/MediaFolder.h"
#include "core/store/SessionEdit.h"
#include "core/store/SessionStorage.h"
#include "core/store/StoreFolder.h"

#include <QObject>
#include <QSet>
#include <QUrl>

#include <optional>

namespace velmora {

using IdSet = QSet<QUuid>;

// The single owner of the open session: its records, read by everyone and
// changed only through edit(), which saves once and then announces the
// changed parts with one sessionChanged. Where the session is read from and
// written to, its media files and the user's own file are its parts.
class AppDataStore : public QObject {
    Q_OBJECT

public:
    struct Services {
        FileSystem& fileSystem;
        UserDefaults& userDefaults;
        Bookmarks& bookmarks;
        const Clock& clock;
    };

    // Every part starts at its default; nothing is read until create().
    AppDataStore(Services services, StoreFolder folder, QObject* parent = nullptr);
    ~AppDataStore() override;

    // Start-up: resolves the default file, loads, then seeds or backs up.
    void create();

    // Opens what SessionStorage::load finds; on failure the current data
    // stay and the message is returned.
    Result<> load();
    Result<> save();
    // Returns once the session is captured; writing happens in order on a
    // background thread and ends with backgroundSaveFinished.
    void saveInBackground();
    // Waits for every queued background save.
    void waitForBackgroundSaves();
    // Decodes the working copy on a background thread, applies it here, then
    // emits reloadFinished.
    void reload();

    // Runs a flow on a copy of the session; when the flow succeeds and
    // touched something, the touched parts are taken and saved once. A
    // failed save puts them back and turns the outcome into `notSaved`; the
    // change signal goes out only after a successful save. Media the flow
    // staged stay only when it was saved.
    template <class Change> auto edit(Change&& change) {
        SessionEdit session(m_data, &m_media);
        auto outcome = std::forward<Change>(change)(session);
        if (outcome.ok() && session.touchedAny()) {
            const Result<> saved = commit(session);
            if (!saved.ok()) {
                session.discard();
                auto failed = decltype(outcome)::notSaved(saved.error());
                if (!session.failureTitle().isEmpty())
                    failed.setAlert(
                        okAlert(session.failureTitle(), saved.error(), Alert::Kind::error));
                return failed;
            }
            if (!saved.warning().isEmpty())
                outcome.setWarning(outcome.warning().isEmpty()
                                       ? saved.warning()
                                       : saved.warning() + QLatin1Char('\n') + outcome.warning());
            session.finishSaved();
        } else {
            session.discard();
        }
        return outcome;
    }

    // Applies a chosen session file, makes it the default file and saves.
    Result<> openFile(const QUrl& url);
    // Applies a session file without making it the default and without saving.
    Result<> applyFile(const QUrl& url);
    Result<> exportTo(const QUrl& url);
    void newSession();

    void setDefaultFile(const QUrl& url);
    void clearDefaultFile();
    const std::optional<QUrl>& defaultCDBFileURL() const { return m_defaultFile.url(); }

    // The open session as the flows read it (media as files, not embedded).
    const AppDatabase& session() const { return m_data; }
    const StoreFolder& folder() const { return m_folder; }
    QString mediaFolder() const { return m_media.path(); }
    const MediaFolder& media() const { return m_media; }
    // What the flows that take them need: the media reader, the PDF export,
    // the moment of a conversion.
    FileSystem& fileSystem() const { return m_services.fileSystem; }
    const Clock& clock() const { return m_services.clock; }
    // The user account's display preferences (a list's order and filter).
    UserDefaults& userDefaults() const { return m_services.userDefaults; }
    // The session as it would be written now, embeddedMedia included.
    AppDatabase snapshot();

#define VELMORA_STORE_MEMBER(Type, name, Name)                                                     \
    const Type& name() const {                                                                     \
        return m_data.name;                                                                        \
    }
    VELMORA_SESSION_FIELDS(VELMORA_STORE_MEMBER)
#undef VELMORA_STORE_MEMBER
    QUuid sessionID() const {
        return *m_data.sessionID;
    }

signals:
    // Once per successful edit, and with every part when a session is
    // opened: the parts whose value changed.
    void sessionChanged(const velmora::SessionFields& fields);
    void defaultCDBFileURLChanged();

    void backgroundSaveFinished(const velmora::Result<>& result);
    // After every save, in the foreground or not: the window shows a failure
    // or the warning of a file that could not be updated.
    void saveFinished(const velmora::Result<>& result);
    void reloadFinished(const velmora::Result<>& result);

private:
    Result<> commit(SessionEdit& session);
    void apply(AppDatabase db);

    Services m_services;
    StoreFolder m_folder;
    AppDatabase m_data;
    MediaFolder m_media;
    DefaultFileBookmark m_defaultFile;
    // Last: it waits for its writer thread before the rest goes.
    SessionStorage m_storage;
};

} // namespace velmora
