#pragma once

#include "core/Result.h"
#include "core/model/AppDatabase.h"
#include "core/platform/FileSystem.h"
#include "core/store/StoreFolder.h"

#include <QHash>
#include <QUrl>

namespace velmora {

// The open session's media files: written out of the session file when it
// opens, copied in when a record takes a file, and embedded again, read once
// and kept in memory, when the session is written.
class MediaFolder {
public:
    MediaFolder(FileSystem& fs, StoreFolder folder) : m_fs(fs), m_folder(std::move(folder)) {}

    // The folder of the session with this id; forgets the files cached for
    // the previous one.
    void open(const QUuid& sessionID);
    QString path() const { return m_path; }
    // The file's name inside the folder, or empty for a file elsewhere.
    QString keyOf(const QUrl& url) const;

    // Writes the embedded media out (a file already there is kept), points
    // the records at them, and copies in the files that records name in our
    // own older folders; `db.embeddedMedia` ends empty.
    void extract(AppDatabase& db);
    // The media the records name, in `db.embeddedMedia`; the others leave
    // the cache.
    void embed(AppDatabase& db);

    // Copies a file in, under its own name or as "<prefix>_<uuid>.<suffix>".
    Result<QUrl> importFile(const QUrl& source, bool keepName, const QString& prefix);
    // Removes a file of the folder; a file elsewhere is never touched.
    void remove(const QUrl& url);

    const QHash<QString, Base64Data>& cache() const { return m_cache; }

private:
    void bringOutsideMediaIn(AppDatabase& db);
    bool isOwnDataFile(const QString& path) const;

    FileSystem& m_fs;
    StoreFolder m_folder;
    QString m_path;
    QHash<QString, Base64Data> m_cache;
};

} // namespace velmora
