#pragma once

#include "core/Result.h"
#include "core/model/AppDatabase.h"
#include "core/model/SessionEncoder.h"
#include "core/platform/Clock.h"
#include "core/platform/FileSystem.h"
#include "core/store/StoreFolder.h"

#include <QObject>
#include <QThreadPool>
#include <QUrl>

#include <atomic>
#include <functional>
#include <optional>

namespace velmora {

// Where the open session is read from and written to: the user's own file,
// the working copy, the always-on backup folder, and one writer thread for
// the saves that must not hold the window.
class SessionStorage : public QObject {
public:
    SessionStorage(FileSystem& fs, const Clock& clock, StoreFolder folder);
    ~SessionStorage() override;

    // The user's file when it is there, else the working copy; when the first
    // cannot be decoded the second is tried. A file that cannot be decoded
    // is copied into Backups/ as "illisible-<day>-<name>" so that no later
    // save destroys it.
    Result<AppDatabase> load(const std::optional<QUrl>& ownFile);
    Result<AppDatabase> read(const QUrl& url) const;

    // The working copy, then the user's own file (a failure there is only a
    // warning) and the backup folder. Waits for the writer first, so that an
    // older background save cannot land after this one.
    Result<> write(const AppDatabase& db, const std::optional<QUrl>& ownFile);
    // Returns at once; writes in order on the writer thread, skipping a save
    // a newer one has overtaken, and calls `done` here afterwards.
    void writeInBackground(AppDatabase db, std::optional<QUrl> ownFile,
                           std::function<void(const Result<>&)> done);
    // Decodes the working copy on the writer thread, after any pending save.
    void readInBackground(std::function<void(Result<AppDatabase>)> done);
    void waitForWriter();

    Result<> exportTo(const QUrl& url, const AppDatabase& db);
    // A crash during an atomic write leaves a temporary beside its target;
    // only those of the files written here are removed.
    void removeWriteLeftovers(const std::optional<QUrl>& ownFile,
                              const StoragePreferences& storage);

private:
    Result<AppDatabase> decodeFile(const QString& path) const;
    void setAsideUnreadable(const QString& path);
    Result<> writeEverywhere(const QByteArray& bytes, const StoragePreferences& storage,
                             const std::optional<QUrl>& ownFile);

    FileSystem& m_fs;
    const Clock& m_clock;
    StoreFolder m_folder;
    QThreadPool m_writer;
    std::atomic<quint64> m_latestBackgroundWrite{0};
    // Reused by every write, one at a time: a foreground write first waits
    // for the writer thread.
    QByteArray m_encoded;
    EncodedListCache m_listCache;
};

} // namespace velmora
