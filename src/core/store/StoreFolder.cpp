#include "core/store/StoreFolder.h"

#include <QDir>
#include <QLockFile>
#include <QtDebug>

namespace velmora {

Result<StoreFolder> StoreFolder::prepare(FileSystem& fs, const QString& applicationDataFolder) {
    const QString root = applicationDataFolder + QLatin1Char('/') + folderName();
    const QString legacyRoot = applicationDataFolder + QLatin1Char('/') + legacyFolderName();
    if (!fs.exists(root) && fs.isDirectory(legacyRoot)) {
        if (const Result<> moved = fs.moveItem(legacyRoot, root); !moved)
            qWarning("%s", qUtf8Printable(moved.error()));
    }
    if (const Result<> made = fs.createDirectories(root); !made)
        return Result<StoreFolder>::failure(made.error());

    StoreFolder folder(root);
    const QString legacyDatabase = root + QStringLiteral("/database.json");
    if (!fs.exists(folder.workingCopy()) && fs.exists(legacyDatabase)) {
        if (const Result<> moved = fs.moveItem(legacyDatabase, folder.workingCopy()); !moved)
            qWarning("%s", qUtf8Printable(moved.error()));
    }
    return folder;
}

StoreFolderLock::StoreFolderLock(std::unique_ptr<QLockFile> lock) : m_lock(std::move(lock)) {}

StoreFolderLock::~StoreFolderLock() = default;

Result<std::unique_ptr<StoreFolderLock>> StoreFolderLock::acquire(const QString& rootFolder) {
    using R = Result<std::unique_ptr<StoreFolderLock>>;
    auto lock = std::make_unique<QLockFile>(rootFolder + QStringLiteral("/.velmora.lock"));
    // Never expires while its owner runs; a lock left by a crash is detected
    // by its dead process id and taken over.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        if (lock->error() == QLockFile::LockFailedError)
            return R::failure(QStringLiteral(
                "Velmora Core est déjà ouvert sur cet ordinateur. Fermez l'autre fenêtre de "
                "Velmora Core avant d'en ouvrir une nouvelle."));
        return R::failure(QStringLiteral("Le dossier « %1 » n'est pas accessible en écriture.")
                              .arg(QDir::toNativeSeparators(rootFolder)));
    }
    return std::unique_ptr<StoreFolderLock>(new StoreFolderLock(std::move(lock)));
}

} // namespace velmora
