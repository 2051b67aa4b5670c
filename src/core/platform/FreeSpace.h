#pragma once

#include <QString>

#include <optional>

namespace velmora {

// Free bytes on the volume that holds a folder, or nothing when the system
// cannot tell.
class FreeSpace {
public:
    virtual ~FreeSpace() = default;
    virtual std::optional<qint64> availableBytes(const QString& folder) const = 0;
};

} // namespace velmora
