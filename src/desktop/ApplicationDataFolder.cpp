#include "desktop/ApplicationDataFolder.h"

#include <QStandardPaths>

namespace velmora {

QString applicationDataUnavailableMessage() {
    return QStringLiteral(
        "Application Support directory unavailable — environment critically broken");
}

namespace {

QString applicationDataFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

} // namespace

Result<StoreFolder> openStoreFolder(FileSystem& fs) {
    const QString data = applicationDataFolder();
    if (data.isEmpty())
        return Result<StoreFolder>::failure(applicationDataUnavailableMessage());
    auto folder = StoreFolder::prepare(fs, data);
    if (!folder)
        return Result<StoreFolder>::failure(applicationDataUnavailableMessage() +
                                            QStringLiteral(" (") + folder.error() +
                                            QLatin1Char(')'));
    return folder;
}

Result<StoreFolder> locateStoreFolder() {
    const QString data = applicationDataFolder();
    if (data.isEmpty())
        return Result<StoreFolder>::failure(applicationDataUnavailableMessage());
    return StoreFolder::locate(data);
}

} // namespace velmora
