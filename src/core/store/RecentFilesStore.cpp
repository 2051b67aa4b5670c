#include "core/store/RecentFilesStore.h"

#include <QDir>
#include <QFileInfo>

namespace velmora {

QString RecentFilesStore::urlText(const QUrl& url) {
    if (!url.isLocalFile())
        return url.toString(QUrl::FullyEncoded);
    const QString path = QDir::cleanPath(QFileInfo(url.toLocalFile()).absoluteFilePath());
    return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
}

RecentFilesStore::RecentFilesStore(UserDefaults& defaults, Bookmarks& bookmarks,
                                   const FileSystem& fileSystem, QObject* parent)
    : QObject(parent), m_defaults(defaults), m_bookmarks(bookmarks), m_fileSystem(fileSystem) {
    const QByteArray stored = m_defaults.value(key()).toByteArray();
    if (!stored.isEmpty()) {
        if (auto decoded = decodeRecentEntries(stored))
            m_entries = std::move(*decoded);
        else
            qWarning("Liste des sessions récentes illisible, ignorée.");
    }
}

RecentFilesStore::~RecentFilesStore() {
    for (const QUrl& url : std::as_const(m_scopedUrls))
        m_bookmarks.stopAccessing(url);
}

qsizetype RecentFilesStore::indexOf(const QString& urlString) const {
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].urlString == urlString)
            return i;
    }
    return -1;
}

std::optional<RecentEntry> RecentFilesStore::entry(const QString& urlString) const {
    const qsizetype i = indexOf(urlString);
    return i < 0 ? std::nullopt : std::optional(m_entries[i]);
}

void RecentFilesStore::setEntries(QList<RecentEntry> entries) {
    m_entries = std::move(entries);
    save();
    emit entriesChanged();
}

void RecentFilesStore::add(const QUrl& url, const std::optional<QString>& sessionName,
                           const std::optional<QByteArray>& photoData,
                           const std::optional<QString>& imageName) {
    RecentEntry fresh;
    fresh.urlString = urlText(url);
    fresh.displayName = QUrl(fresh.urlString).fileName();
    if (auto bookmark = m_bookmarks.create(url))
        fresh.bookmarkData = Base64Data::fromBytes(*bookmark);
    fresh.sessionName = sessionName;
    if (photoData)
        fresh.profilePhotoData = Base64Data::fromBytes(*photoData);
    fresh.profileImageName = imageName;
    if (const auto old = entry(fresh.urlString)) {
        if (!fresh.sessionName)
            fresh.sessionName = old->sessionName;
        if (!fresh.profilePhotoData)
            fresh.profilePhotoData = old->profilePhotoData;
        if (!fresh.profileImageName)
            fresh.profileImageName = old->profileImageName;
    }
    QList<RecentEntry> entries;
    entries.append(fresh);
    for (const RecentEntry& e : std::as_const(m_entries)) {
        if (e.urlString != fresh.urlString && entries.size() < maxCount)
            entries.append(e);
    }
    setEntries(std::move(entries));
}

std::optional<QUrl> RecentFilesStore::resolve(const RecentEntry& entry) {
    if (entry.bookmarkData) {
        const auto resolved = m_bookmarks.resolve(entry.bookmarkData->decoded());
        if (!resolved)
            return std::nullopt;
        m_scopedUrls.insert(resolved->url);
        if (resolved->isStale) {
            const qsizetype i = indexOf(entry.urlString);
            const auto fresh = m_bookmarks.create(resolved->url);
            if (i >= 0 && fresh) {
                QList<RecentEntry> entries = m_entries;
                entries[i].bookmarkData = Base64Data::fromBytes(*fresh);
                setEntries(std::move(entries));
            }
        }
        return resolved->url;
    }
    const QUrl url(entry.urlString);
    if (!url.isLocalFile() || !m_fileSystem.exists(url.toLocalFile()))
        return std::nullopt;
    return url;
}

void RecentFilesStore::updateIdentity(const QString& urlString,
                                      const std::optional<QString>& sessionName,
                                      const std::optional<QByteArray>& photoData,
                                      const std::optional<QString>& imageName) {
    const qsizetype i = indexOf(urlString);
    if (i < 0)
        return;
    QList<RecentEntry> entries = m_entries;
    RecentEntry& e = entries[i];
    if (sessionName)
        e.sessionName = sessionName;
    if (photoData) {
        e.profilePhotoData = Base64Data::fromBytes(*photoData);
        e.profileImageName.reset();
    } else if (imageName) {
        e.profileImageName = imageName;
        e.profilePhotoData.reset();
    }
    setEntries(std::move(entries));
}

void RecentFilesStore::clearPicture(const QString& urlString) {
    const qsizetype i = indexOf(urlString);
    if (i < 0)
        return;
    QList<RecentEntry> entries = m_entries;
    entries[i].profilePhotoData.reset();
    entries[i].profileImageName.reset();
    setEntries(std::move(entries));
}

void RecentFilesStore::remove(const QString& urlString) {
    const qsizetype i = indexOf(urlString);
    if (i < 0)
        return;
    QList<RecentEntry> entries = m_entries;
    entries.removeAt(i);
    setEntries(std::move(entries));
}

void RecentFilesStore::clearAll() {
    setEntries({});
}

void RecentFilesStore::save() {
    m_defaults.setValue(key(), encodeRecentEntries(m_entries));
}

} // namespace velmora
