#pragma once

#include <QString>

#include <optional>

namespace velmora {

// The application's own cache folder (QStandardPaths::CacheLocation). Nothing
// when it cannot be told apart from the cache folder every program shares or
// from the home folder: clearing caches must never reach those.
std::optional<QString> applicationCacheFolder();

} // namespace velmora
