#include "core/store/AppDataStore.h"

#include "core/activities/ActivityStatuses.h"
#include "core/documents/DocumentStatus.h"
#include "core/model/NewSession.h"
#include "core/model/OpenedSession.h"
#include "core/store/DailyBackup.h"
#include "core/store/SessionCommit.h"

#include <QtDebug>

namespace velmora {

AppDataStore::AppDataStore(Services services, StoreFolder folder, QObject* parent)
    : QObject(parent), m_services(services), m_folder(folder), m_media(services.fileSystem, folder),
      m_defaultFile(services.userDefaults, services.bookmarks),
      m_storage(services.fileSystem, services.clock, folder) {
    m_data.sessionID = QUuid::createUuid();
    m_media.open(*m_data.sessionID);
}

AppDataStore::~AppDataStore() {
    m_storage.waitForWriter();
}

void AppDataStore::create() {
    m_defaultFile.resolve();
    if (m_defaultFile.url())
        emit defaultCDBFileURLChanged();

    FileSystem& fs = m_services.fileSystem;
    const bool hadWorkingCopy = fs.exists(m_folder.workingCopy());
    load();
    // After the load: the session names the backup folder.
    m_storage.removeWriteLeftovers(m_defaultFile.url(), m_data.storagePreferences);
    if (hadWorkingCopy) {
        runDailyBackup(fs, m_folder.root(), m_services.clock);
        return;
    }
    const auto& url = m_defaultFile.url();
    const bool defaultFileExists = url && fs.exists(url->toLocalFile());
    const bool empty = m_data.projects.isEmpty() && m_data.clients.isEmpty() &&
                       m_data.services.isEmpty() && m_data.documents.isEmpty() &&
                       m_data.stockItems.isEmpty() && m_data.purchaseWishlistItems.isEmpty() &&
                       m_data.accountingPurchases.isEmpty();
    if (!defaultFileExists && empty) {
        // A first start: the statuses every session needs, kept even when the
        // disk refuses this first save.
        AppDatabase seeded = m_data;
        seedDocumentStatuses(seeded);
        normalizeActivityStatuses(seeded);
        m_data = std::move(seeded);
        emit sessionChanged(SessionFields::all());
        if (const Result<> saved = save(); !saved)
            qWarning("Erreur sauvegarde : %s", qUtf8Printable(saved.error()));
    } else {
        runDailyBackup(fs, m_folder.root(), m_services.clock);
    }
}

Result<> AppDataStore::load() {
    Result<AppDatabase> loaded = m_storage.load(m_defaultFile.url());
    if (!loaded)
        return Result<>(loaded);
    apply(std::move(loaded).value());
    return Result<>::success();
}

void AppDataStore::apply(AppDatabase db) {
    if (!db.sessionID)
        db.sessionID = QUuid::createUuid();
    m_media.open(*db.sessionID);
    m_media.extract(db);
    settleSessionStatuses(db);
    m_data = std::move(db);
    emit sessionChanged(SessionFields::all());
}

AppDatabase AppDataStore::snapshot() {
    AppDatabase db = m_data;
    m_media.embed(db);
    return db;
}

Result<> AppDataStore::save() {
    const Result<> result = m_storage.write(snapshot(), m_defaultFile.url());
    emit saveFinished(result);
    return result;
}

Result<> AppDataStore::commit(SessionEdit& session) {
    const AppDatabase previous = m_data;
    const SessionFields changed = commitEdit(m_data, session);
    const Result<> saved = save();
    if (!saved) {
        m_data = previous;
        // The working copy may already hold the change when only a later
        // copy failed (the backup folder): it goes back to what is kept, so
        // that the next start does not open what was refused.
        (void)m_storage.write(snapshot(), m_defaultFile.url());
        return saved;
    }
    if (!changed.isEmpty())
        emit sessionChanged(changed);
    return saved;
}

void AppDataStore::saveInBackground() {
    // The records are implicitly shared, so capturing them costs little; the
    // encoding happens on the writer thread with the file writing.
    m_storage.writeInBackground(snapshot(), m_defaultFile.url(), [this](const Result<>& result) {
        emit backgroundSaveFinished(result);
        emit saveFinished(result);
    });
}

void AppDataStore::waitForBackgroundSaves() {
    m_storage.waitForWriter();
}

void AppDataStore::reload() {
    m_storage.readInBackground([this](Result<AppDatabase> decoded) {
        if (!decoded.ok()) {
            qWarning("Erreur chargement : %s", qUtf8Printable(decoded.error()));
            emit reloadFinished(Result<>(decoded));
            return;
        }
        apply(std::move(decoded).value());
        emit reloadFinished(Result<>::success());
    });
}

Result<> AppDataStore::applyFile(const QUrl& url) {
    Result<AppDatabase> read = m_storage.read(url);
    if (!read)
        return Result<>(read);
    apply(std::move(read).value());
    return Result<>::success();
}

Result<> AppDataStore::openFile(const QUrl& url) {
    if (const Result<> applied = applyFile(url); !applied)
        return applied;
    setDefaultFile(url);
    const Result<> saved = save();
    return saved ? Result<>::success() : saved;
}

Result<> AppDataStore::exportTo(const QUrl& url) {
    return m_storage.exportTo(url, snapshot());
}

void AppDataStore::newSession() {
    apply(newSessionContents());
    clearDefaultFile();
    if (const Result<> saved = save(); !saved)
        qWarning("Erreur sauvegarde : %s", qUtf8Printable(saved.error()));
}

void AppDataStore::setDefaultFile(const QUrl& url) {
    const bool changed = m_defaultFile.url() != url;
    m_defaultFile.set(url);
    if (changed)
        emit defaultCDBFileURLChanged();
}

void AppDataStore::clearDefaultFile() {
    const bool changed = m_defaultFile.url().has_value();
    m_defaultFile.clear();
    if (changed)
        emit defaultCDBFileURLChanged();
}

} // namespace velmora
