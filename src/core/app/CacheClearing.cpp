#include "core/app/CacheClearing.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace velmora {
namespace {

constexpr QDir::Filters kEverything =
    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;

bool usable(const QString& folder) {
    if (folder.isEmpty())
        return false;
    const QFileInfo info(folder);
    return info.isAbsolute() && !info.isSymLink() && info.isDir() && !QDir(folder).isRoot();
}

} // namespace

QString formatCacheSize(qint64 bytes) {
    if (bytes < 1024)
        return QString::number(bytes) + QStringLiteral(" octets");
    if (bytes < 1024 * 1024)
        return QString::asprintf("%.1f Ko", double(bytes) / 1024.0);
    return QString::asprintf("%.1f Mo", double(bytes) / (1024.0 * 1024.0));
}

qint64 cacheFolderSize(const QString& folder) {
    if (!usable(folder))
        return 0;
    qint64 total = 0;
    // Without FollowSymlinks the walk never enters a linked folder.
    QDirIterator it(folder, kEverything, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info = it.nextFileInfo();
        if (!info.isSymLink() && info.isFile())
            total += info.size();
    }
    return total;
}

CacheClearing::CacheClearing(QString folder) : m_folder(std::move(folder)) {}

Alert CacheClearing::confirmation() {
    m_sizeText = formatCacheSize(cacheFolderSize(m_folder));
    return Alert{Alert::Kind::warning,
                 QStringLiteral("Vider les caches ?"),
                 QStringLiteral("Les caches temporaires (") + m_sizeText +
                     QStringLiteral(") seront supprimés. Vos données de session ne sont "
                                    "pas affectées."),
                 {{QStringLiteral("Vider les caches"), AlertRole::destructive},
                  {QStringLiteral("Annuler"), AlertRole::cancel}}};
}

Alert CacheClearing::clear() {
    if (m_sizeText.isEmpty())
        m_sizeText = formatCacheSize(cacheFolderSize(m_folder));
    if (usable(m_folder)) {
        const QFileInfoList items = QDir(m_folder).entryInfoList(kEverything);
        for (const QFileInfo& item : items) {
            // A link is removed itself, never what it points to; removeRecursively
            // treats links found deeper the same way.
            if (item.isDir() && !item.isSymLink())
                QDir(item.absoluteFilePath()).removeRecursively();
            else
                QFile::remove(item.absoluteFilePath());
        }
    }
    return Alert{Alert::Kind::information,
                 QStringLiteral("Caches vidés"),
                 QStringLiteral("Les ") + m_sizeText +
                     QStringLiteral(" de caches ont été supprimés avec succès."),
                 {{QStringLiteral("OK"), AlertRole::defaultAction}}};
}

} // namespace velmora
