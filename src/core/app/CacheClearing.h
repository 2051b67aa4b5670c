#pragma once

#include "core/Alert.h"

#include <QString>

namespace velmora {

// "0 octets", "1.0 Ko", "1.0 Mo": the C formatting of the size, point included.
QString formatCacheSize(qint64 bytes);

// Sum of the sizes of the regular files below the folder. Links are neither
// followed nor counted, so nothing outside the folder is measured.
qint64 cacheFolderSize(const QString& folder);

// "Vider les caches…" over the application's own cache folder. The user's
// cache folder is shared by every program on Linux: only the folder given here
// is ever measured or emptied, and a folder that is empty, relative or a link
// counts as none.
class CacheClearing {
public:
    explicit CacheClearing(QString folder);

    // Measures the folder and asks.
    Alert confirmation();
    // Empties the folder (failures are skipped) and reports the size that was
    // announced, measuring first when nothing was asked.
    Alert clear();

    const QString& folder() const { return m_folder; }

private:
    QString m_folder;
    QString m_sizeText;
};

} // namespace velmora
