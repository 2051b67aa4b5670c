#pragma once

#include "core/Result.h"
#include "core/platform/FileSystem.h"

#include <QString>

#include <memory>

class QLockFile;

namespace velmora {

// The store's root folder, "Velmora Core" inside the user's application data
// folder, and the places inside it.
class StoreFolder {
public:
    static QString folderName() { return QStringLiteral("Velmora Core"); }
    static QString legacyFolderName() { return QStringLiteral("Velmora Manager"); }

    // Migrates the legacy names found beside and inside the root folder (a
    // failed migration is ignored), then makes sure the root folder exists.
    static Result<StoreFolder> prepare(FileSystem& fs, const QString& applicationDataFolder);
    // The same places, named without touching the disk, for a reader that
    // only needs their paths.
    static StoreFolder locate(const QString& applicationDataFolder) {
        return StoreFolder(applicationDataFolder + QLatin1Char('/') + folderName());
    }

    const QString& root() const { return m_root; }
    QString workingCopy() const { return m_root + QStringLiteral("/database.cdb"); }
    QString backupsFolder() const { return m_root + QStringLiteral("/Backups"); }
    QString mediaFolder(const QString& sessionId) const {
        return m_root + QStringLiteral("/Sessions/") + sessionId + QStringLiteral("/Media");
    }

private:
    explicit StoreFolder(QString root) : m_root(std::move(root)) {}
    QString m_root;
};

// Two running copies of the application on one root folder would overwrite
// each other's saves; the second one is refused while the first holds this.
class StoreFolderLock {
public:
    static Result<std::unique_ptr<StoreFolderLock>> acquire(const QString& rootFolder);
    ~StoreFolderLock();

private:
    explicit StoreFolderLock(std::unique_ptr<QLockFile> lock);
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace velmora
