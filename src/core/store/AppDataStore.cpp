#include "core/store/AppDataStore.h"

#include "core/model/MediaUrls.h"
#include "core/model/NewSession.h"
#include "core/model/OpenedSession.h"
#include "core/model/SessionDecoder.h"
#include "core/model/SessionEncoder.h"
#include "core/store/DailyBackup.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QtDebug>

namespace velmora {
namespace {

QString fileNameOf(const QUrl& url) {
    return QFileInfo(url.toLocalFile()).fileName();
}

QList<QUuid> sortedIds(const IdSet& ids) {
    QList<QUuid> list(ids.cbegin(), ids.cend());
    std::sort(list.begin(), list.end(),
              [](const QUuid& a, const QUuid& b) { return a.toString() < b.toString(); });
    return list;
}

} // namespace

AppDataStore::AppDataStore(Services services, StoreFolder folder, QObject* parent)
    : QObject(parent), m_services(services), m_folder(std::move(folder)) {
    m_data.sessionID = QUuid::createUuid();
    m_writer.setMaxThreadCount(1);
}

AppDataStore::~AppDataStore() {
    m_writer.waitForDone();
}

QString AppDataStore::mediaFolder() const {
    return m_folder.mediaFolder(sessionID().toString(QUuid::WithoutBraces).toUpper());
}

void AppDataStore::setSessionName(const QString& name) {
    const std::optional<QString> value = name.isEmpty() ? std::nullopt : std::optional(name);
    if (m_data.sessionName == value)
        return;
    m_data.sessionName = value;
    emit sessionNameChanged();
}

void AppDataStore::setSessionID(const QUuid& id) {
    if (m_data.sessionID == id)
        return;
    m_data.sessionID = id;
    emit sessionIDChanged();
}

void AppDataStore::create() {
    const UserDefaults& defaults = m_services.userDefaults;
    const QByteArray bookmark = defaults.value(bookmarkKey()).toByteArray();
    if (!bookmark.isEmpty()) {
        if (auto resolved = m_services.bookmarks.resolve(bookmark)) {
            setDefaultUrl(resolved->url);
            m_defaultScopedUrl = resolved->url;
            if (resolved->isStale) {
                if (auto fresh = m_services.bookmarks.create(resolved->url))
                    m_services.userDefaults.setValue(bookmarkKey(), *fresh);
            }
        }
    } else if (const QUrl path(defaults.value(pathKey()).toString());
               path.isValid() && !path.isEmpty()) {
        setDefaultUrl(path);
    }

    FileSystem& fs = m_services.fileSystem;
    const bool hadWorkingCopy = fs.exists(m_folder.workingCopy());
    load();
    // After the load: the session names the backup folder and the media folder.
    removeWriteLeftovers();
    if (hadWorkingCopy) {
        runDailyBackup(fs, m_folder.root(), m_services.clock);
        return;
    }
    const bool defaultFileExists = m_defaultUrl && fs.exists(m_defaultUrl->toLocalFile());
    const bool empty = m_data.projects.isEmpty() && m_data.clients.isEmpty() &&
                       m_data.services.isEmpty() && m_data.documents.isEmpty() &&
                       m_data.stockItems.isEmpty() && m_data.purchaseWishlistItems.isEmpty() &&
                       m_data.accountingPurchases.isEmpty();
    if (!defaultFileExists && empty) {
        const QList<TagItem> quotes = seededQuoteStatuses();
        const QList<TagItem> invoices = seededInvoiceStatuses();
        setQuoteStatuses(quotes);
        setInvoiceStatuses(invoices);
        IdSet quoteIds, invoiceIds;
        for (const TagItem& t : quotes)
            quoteIds.insert(t.id);
        for (const TagItem& t : invoices)
            invoiceIds.insert(t.id);
        setProtectedQuoteStatusIDs(quoteIds);
        setProtectedInvoiceStatusIDs(invoiceIds);
        normalizeProjectStatuses();
        if (const Result<> saved = save(); !saved)
            qWarning("Erreur sauvegarde : %s", qUtf8Printable(saved.error()));
    } else {
        runDailyBackup(fs, m_folder.root(), m_services.clock);
    }
}

Result<> AppDataStore::load() {
    FileSystem& fs = m_services.fileSystem;
    QStringList sources;
    if (m_defaultUrl && m_defaultUrl->isLocalFile() && fs.exists(m_defaultUrl->toLocalFile()))
        sources.append(m_defaultUrl->toLocalFile());
    sources.append(m_folder.workingCopy());

    // A file that cannot be read must not cost the session: the next source
    // is tried, and the unreadable file is set aside before any save could
    // write over it.
    Result<> result = Result<>::failure(QStringLiteral("Le fichier « %1 » est introuvable.")
                                            .arg(QFileInfo(m_folder.workingCopy()).fileName()));
    for (const QString& source : sources) {
        if (!fs.exists(source))
            continue;
        const Result<QByteArray> bytes = fs.readFile(source);
        result = bytes ? applyBytes(bytes.value()) : Result<>::failure(bytes.error());
        if (result)
            return result;
        qWarning("Erreur chargement : %s", qUtf8Printable(result.error()));
        setAsideUnreadable(source);
    }
    if (!result)
        qWarning("Erreur chargement : %s", qUtf8Printable(result.error()));
    return result;
}

void AppDataStore::setAsideUnreadable(const QString& path) {
    FileSystem& fs = m_services.fileSystem;
    const QString day =
        QLocale::c().toString(m_services.clock.now().toLocalTime().date(), u"yyyy-MM-dd");
    const QString copy = m_folder.backupsFolder() +
                         QStringLiteral("/illisible-%1-%2").arg(day, QFileInfo(path).fileName());
    if (fs.exists(copy))
        return;
    const Result<> made = fs.createDirectories(m_folder.backupsFolder());
    const Result<> copied = made ? fs.copyFile(path, copy) : made;
    if (!copied)
        qWarning("Erreur copie fichier : %s", qUtf8Printable(copied.error()));
}

Result<> AppDataStore::applyBytes(const QByteArray& bytes) {
    Result<AppDatabase> decoded = decodeSession(bytes, m_services.clock);
    if (!decoded)
        return Result<>::failure(decoded.error());
    apply(std::move(decoded).value());
    return Result<>::success();
}

void AppDataStore::apply(AppDatabase db) {
    if (!db.sessionID)
        db.sessionID = QUuid::createUuid();
    setSessionID(*db.sessionID);
    m_mediaCache.clear();
    QHash<QString, QString> extracted; // file name -> path of the extracted file
    extractMedia(db.embeddedMedia, extracted);
    db.embeddedMedia.clear();
    rewriteMediaUrls(db, [&](QUrl& url) {
        if (!url.isLocalFile())
            return;
        const auto it = extracted.constFind(fileNameOf(url));
        if (it != extracted.cend())
            url = QUrl::fromLocalFile(*it);
    });
    bringOutsideMediaIn(db);

#define VELMORA_APPLY_FIELD(Type, name, Name) set##Name(db.name);
    VELMORA_SESSION_FIELDS(VELMORA_APPLY_FIELD)
#undef VELMORA_APPLY_FIELD
    setProtectedQuoteStatusIDs(
        IdSet(db.protectedQuoteStatusIDs.cbegin(), db.protectedQuoteStatusIDs.cend()));
    setProtectedInvoiceStatusIDs(
        IdSet(db.protectedInvoiceStatusIDs.cbegin(), db.protectedInvoiceStatusIDs.cend()));
    setSessionName(db.sessionName.value_or(QString()));
    normalizeProjectStatuses(
        IdSet(db.protectedProjectStatusIDs.cbegin(), db.protectedProjectStatusIDs.cend()));
}

void AppDataStore::extractMedia(const QMap<QString, Base64Data>& media,
                                QHash<QString, QString>& extracted) {
    FileSystem& fs = m_services.fileSystem;
    const QString folder = mediaFolder();
    for (auto it = media.cbegin(); it != media.cend(); ++it) {
        const QString& key = it.key();
        if (!isSafeMediaKey(key)) {
            qWarning("Média ignoré, nom refusé : %s", qUtf8Printable(key));
            continue;
        }
        const QString path = folder + QLatin1Char('/') + key;
        if (!fs.exists(path)) {
            const Result<> made = fs.createDirectories(QFileInfo(path).path());
            const Result<> written =
                made ? fs.writeFileAtomically(path, it.value().decoded()) : made;
            if (!written) {
                qWarning("Erreur copie fichier : %s", qUtf8Printable(written.error()));
                continue;
            }
        }
        m_mediaCache.insert(key, it.value());
        extracted.insert(QFileInfo(path).fileName(), path);
    }
}

// A crash during an atomic write leaves a temporary beside its target; only
// those of the files the store writes are removed.
void AppDataStore::removeWriteLeftovers() {
    FileSystem& fs = m_services.fileSystem;
    const auto removeBeside = [&fs](const QString& target) {
        const QFileInfo info(target);
        fs.removeWriteLeftovers(info.absolutePath(), info.fileName());
    };
    removeBeside(m_folder.workingCopy());
    fs.removeWriteLeftovers(m_folder.backupsFolder());
    if (m_defaultUrl && m_defaultUrl->isLocalFile())
        removeBeside(m_defaultUrl->toLocalFile());
    const StoragePreferences& storage = m_data.storagePreferences;
    if (storage.backupFolderURL && storage.backupFolderURL->isLocalFile())
        removeBeside(storage.backupFolderURL->toLocalFile() +
                     QStringLiteral("/database_backup.cdb"));
}

// Whether a file lies in a folder of ours: another session's media folder, or
// the store's legacy folder. A session is data from anywhere: a record naming
// any other file must not make the store read it into the session.
bool AppDataStore::isOwnDataFile(const QString& path) const {
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
void AppDataStore::bringOutsideMediaIn(AppDatabase& db) {
    FileSystem& fs = m_services.fileSystem;
    const QString folder = mediaFolder();
    QHash<QString, QUrl> copied; // outside path -> URL of its copy
    rewriteMediaUrls(db, [&](QUrl& url) {
        if (!url.isLocalFile() || !mediaKeyOf(url).isEmpty())
            return;
        const QString source = url.toLocalFile();
        if (const auto it = copied.constFind(source); it != copied.cend()) {
            url = *it;
            return;
        }
        if (!fs.exists(source) || fs.isDirectory(source))
            return;
        if (!isOwnDataFile(source)) {
            qWarning("Fichier hors des dossiers de Velmora Core ignoré : %s",
                     qUtf8Printable(source));
            return;
        }
        const QFileInfo info(source);
        QString target = folder + QLatin1Char('/') + info.fileName();
        if (fs.exists(target)) {
            const QString suffix =
                info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
            target = folder + QLatin1Char('/') + info.completeBaseName() + QLatin1Char('_') +
                     QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper() + suffix;
        }
        const Result<> made = fs.createDirectories(folder);
        const Result<> done = made ? fs.copyFile(source, target) : made;
        if (!done) {
            qWarning("Erreur copie fichier : %s", qUtf8Printable(done.error()));
            return;
        }
        url = QUrl::fromLocalFile(target);
        copied.insert(source, url);
    });
}

QString AppDataStore::mediaKeyOf(const QUrl& url) const {
    if (!url.isLocalFile())
        return {};
    const QString folder = QDir::cleanPath(mediaFolder()) + QLatin1Char('/');
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

void AppDataStore::normalizeProjectStatuses(const IdSet& protectedBefore) {
    QList<ProjectItem> projects = m_data.projects;
    QList<TagItem> statuses = m_data.projectStatuses;
    QList<QString> options = m_data.projectStatusOptions;
    const ProjectStatusSets sets =
        velmora::normalizeProjectStatuses(projects, statuses, options, protectedBefore);
    setProjects(projects);
    setProjectStatuses(statuses);
    setProjectStatusOptions(options);
    setProtectedProjectStatusIDs(sets.protectedIds);
    setNameLockedProjectStatusIDs(sets.nameLockedIds);
}

AppDatabase AppDataStore::snapshot() {
    AppDatabase db = m_data;
    db.protectedProjectStatusIDs = sortedIds(m_protectedProjectStatusIDs);
    db.protectedQuoteStatusIDs = sortedIds(m_protectedQuoteStatusIDs);
    db.protectedInvoiceStatusIDs = sortedIds(m_protectedInvoiceStatusIDs);

    FileSystem& fs = m_services.fileSystem;
    QHash<QString, Base64Data> referenced;
    forEachMediaUrl(db, [&](const QUrl& url) {
        const QString key = mediaKeyOf(url);
        if (key.isEmpty() || referenced.contains(key))
            return;
        if (const auto cached = m_mediaCache.constFind(key); cached != m_mediaCache.cend()) {
            referenced.insert(key, *cached);
            return;
        }
        const Result<QByteArray> bytes = fs.readFile(mediaFolder() + QLatin1Char('/') + key);
        if (!bytes) {
            qWarning("Erreur lecture média : %s", qUtf8Printable(bytes.error()));
            return;
        }
        referenced.insert(key, Base64Data::fromBytes(bytes.value()));
    });
    // Media no record refers to any more leave the cache and the file.
    m_mediaCache = referenced;
    for (auto it = referenced.cbegin(); it != referenced.cend(); ++it)
        db.embeddedMedia.insert(it.key(), it.value());
    return db;
}

Result<> AppDataStore::writeEverywhere(const QByteArray& bytes, const StoragePreferences& storage,
                                       const std::optional<QUrl>& mirror) {
    FileSystem& fs = m_services.fileSystem;
    if (const Result<> made = fs.createDirectories(m_folder.root()); !made)
        return Result<>::failure(made.error());
    if (const Result<> written = fs.writeFileAtomically(m_folder.workingCopy(), bytes); !written)
        return Result<>::failure(written.error());

    Result<> result;
    if (mirror && mirror->isLocalFile() &&
        QFileInfo(mirror->toLocalFile()).absoluteFilePath() !=
            QFileInfo(m_folder.workingCopy()).absoluteFilePath()) {
        // The working copy is safe; the user is told that their own file lags.
        if (const Result<> mirrored = fs.writeFileAtomically(mirror->toLocalFile(), bytes);
            !mirrored)
            result.setWarning(QStringLiteral("Le fichier « %1 » n'a pas pu être mis à jour : %2")
                                  .arg(fileNameOf(*mirror), mirrored.error()));
    }
    if (storage.backupAlwaysEnabled && storage.backupFolderURL &&
        storage.backupFolderURL->isLocalFile()) {
        const QString folder = storage.backupFolderURL->toLocalFile();
        const Result<> made = fs.createDirectories(folder);
        const Result<> written =
            made ? fs.writeFileAtomically(folder + QStringLiteral("/database_backup.cdb"), bytes)
                 : made;
        if (!written)
            return Result<>::failure(written.error());
    }
    return result;
}

Result<> AppDataStore::save() {
    // An older background save must not land after this one.
    m_writer.waitForDone();
    const AppDatabase db = snapshot();
    encodeSession(db, SessionFormat::Compact, m_encoded, &m_listCache);
    const Result<> result = writeEverywhere(m_encoded, db.storagePreferences, m_defaultUrl);
    emit saveFinished(result);
    return result;
}

Result<> AppDataStore::commit(const SessionEdit& session) {
    const AppDatabase previous = m_data;
    const IdSet previousProtected = m_protectedProjectStatusIDs;
    const IdSet previousNameLocked = m_nameLockedProjectStatusIDs;
    const AppDatabase& edited = session.session();
#define VELMORA_TAKE_FIELD(Type, name, Name)                                                       \
    if (session.touched(SessionField::name))                                                 \
        m_data.name = edited.name;
    VELMORA_SESSION_FIELDS(VELMORA_TAKE_FIELD)
#undef VELMORA_TAKE_FIELD
    // The sets follow the statuses, and the file written lists the new ones.
    if (session.touched(SessionField::projectStatuses)) {
        const ProjectStatusSets sets =
            projectStatusSets(m_data.projectStatuses, m_protectedProjectStatusIDs);
        m_protectedProjectStatusIDs = sets.protectedIds;
        m_nameLockedProjectStatusIDs = sets.nameLockedIds;
    }
    const Result<> saved = save();
    if (!saved) {
        m_data = previous;
        m_protectedProjectStatusIDs = previousProtected;
        m_nameLockedProjectStatusIDs = previousNameLocked;
        return saved;
    }
#define VELMORA_ANNOUNCE_FIELD(Type, name, Name)                                                   \
    if (session.touched(SessionField::name) && !(previous.name == m_data.name))              \
        emit name##Changed();
    VELMORA_SESSION_FIELDS(VELMORA_ANNOUNCE_FIELD)
#undef VELMORA_ANNOUNCE_FIELD
    if (m_protectedProjectStatusIDs != previousProtected)
        emit protectedProjectStatusIDsChanged();
    if (m_nameLockedProjectStatusIDs != previousNameLocked)
        emit nameLockedProjectStatusIDsChanged();
    return saved;
}

void AppDataStore::saveInBackground() {
    // The records are implicitly shared, so capturing them costs little; the
    // encoding happens on the writer thread with the file writing.
    AppDatabase db = snapshot();
    const quint64 generation = ++m_latestBackgroundSave;
    const std::optional<QUrl> mirror = m_defaultUrl;
    // The destructor waits for the writer, and events posted to a destroyed
    // store are dropped, so `this` outlives every use below.
    m_writer.start([this, db = std::move(db), generation, mirror] {
        Result<> result;
        if (generation == m_latestBackgroundSave.load()) {
            encodeSession(db, SessionFormat::Compact, m_encoded, &m_listCache);
            result = writeEverywhere(m_encoded, db.storagePreferences, mirror);
        }
        QMetaObject::invokeMethod(
            this,
            [this, result] {
                emit backgroundSaveFinished(result);
                emit saveFinished(result);
            },
            Qt::QueuedConnection);
    });
}

void AppDataStore::waitForBackgroundSaves() {
    m_writer.waitForDone();
}

void AppDataStore::reload() {
    // On the writer thread, after any pending save, so it reads the latest.
    m_writer.start([this] {
        const Result<QByteArray> bytes = m_services.fileSystem.readFile(m_folder.workingCopy());
        auto decoded = std::make_shared<Result<AppDatabase>>(
            bytes ? decodeSession(bytes.value(), m_services.clock)
                  : Result<AppDatabase>::failure(bytes.error()));
        QMetaObject::invokeMethod(
            this,
            [this, decoded] {
                if (!decoded->ok()) {
                    qWarning("Erreur chargement : %s", qUtf8Printable(decoded->error()));
                    emit reloadFinished(Result<>::failure(decoded->error()));
                    return;
                }
                apply(std::move(*decoded).value());
                emit reloadFinished(Result<>::success());
            },
            Qt::QueuedConnection);
    });
}

Result<> AppDataStore::applyFile(const QUrl& url) {
    if (!url.isLocalFile())
        return Result<>::failure(
            QStringLiteral("« %1 » n'est pas un fichier de cet ordinateur.").arg(url.toString()));
    const Result<QByteArray> bytes = m_services.fileSystem.readFile(url.toLocalFile());
    return bytes ? applyBytes(bytes.value()) : Result<>::failure(bytes.error());
}

Result<> AppDataStore::openFile(const QUrl& url) {
    if (const Result<> applied = applyFile(url); !applied)
        return applied;
    setDefaultFile(url);
    const Result<> saved = save();
    return saved ? Result<>::success() : saved;
}

Result<> AppDataStore::exportTo(const QUrl& url) {
    if (!url.isLocalFile())
        return Result<>::failure(
            QStringLiteral("« %1 » n'est pas un fichier de cet ordinateur.").arg(url.toString()));
    const QByteArray bytes = encodeSession(snapshot(), SessionFormat::PrettySorted);
    return m_services.fileSystem.writeFileAtomically(url.toLocalFile(), bytes);
}

void AppDataStore::newSession() {
    AppDatabase fresh = newSessionContents();
    m_mediaCache.clear();
    apply(std::move(fresh));
    clearDefaultFile();
    if (const Result<> saved = save(); !saved)
        qWarning("Erreur sauvegarde : %s", qUtf8Printable(saved.error()));
}

std::optional<QUrl> AppDataStore::importMediaFile(const QUrl& source, bool keepName,
                                                  const QString& prefix) {
    FileSystem& fs = m_services.fileSystem;
    const QFileInfo info(source.toLocalFile());
    QString name = info.fileName();
    if (!keepName) {
        name = prefix + QLatin1Char('_') + QUuid::createUuid().toString(QUuid::WithoutBraces);
        if (!info.suffix().isEmpty())
            name += QLatin1Char('.') + info.suffix();
    }
    const QString target = mediaFolder() + QLatin1Char('/') + name;
    const auto failed = [](const QString& message) {
        qWarning("Erreur copie fichier : %s", qUtf8Printable(message));
        return std::nullopt;
    };
    if (!source.isLocalFile() || name.isEmpty())
        return failed(QStringLiteral("« %1 » n'est pas un fichier.").arg(source.toString()));
    if (const Result<> made = fs.createDirectories(mediaFolder()); !made)
        return failed(made.error());
    if (fs.exists(target)) {
        if (const Result<> removed = fs.removeItem(target); !removed)
            return failed(removed.error());
    }
    if (const Result<> copied = fs.copyFile(source.toLocalFile(), target); !copied)
        return failed(copied.error());
    const Result<QByteArray> bytes = fs.readFile(target);
    if (!bytes)
        return failed(bytes.error());
    m_mediaCache.insert(name, Base64Data::fromBytes(bytes.value()));
    return QUrl::fromLocalFile(target);
}

void AppDataStore::removeMediaFile(const QUrl& url) {
    const QString key = mediaKeyOf(url);
    if (key.isEmpty())
        return;
    m_mediaCache.remove(key);
    if (const Result<> removed = m_services.fileSystem.removeItem(url.toLocalFile()); !removed)
        qWarning("Erreur suppression fichier : %s", qUtf8Printable(removed.error()));
}

void AppDataStore::setDefaultUrl(std::optional<QUrl> url) {
    if (m_defaultUrl == url)
        return;
    m_defaultUrl = std::move(url);
    emit defaultCDBFileURLChanged();
}

void AppDataStore::setDefaultFile(const QUrl& url) {
    setDefaultUrl(url);
    if (auto bookmark = m_services.bookmarks.create(url)) {
        m_services.userDefaults.setValue(bookmarkKey(), *bookmark);
        m_defaultScopedUrl = url;
    }
    m_services.userDefaults.setValue(pathKey(), url.toString());
}

void AppDataStore::clearDefaultFile() {
    if (m_defaultScopedUrl)
        m_services.bookmarks.stopAccessing(*m_defaultScopedUrl);
    m_defaultScopedUrl.reset();
    setDefaultUrl(std::nullopt);
    m_services.userDefaults.remove(bookmarkKey());
    m_services.userDefaults.remove(pathKey());
}

} // namespace velmora
