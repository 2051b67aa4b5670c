#include "desktop/LocalFileSystem.h"

#include "core/model/SessionFile.h"
#include "desktop/AtomicFile.h"
#include "desktop/SystemErrors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/mman.h>
#include <sys/stat.h>

namespace velmora {
namespace {

QString nameOf(const QString& path) {
    return QFileInfo(path).fileName();
}

// Reading a large session is dominated by first touches of fresh memory, one
// fault per 4 KiB page; transparent huge pages cut that by 512. Only a hint.
void adviseHugePages(char* data, qsizetype size) {
#ifdef MADV_HUGEPAGE
    constexpr quintptr kHugePage = 2 * 1024 * 1024;
    if (size < qsizetype(4 * kHugePage))
        return;
    const quintptr begin = (quintptr(data) + kHugePage - 1) & ~(kHugePage - 1);
    const quintptr end = (quintptr(data) + quintptr(size)) & ~(kHugePage - 1);
    if (end > begin)
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
    Q_UNUSED(data);
    Q_UNUSED(size);
#endif
}

} // namespace

bool LocalFileSystem::exists(const QString& path) const {
    return QFileInfo::exists(path);
}

bool LocalFileSystem::isDirectory(const QString& path) const {
    return QFileInfo(path).isDir();
}

Result<QByteArray> LocalFileSystem::readFile(const QString& path) const {
    // Opening a FIFO waits for a writer and a device may never end: only
    // regular files are opened. Folders and missing files are left to the
    // reading below, which names them.
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) == 0 && !S_ISREG(info.st_mode) &&
        !S_ISDIR(info.st_mode))
        return Result<QByteArray>::failure(
            QStringLiteral("« %1 » n'est pas un fichier ordinaire.").arg(nameOf(path)));
    return readSessionBytes(path, adviseHugePages);
}

Result<> LocalFileSystem::writeFileAtomically(const QString& path, QByteArrayView bytes) {
    return writeStreamAtomically(path, [bytes](QIODevice& out) {
        if (out.write(bytes.data(), bytes.size()) != bytes.size())
            return Result<>::failure(out.errorString());
        return Result<>::success();
    });
}

Result<> LocalFileSystem::writeStreamAtomically(const QString& path, const Producer& produce) {
    AtomicFile file(path);
    if (const Result<> opened = file.open(); !opened)
        return opened;
    errno = 0;
    if (const Result<> produced = produce(file.device()); !produced) {
        // A failed write of the device leaves the system's reason in errno;
        // any other failure (an encoder's refusal) is the producer's message.
        const int errnum = errno;
        const bool deviceFailed = file.device().error() != QFileDevice::NoError;
        return Result<>::failure(
            QStringLiteral("Le fichier « %1 » n'a pas pu être enregistré : %2")
                .arg(nameOf(path),
                     deviceFailed && errnum
                         ? describeSystemError(errnum, QStringLiteral("Écriture de %1").arg(path))
                         : produced.error()));
    }
    return file.commit();
}

void LocalFileSystem::removeWriteLeftovers(const QString& folder, const QString& targetName) {
    AtomicFile::removeLeftovers(folder, targetName);
}

Result<> LocalFileSystem::copyFile(const QString& from, const QString& to) {
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return Result<>::failure(QStringLiteral("Le fichier « %1 » n'a pas pu être copié : %2")
                                     .arg(nameOf(from), source.errorString()));
    return writeStreamAtomically(to, [&source](QIODevice& out) {
        QByteArray chunk(1 << 20, Qt::Uninitialized);
        for (;;) {
            const qint64 n = source.read(chunk.data(), chunk.size());
            if (n < 0)
                return Result<>::failure(source.errorString());
            if (n == 0)
                return Result<>::success();
            if (out.write(chunk.constData(), n) != n)
                return Result<>::failure(out.errorString());
        }
    });
}

Result<> LocalFileSystem::moveItem(const QString& from, const QString& to) {
    if (!QDir().rename(from, to))
        return Result<>::failure(QStringLiteral("« %1 » n'a pas pu être renommé en « %2 ».")
                                     .arg(nameOf(from), nameOf(to)));
    return Result<>::success();
}

Result<> LocalFileSystem::removeItem(const QString& path) {
    const QFileInfo info(path);
    const bool removed =
        info.isDir() && !info.isSymLink() ? QDir(path).removeRecursively() : QFile::remove(path);
    if (!removed)
        return Result<>::failure(
            QStringLiteral("« %1 » n'a pas pu être supprimé.").arg(nameOf(path)));
    return Result<>::success();
}

Result<> LocalFileSystem::createDirectories(const QString& path) {
    if (!QDir().mkpath(path))
        return Result<>::failure(QStringLiteral("Le dossier « %1 » n'a pas pu être créé.")
                                     .arg(QDir::toNativeSeparators(path)));
    return Result<>::success();
}

QList<FileEntry> LocalFileSystem::listDirectory(const QString& path) const {
    QList<FileEntry> entries;
    const QFileInfoList infos = QDir(path).entryInfoList(QDir::AllEntries | QDir::Hidden |
                                                         QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& info : infos) {
        const QDateTime modified = info.lastModified();
        entries.append({info.fileName(), info.absoluteFilePath(),
                        modified.isValid() ? std::optional(modified.toUTC()) : std::nullopt,
                        info.isHidden(), info.isDir()});
    }
    return entries;
}

} // namespace velmora
