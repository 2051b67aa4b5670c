#include "desktop/ApplicationCacheFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace velmora {

std::optional<QString> applicationCacheFolder() {
    if (QCoreApplication::applicationName().isEmpty())
        return std::nullopt;
    const QString own = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (own.isEmpty() || !QDir::isAbsolutePath(own))
        return std::nullopt;
    const QString cleaned = QDir::cleanPath(own);
    const QString shared = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    const QString home = QStandardPaths::writableLocation(QStandardPaths::HomeLocation);
    if (cleaned == QDir::cleanPath(shared) || cleaned == QDir::cleanPath(home) ||
        QDir(cleaned).isRoot())
        return std::nullopt;
    return cleaned;
}

} // namespace velmora
