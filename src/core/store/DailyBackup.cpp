#include "core/store/DailyBackup.h"

#include <QLocale>
#include <QtDebug>

#include <algorithm>

namespace velmora {

QString dailyBackupFileName(const QDateTime& moment) {
    // A fixed-format name, whatever the user's locale (C is the POSIX locale).
    const QString date = QLocale::c().toString(moment.toLocalTime().date(), u"yyyy-MM-dd");
    return QStringLiteral("database-%1.cdb").arg(date);
}

void runDailyBackup(FileSystem& fs, const QString& rootFolder, const Clock& clock) {
    const QString workingCopy = rootFolder + QStringLiteral("/database.cdb");
    if (!fs.exists(workingCopy))
        return;
    const QString folder = rootFolder + QStringLiteral("/Backups");
    if (const Result<> made = fs.createDirectories(folder); !made) {
        qWarning("Erreur sauvegarde automatique : %s", qUtf8Printable(made.error()));
        return;
    }
    const QString today = folder + QLatin1Char('/') + dailyBackupFileName(clock.now());
    if (!fs.exists(today)) {
        if (const Result<> copied = fs.copyFile(workingCopy, today); !copied) {
            qWarning("Erreur sauvegarde automatique : %s", qUtf8Printable(copied.error()));
            return;
        }
    }

    QList<FileEntry> backups;
    for (const FileEntry& entry : fs.listDirectory(folder)) {
        if (!entry.isHidden && entry.name.startsWith(QLatin1String("database")) &&
            entry.name.section(QLatin1Char('.'), -1) == QLatin1String("cdb"))
            backups.append(entry);
    }
    // Newest first; an entry without a date counts as the most distant past.
    std::stable_sort(backups.begin(), backups.end(), [](const FileEntry& a, const FileEntry& b) {
        if (!a.modified || !b.modified)
            return a.modified.has_value() && !b.modified.has_value();
        return *a.modified > *b.modified;
    });
    for (qsizetype i = kKeptDailyBackups; i < backups.size(); ++i)
        fs.removeItem(backups[i].path);
}

} // namespace velmora
