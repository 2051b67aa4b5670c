#include "core/model/SessionFile.h"

#include "core/model/SessionDecoder.h"
#include "core/platform/FileErrors.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace velmora {

Result<QByteArray> readSessionBytes(const QString& path,
                                    void (*prepareBuffer)(char* data, qsizetype size)) {
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (!info.exists())
        return Result<QByteArray>::failure(
            QStringLiteral("Le fichier « %1 » est introuvable.").arg(name));
    // Said in French before the system is asked; the system's own words for
    // anything else go to the log.
    const auto notOpened = [&name](FileErrorKind kind) {
        return Result<QByteArray>::failure(QStringLiteral("Le fichier « %1 » n'a pas pu être "
                                                          "ouvert : %2")
                                               .arg(name, fileErrorSentence(kind)));
    };
    if (info.isDir())
        return notOpened(FileErrorKind::isDirectory);
    if (!info.isReadable())
        return notOpened(FileErrorKind::permissionDenied);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("Ouverture de %s : %s", qUtf8Printable(path), qUtf8Printable(file.errorString()));
        return notOpened(FileErrorKind::other);
    }
    const qint64 size = file.size();
    QByteArray bytes;
    bytes.reserve(size + kDecodePadding);
    if (prepareBuffer)
        prepareBuffer(bytes.data(), bytes.capacity());
    bytes.resize(size);
    qint64 done = 0;
    while (done < size) {
        const qint64 n = file.read(bytes.data() + done, size - done);
        if (n <= 0) {
            qWarning("Lecture de %s : %s", qUtf8Printable(path),
                     qUtf8Printable(file.errorString()));
            return Result<QByteArray>::failure(
                QStringLiteral("Le fichier « %1 » n'a pas pu être lu : %2")
                    .arg(name, fileErrorSentence(FileErrorKind::other)));
        }
        done += n;
    }
    return bytes;
}

Result<> writeSessionFile(const AppDatabase& db, SessionFormat format, const QString& path) {
    const QString name = QFileInfo(path).fileName();
    QSaveFile file(path);
    QString error;
    if (!file.open(QIODevice::WriteOnly) || !encodeSession(db, format, file, &error) ||
        !file.commit()) {
        if (error.isEmpty())
            error = file.errorString();
        file.cancelWriting();
        return Result<>::failure(
            QStringLiteral("Le fichier « %1 » n'a pas pu être enregistré : %2").arg(name, error));
    }
    return Result<>::success();
}

Result<> writeSessionFile(FileSystem& fs, const AppDatabase& db, SessionFormat format,
                          const QString& path) {
    return fs.writeStreamAtomically(path, [&](QIODevice& out) {
        QString error;
        if (!encodeSession(db, format, out, &error))
            return Result<>::failure(error.isEmpty() ? out.errorString() : error);
        return Result<>::success();
    });
}

} // namespace velmora
