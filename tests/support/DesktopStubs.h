#pragma once

#include "core/platform/FreeSpace.h"
#include "core/platform/HttpFetcher.h"

#include <QString>

#include <optional>

namespace velmora::test {

// The free space the test sets, unknown until then; remembers the folder
// it was asked about.
class StubFreeSpace final : public FreeSpace {
public:
    std::optional<qint64> availableBytes(const QString& folder) const override {
        asked = folder;
        return bytes;
    }
    std::optional<qint64> bytes;
    mutable QString asked;
};

// An update server that never answers.
class SilentHttp final : public HttpFetcher {
public:
    void get(const QUrl&, std::chrono::milliseconds, Completion) override {}
};

} // namespace velmora::test
