#include "desktop/AtomicFile.h"

#include "desktop/SystemErrors.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {
namespace {

void (*g_beforeRename)() = nullptr;

const QLatin1String kMarker(".velmora-");
constexpr int kSuffixLength = 6;
// Keeps ".NAME.velmora-XXXXXX" within the 255 bytes of a file name.
constexpr int kStemLength = 60;

QString stemOf(const QString& targetName) {
    return targetName.left(kStemLength);
}

QString randomSuffix() {
    static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString suffix;
    for (int i = 0; i < kSuffixLength; ++i)
        suffix.append(QLatin1Char(alphabet[QRandomGenerator::global()->bounded(62)]));
    return suffix;
}

bool isSuffix(QStringView text) {
    if (text.size() != kSuffixLength)
        return false;
    for (QChar c : text) {
        if (!(c.isLetterOrNumber() && c.unicode() < 128))
            return false;
    }
    return true;
}

void syncFolder(const QString& folder) {
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    if (::fsync(fd) != 0)
        describeSystemError(errno, QStringLiteral("Synchronisation du dossier %1").arg(folder));
    ::close(fd);
}

} // namespace

AtomicFile::AtomicFile(QString target) : m_target(QFileInfo(target).absoluteFilePath()) {}

AtomicFile::~AtomicFile() {
    if (m_file.isOpen())
        m_file.close();
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_committed && !m_temporary.isEmpty())
        ::unlink(QFile::encodeName(m_temporary).constData());
}

Result<> AtomicFile::failure(int errnum, const char* step) {
    const QString name = QFileInfo(m_target).fileName();
    return Result<>::failure(
        QStringLiteral("Le fichier « %1 » n'a pas pu être enregistré : %2")
            .arg(name,
                 describeSystemError(
                     errnum, QStringLiteral("%1 de %2").arg(QString::fromUtf8(step), m_target))));
}

Result<> AtomicFile::open() {
    const QFileInfo info(m_target);
    const QString prefix =
        info.absolutePath() + QStringLiteral("/.") + stemOf(info.fileName()) + kMarker;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString candidate = prefix + randomSuffix();
        m_fd = ::open(QFile::encodeName(candidate).constData(),
                      O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd >= 0) {
            m_temporary = candidate;
            break;
        }
        if (errno != EEXIST)
            return failure(errno, "Création du fichier temporaire");
    }
    if (m_fd < 0)
        return failure(EEXIST, "Création du fichier temporaire");
    // A rewritten file keeps the permissions its owner gave it.
    struct stat existing {};
    if (::stat(QFile::encodeName(m_target).constData(), &existing) == 0)
        ::fchmod(m_fd, existing.st_mode & 07777);
    if (!m_file.open(m_fd, QIODevice::WriteOnly, QFileDevice::DontCloseHandle))
        return failure(EIO, "Ouverture du fichier temporaire");
    return Result<>::success();
}

Result<> AtomicFile::commit() {
    errno = 0;
    if (!m_file.flush() || m_file.error() != QFileDevice::NoError)
        return failure(errno ? errno : EIO, "Écriture");
    m_file.close();
    if (::fdatasync(m_fd) != 0)
        return failure(errno, "Synchronisation");
    const int closed = ::close(m_fd);
    m_fd = -1;
    if (closed != 0)
        return failure(errno, "Fermeture");
    if (g_beforeRename)
        g_beforeRename();
    if (::rename(QFile::encodeName(m_temporary).constData(),
                 QFile::encodeName(m_target).constData()) != 0)
        return failure(errno, "Renommage");
    m_committed = true;
    syncFolder(QFileInfo(m_target).absolutePath());
    return Result<>::success();
}

bool AtomicFile::isLeftoverName(const QString& fileName, const QString& targetName) {
    if (!fileName.startsWith(QLatin1Char('.')))
        return false;
    const qsizetype marker = fileName.lastIndexOf(kMarker);
    if (marker < 1 || !isSuffix(QStringView(fileName).mid(marker + kMarker.size())))
        return false;
    return targetName.isEmpty() || QStringView(fileName).mid(1, marker - 1) == stemOf(targetName);
}

void AtomicFile::removeLeftovers(const QString& folder, const QString& targetName) {
    const QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        if (isLeftoverName(name, targetName))
            QFile::remove(folder + QLatin1Char('/') + name);
    }
}

void AtomicFile::setBeforeRenameHook(void (*hook)()) {
    g_beforeRename = hook;
}

} // namespace velmora
