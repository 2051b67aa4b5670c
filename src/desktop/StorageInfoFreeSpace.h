#pragma once

#include "core/platform/FreeSpace.h"

#include <QStorageInfo>

namespace velmora {

class StorageInfoFreeSpace final : public FreeSpace {
public:
    std::optional<qint64> availableBytes(const QString& folder) const override {
        const QStorageInfo info(folder);
        if (!info.isValid() || !info.isReady() || info.bytesAvailable() < 0)
            return std::nullopt;
        return info.bytesAvailable();
    }
};

} // namespace velmora
