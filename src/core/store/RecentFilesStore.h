#pragma once

#include "core/platform/Bookmarks.h"
#include "core/platform/FileSystem.h"
#include "core/platform/UserDefaults.h"
#include "core/store/RecentEntry.h"

#include <QObject>
#include <QSet>
#include <QUrl>

#include <optional>

namespace velmora {

// The sessions used recently, most recent first, kept in the user defaults.
class RecentFilesStore : public QObject {
    Q_OBJECT

public:
    static QString key() { return QStringLiteral("recentCDBEntries"); }
    static constexpr qsizetype maxCount = 10;

    // The text under which a file is listed: the same file always gives the
    // same text, so that re-adding it finds its entry.
    static QString urlText(const QUrl& url);

    RecentFilesStore(UserDefaults& defaults, Bookmarks& bookmarks, const FileSystem& fileSystem,
                     QObject* parent = nullptr);
    // Ends the access to every location this store resolved.
    ~RecentFilesStore() override;

    const QList<RecentEntry>& entries() const { return m_entries; }
    std::optional<RecentEntry> entry(const QString& urlString) const;

    // Puts the file first, once; identity values not given keep those of the
    // entry already listed for the file.
    void add(const QUrl& url, const std::optional<QString>& sessionName = std::nullopt,
             const std::optional<QByteArray>& photoData = std::nullopt,
             const std::optional<QString>& imageName = std::nullopt);
    // The file's location now, or nothing when it cannot be found.
    std::optional<QUrl> resolve(const RecentEntry& entry);
    // A photo replaces the preset picture and the other way round.
    void updateIdentity(const QString& urlString, const std::optional<QString>& sessionName,
                        const std::optional<QByteArray>& photoData,
                        const std::optional<QString>& imageName);
    void clearPicture(const QString& urlString);
    void remove(const QString& urlString);
    void clearAll();
    void save();

signals:
    void entriesChanged();

private:
    qsizetype indexOf(const QString& urlString) const;
    void setEntries(QList<RecentEntry> entries);

    UserDefaults& m_defaults;
    Bookmarks& m_bookmarks;
    const FileSystem& m_fileSystem;
    QList<RecentEntry> m_entries;
    QSet<QUrl> m_scopedUrls;
};

} // namespace velmora
