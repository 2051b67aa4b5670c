#include "core/model/SessionFile.h"

#include "core/model/SessionDecoder.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace velmora {

Result<QByteArray> readSessionBytes(const QString& path,
                                    void (*prepareBuffer)(char* data, qsizetype size)) {
    const QString name = QFileInfo(path).fileName();
    QFile file(path);
    if (!file.exists())
        return Result<QByteArray>::failure(
            QStringLiteral("Le fichier « %1 » est introuvable.").arg(name));
    if (!file.open(QIODevice::ReadOnly))
        return Result<QByteArray>::failure(
            QStringLiteral("Le fichier « %1 » n'a pas pu être ouvert : %2")
                .arg(name, file.errorString()));
    const qint64 size = file.size();
    QByteArray bytes;
    bytes.reserve(size + kDecodePadding);
    if (prepareBuffer)
        prepareBuffer(bytes.data(), bytes.capacity());
    bytes.resize(size);
    qint64 done = 0;
    while (done < size) {
        const qint64 n = file.read(bytes.data() + done, size - done);
        if (n <= 0)
            return Result<QByteArray>::failure(
                QStringLiteral("Le fichier « %1 » n'a pas pu être lu : %2")
                    .arg(name, file.errorString()));
        done += n;
    }
    return bytes;
}

Status writeSessionFile(const AppDatabase& db, SessionFormat format, const QString& path) {
    const QString name = QFileInfo(path).fileName();
    QSaveFile file(path);
    QString error;
    if (!file.open(QIODevice::WriteOnly) || !encodeSession(db, format, file, &error) ||
        !file.commit()) {
        if (error.isEmpty())
            error = file.errorString();
        file.cancelWriting();
        return Status::failure(
            QStringLiteral("Le fichier « %1 » n'a pas pu être enregistré : %2").arg(name, error));
    }
    return Status::success();
}

Status writeSessionFile(FileSystem& fs, const AppDatabase& db, SessionFormat format,
                        const QString& path) {
    return fs.writeStreamAtomically(path, [&](QIODevice& out) {
        QString error;
        if (!encodeSession(db, format, out, &error))
            return Status::failure(error.isEmpty() ? out.errorString() : error);
        return Status::success();
    });
}

} // namespace velmora
