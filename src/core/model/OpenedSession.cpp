#include "core/model/OpenedSession.h"

#include "core/model/MediaUrls.h"
#include "core/model/NewSession.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QtDebug>

#include <algorithm>

namespace velmora {

bool isSafeMediaKey(const QString& key) {
    if (key.isEmpty() || key.startsWith(QLatin1Char('/')) || key.contains(QLatin1Char('\\')) ||
        QDir::isAbsolutePath(key))
        return false;
    const QStringList parts = key.split(QLatin1Char('/'));
    for (const QString& part : parts) {
        if (part.isEmpty() || part == QLatin1String("..") || part == QLatin1String("."))
            return false;
    }
    return true;
}

void settleOpenedSession(AppDatabase& db, const QString& mediaFolder) {
    // Opening matches a URL to an embedded file by file name alone; of two
    // keys with one file name, the later one in key order wins.
    QHash<QString, QString> keyOfName;
    for (auto it = db.embeddedMedia.cbegin(); it != db.embeddedMedia.cend(); ++it) {
        if (!isSafeMediaKey(it.key())) {
            qWarning("Média ignoré, nom refusé : %s", qUtf8Printable(it.key()));
            continue;
        }
        keyOfName.insert(QFileInfo(it.key()).fileName(), it.key());
    }
    QSet<QString> referenced;
    rewriteMediaUrls(db, [&](QUrl& url) {
        if (!url.isLocalFile())
            return;
        const auto it = keyOfName.constFind(QFileInfo(url.toLocalFile()).fileName());
        if (it == keyOfName.cend())
            return;
        url = QUrl::fromLocalFile(mediaFolder + QLatin1Char('/') + *it);
        referenced.insert(*it);
    });
    for (auto it = db.embeddedMedia.begin(); it != db.embeddedMedia.end();) {
        if (referenced.contains(it.key()))
            ++it;
        else
            it = db.embeddedMedia.erase(it);
    }

    settleSessionStatuses(db);
}

void settleSessionStatuses(AppDatabase& db) {
    normalizeActivityStatuses(db);
    db.protectedQuoteStatusIDs = sortedIds(db.protectedQuoteStatusIDs);
    db.protectedInvoiceStatusIDs = sortedIds(db.protectedInvoiceStatusIDs);
    if (db.sessionName && db.sessionName->isEmpty())
        db.sessionName.reset();
}

} // namespace velmora
