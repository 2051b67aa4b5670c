#include "core/store/SessionStorage.h"

#include "core/model/SessionDecoder.h"

#include <QFileInfo>
#include <QLocale>
#include <QtDebug>

#include <memory>

namespace velmora {
namespace {

QString fileNameOf(const QUrl& url) {
    return QFileInfo(url.toLocalFile()).fileName();
}

Result<> notLocal(const QUrl& url) {
    return Result<>::failure(
        QStringLiteral("« %1 » n'est pas un fichier de cet ordinateur.").arg(url.toString()));
}

} // namespace

SessionStorage::SessionStorage(FileSystem& fs, const Clock& clock, StoreFolder folder)
    : m_fs(fs), m_clock(clock), m_folder(std::move(folder)) {
    m_writer.setMaxThreadCount(1);
}

SessionStorage::~SessionStorage() {
    m_writer.waitForDone();
}

Result<AppDatabase> SessionStorage::decodeFile(const QString& path) const {
    const Result<QByteArray> bytes = m_fs.readFile(path);
    if (!bytes)
        return Result<AppDatabase>(bytes);
    return decodeSession(bytes.value(), m_clock);
}

Result<AppDatabase> SessionStorage::load(const std::optional<QUrl>& ownFile) {
    QStringList sources;
    if (ownFile && ownFile->isLocalFile() && m_fs.exists(ownFile->toLocalFile()))
        sources.append(ownFile->toLocalFile());
    sources.append(m_folder.workingCopy());

    // A file that cannot be read must not cost the session: the next source
    // is tried, and the unreadable file is set aside before any save could
    // write over it.
    Result<AppDatabase> result =
        Result<AppDatabase>::failure(QStringLiteral("Le fichier « %1 » est introuvable.")
                                         .arg(QFileInfo(m_folder.workingCopy()).fileName()));
    for (const QString& source : sources) {
        if (!m_fs.exists(source))
            continue;
        result = decodeFile(source);
        if (result)
            return result;
        qWarning("Erreur chargement : %s", qUtf8Printable(result.error()));
        setAsideUnreadable(source);
    }
    if (!result)
        qWarning("Erreur chargement : %s", qUtf8Printable(result.error()));
    return result;
}

Result<AppDatabase> SessionStorage::read(const QUrl& url) const {
    if (!url.isLocalFile())
        return Result<AppDatabase>(notLocal(url));
    return decodeFile(url.toLocalFile());
}

void SessionStorage::setAsideUnreadable(const QString& path) {
    const QString day = QLocale::c().toString(m_clock.now().toLocalTime().date(), u"yyyy-MM-dd");
    const QString copy = m_folder.backupsFolder() +
                         QStringLiteral("/illisible-%1-%2").arg(day, QFileInfo(path).fileName());
    if (m_fs.exists(copy))
        return;
    const Result<> made = m_fs.createDirectories(m_folder.backupsFolder());
    const Result<> copied = made ? m_fs.copyFile(path, copy) : made;
    if (!copied)
        qWarning("Erreur copie fichier : %s", qUtf8Printable(copied.error()));
}

void SessionStorage::removeWriteLeftovers(const std::optional<QUrl>& ownFile,
                                          const StoragePreferences& storage) {
    const auto removeBeside = [this](const QString& target) {
        const QFileInfo info(target);
        m_fs.removeWriteLeftovers(info.absolutePath(), info.fileName());
    };
    removeBeside(m_folder.workingCopy());
    m_fs.removeWriteLeftovers(m_folder.backupsFolder());
    if (ownFile && ownFile->isLocalFile())
        removeBeside(ownFile->toLocalFile());
    if (storage.backupFolderURL && storage.backupFolderURL->isLocalFile())
        removeBeside(storage.backupFolderURL->toLocalFile() +
                     QStringLiteral("/database_backup.cdb"));
}

Result<> SessionStorage::writeEverywhere(const QByteArray& bytes, const StoragePreferences& storage,
                                         const std::optional<QUrl>& ownFile) {
    if (const Result<> made = m_fs.createDirectories(m_folder.root()); !made)
        return Result<>::failure(made.error());
    if (const Result<> written = m_fs.writeFileAtomically(m_folder.workingCopy(), bytes); !written)
        return Result<>::failure(written.error());

    Result<> result;
    if (ownFile && ownFile->isLocalFile() &&
        QFileInfo(ownFile->toLocalFile()).absoluteFilePath() !=
            QFileInfo(m_folder.workingCopy()).absoluteFilePath()) {
        // The working copy is safe; the user is told that their own file lags.
        if (const Result<> mirrored = m_fs.writeFileAtomically(ownFile->toLocalFile(), bytes);
            !mirrored)
            result.setWarning(QStringLiteral("Le fichier « %1 » n'a pas pu être mis à jour : %2")
                                  .arg(fileNameOf(*ownFile), mirrored.error()));
    }
    if (storage.backupAlwaysEnabled && storage.backupFolderURL &&
        storage.backupFolderURL->isLocalFile()) {
        const QString folder = storage.backupFolderURL->toLocalFile();
        const Result<> made = m_fs.createDirectories(folder);
        const Result<> written =
            made ? m_fs.writeFileAtomically(folder + QStringLiteral("/database_backup.cdb"), bytes)
                 : made;
        if (!written)
            return Result<>::failure(written.error());
    }
    return result;
}

Result<> SessionStorage::write(const AppDatabase& db, const std::optional<QUrl>& ownFile) {
    m_writer.waitForDone();
    encodeSession(db, SessionFormat::Compact, m_encoded, &m_listCache);
    return writeEverywhere(m_encoded, db.storagePreferences, ownFile);
}

void SessionStorage::writeInBackground(AppDatabase db, std::optional<QUrl> ownFile,
                                       std::function<void(const Result<>&)> done) {
    const quint64 generation = ++m_latestBackgroundWrite;
    // The destructor waits for the writer, and events posted to a destroyed
    // object are dropped, so `this` outlives every use below.
    m_writer.start([this, db = std::move(db), generation, ownFile = std::move(ownFile),
                    done = std::move(done)] {
        Result<> result;
        if (generation == m_latestBackgroundWrite.load()) {
            encodeSession(db, SessionFormat::Compact, m_encoded, &m_listCache);
            result = writeEverywhere(m_encoded, db.storagePreferences, ownFile);
        }
        QMetaObject::invokeMethod(
            this, [done, result] { done(result); }, Qt::QueuedConnection);
    });
}

void SessionStorage::readInBackground(std::function<void(Result<AppDatabase>)> done) {
    m_writer.start([this, done = std::move(done)] {
        auto decoded = std::make_shared<Result<AppDatabase>>(decodeFile(m_folder.workingCopy()));
        QMetaObject::invokeMethod(
            this, [done, decoded] { done(std::move(*decoded)); }, Qt::QueuedConnection);
    });
}

void SessionStorage::waitForWriter() {
    m_writer.waitForDone();
}

Result<> SessionStorage::exportTo(const QUrl& url, const AppDatabase& db) {
    if (!url.isLocalFile())
        return notLocal(url);
    return m_fs.writeFileAtomically(url.toLocalFile(),
                                    encodeSession(db, SessionFormat::PrettySorted));
}

} // namespace velmora
