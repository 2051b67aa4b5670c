#include "desktop/ApplicationDataFolder.h"

#include <QStandardPaths>

namespace velmora {

QString applicationDataUnavailableMessage() {
    return QStringLiteral(
        "Application Support directory unavailable — environment critically broken");
}

Result<StoreFolder> openStoreFolder(FileSystem& fs) {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty())
        return Result<StoreFolder>::failure(applicationDataUnavailableMessage());
    auto folder = StoreFolder::prepare(fs, data);
    if (!folder)
        return Result<StoreFolder>::failure(applicationDataUnavailableMessage() +
                                            QStringLiteral(" (") + folder.error() +
                                            QLatin1Char(')'));
    return folder;
}

} // namespace velmora
