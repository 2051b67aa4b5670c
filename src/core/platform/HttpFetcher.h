#pragma once

#include <QByteArray>
#include <QUrl>

#include <chrono>
#include <functional>
#include <optional>

namespace velmora {

// A GET over HTTP(S). The answer arrives later, on the caller's thread: the
// body when a response came back (whatever its status), nothing on a transport
// failure or when the time-out passes without progress. Responses are never
// taken from or kept in a local cache.
class HttpFetcher {
public:
    using Completion = std::function<void(std::optional<QByteArray> body)>;

    virtual ~HttpFetcher() = default;
    virtual void get(const QUrl& url, std::chrono::milliseconds timeout, Completion done) = 0;
};

} // namespace velmora
