#include "core/store/MediaFolder.h"

#include "core/model/MediaUrls.h"
#include "core/model/OpenedSession.h"

#include <QDir>
#include <QFileInfo>
#include <QtDebug>

namespace velmora {
namespace {

QString fileNameOf(const QUrl& url) {
    return QFileInfo(url.toLocalFile()).fileName();
}

} // namespace

void MediaFolder::open(const QUuid& sessionID) {
    m_path = m_folder.mediaFolder(sessionID.toString(QUuid::WithoutBraces).toUpper());
    m_cache.clear();
}

QString MediaFolder::keyOf(const QUrl& url) const {
    if (!url.isLocalFile())
        return {};
    const QString folder = QDir::cleanPath(m_path) + QLatin1Char('/');
    const QString path = QDir::cleanPath(url.toLocalFile());
    if (!path.startsWith(folder))
        return {};
    QString key = path.mid(folder.size());
    while (key.startsWith(QLatin1Char('/')))
        key.remove(0, 1);
    while (key.endsWith(QLatin1Char('/')))
        key.chop(1);
    return key;
}

void MediaFolder::extract(AppDatabase& db) {
    QHash<QString, QString> extracted; // file name -> path of the extracted file
    for (auto it = db.embeddedMedia.cbegin(); it != db.embeddedMedia.cend(); ++it) {
        const QString& key = it.key();
        if (!isSafeMediaKey(key)) {
            qWarning("Média ignoré, nom refusé : %s", qUtf8Printable(key));
            continue;
        }
        const QString path = m_path + QLatin1Char('/') + key;
        if (!m_fs.exists(path)) {
            const Result<> made = m_fs.createDirectories(QFileInfo(path).path());
            const Result<> written =
                made ? m_fs.writeFileAtomically(path, it.value().decoded()) : made;
            if (!written) {
                qWarning("Erreur copie fichier : %s", qUtf8Printable(written.error()));
                continue;
            }
        }
        m_cache.insert(key, it.value());
        extracted.insert(QFileInfo(path).fileName(), path);
    }
    db.embeddedMedia.clear();
    rewriteMediaUrls(db, [&](QUrl& url) {
        if (!url.isLocalFile())
            return;
        const auto it = extracted.constFind(fileNameOf(url));
        if (it != extracted.cend())
            url = QUrl::fromLocalFile(*it);
    });
    bringOutsideMediaIn(db);
}

// Whether a file lies in a folder of ours: another session's media folder, or
// the store's legacy folder. A session is data from anywhere: a record naming
// any other file must not make the store read it into the session.
bool MediaFolder::isOwnDataFile(const QString& path) const {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (canonical.isEmpty())
        return false;
    const QString root = QFileInfo(m_folder.root()).canonicalFilePath();
    const QString sessions = root + QStringLiteral("/Sessions/");
    if (!root.isEmpty() && canonical.startsWith(sessions)) {
        // Sessions/<id>/Media/…
        const QStringList parts = canonical.mid(sessions.size()).split(QLatin1Char('/'));
        return parts.size() >= 3 && parts[1] == QLatin1String("Media");
    }
    const QString legacy = QFileInfo(QFileInfo(m_folder.root()).absolutePath() + QLatin1Char('/') +
                                     StoreFolder::legacyFolderName())
                               .canonicalFilePath();
    return !legacy.isEmpty() && canonical.startsWith(legacy + QLatin1Char('/'));
}

// Records may name files outside the media folder (a session written by an
// older version, before media were embedded). Each such file still found in a
// folder of ours is copied in, under a new name when another file already has
// its name; a reference anywhere else is left as it is and never read.
void MediaFolder::bringOutsideMediaIn(AppDatabase& db) {
    QHash<QString, QUrl> copied; // outside path -> URL of its copy
    rewriteMediaUrls(db, [&](QUrl& url) {
        if (!url.isLocalFile() || !keyOf(url).isEmpty())
            return;
        const QString source = url.toLocalFile();
        if (const auto it = copied.constFind(source); it != copied.cend()) {
            url = *it;
            return;
        }
        if (!m_fs.exists(source) || m_fs.isDirectory(source))
            return;
        if (!isOwnDataFile(source)) {
            qWarning("Fichier hors des dossiers de Velmora Core ignoré : %s",
                     qUtf8Printable(source));
            return;
        }
        const QFileInfo info(source);
        QString target = m_path + QLatin1Char('/') + info.fileName();
        if (m_fs.exists(target)) {
            const QString suffix =
                info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
            target = m_path + QLatin1Char('/') + info.completeBaseName() + QLatin1Char('_') +
                     QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper() + suffix;
        }
        const Result<> made = m_fs.createDirectories(m_path);
        const Result<> done = made ? m_fs.copyFile(source, target) : made;
        if (!done) {
            qWarning("Erreur copie fichier : %s", qUtf8Printable(done.error()));
            return;
        }
        url = QUrl::fromLocalFile(target);
        copied.insert(source, url);
    });
}

void MediaFolder::embed(AppDatabase& db) {
    QHash<QString, Base64Data> referenced;
    forEachMediaUrl(db, [&](const QUrl& url) {
        const QString key = keyOf(url);
        if (key.isEmpty() || referenced.contains(key))
            return;
        if (const auto cached = m_cache.constFind(key); cached != m_cache.cend()) {
            referenced.insert(key, *cached);
            return;
        }
        const Result<QByteArray> bytes = m_fs.readFile(m_path + QLatin1Char('/') + key);
        if (!bytes) {
            qWarning("Erreur lecture média : %s", qUtf8Printable(bytes.error()));
            return;
        }
        referenced.insert(key, Base64Data::fromBytes(bytes.value()));
    });
    // Media no record refers to any more leave the cache.
    m_cache = referenced;
    for (auto it = referenced.cbegin(); it != referenced.cend(); ++it)
        db.embeddedMedia.insert(it.key(), it.value());
}

Result<QUrl> MediaFolder::importFile(const QUrl& source, bool keepName, const QString& prefix) {
    const QFileInfo info(source.toLocalFile());
    QString name = info.fileName();
    if (!keepName) {
        name = prefix + QLatin1Char('_') + QUuid::createUuid().toString(QUuid::WithoutBraces);
        if (!info.suffix().isEmpty())
            name += QLatin1Char('.') + info.suffix();
    }
    if (!source.isLocalFile() || info.fileName().isEmpty())
        return Result<QUrl>::failure(
            QStringLiteral("« %1 » n'est pas un fichier.").arg(source.toDisplayString()));
    const QString target = m_path + QLatin1Char('/') + name;
    if (const Result<> made = m_fs.createDirectories(m_path); !made)
        return Result<QUrl>(made);
    if (m_fs.exists(target)) {
        if (const Result<> removed = m_fs.removeItem(target); !removed)
            return Result<QUrl>(removed);
    }
    if (const Result<> copied = m_fs.copyFile(source.toLocalFile(), target); !copied)
        return Result<QUrl>(copied);
    const Result<QByteArray> bytes = m_fs.readFile(target);
    if (!bytes)
        return Result<QUrl>(bytes);
    m_cache.insert(name, Base64Data::fromBytes(bytes.value()));
    return QUrl::fromLocalFile(target);
}

void MediaFolder::remove(const QUrl& url) {
    const QString key = keyOf(url);
    if (key.isEmpty())
        return;
    m_cache.remove(key);
    if (const Result<> removed = m_fs.removeItem(url.toLocalFile()); !removed)
        qWarning("Erreur suppression fichier : %s", qUtf8Printable(removed.error()));
}

} // namespace velmora
