#pragma once

#include "core/Result.h"
#include "core/platform/FileSystem.h"
#include "core/store/StoreFolder.h"

namespace velmora {

// What the application says, and then stops, when the user has no folder for
// application data at all.
QString applicationDataUnavailableMessage();

// The store's root folder under the user's data folder ($XDG_DATA_HOME), with
// the legacy names migrated.
Result<StoreFolder> openStoreFolder(FileSystem& fs);

// The same folder, named without creating or migrating anything.
Result<StoreFolder> locateStoreFolder();

} // namespace velmora
