#pragma once

#include "core/platform/HttpFetcher.h"

#include <QNetworkAccessManager>

namespace velmora {

// HTTPS fetch over one QNetworkAccessManager for the whole run. It has no
// disk cache and every request asks the network, so "Vider les caches…" has
// no response cache to empty.
class NetworkHttpFetcher final : public HttpFetcher {
public:
    NetworkHttpFetcher();
    void get(const QUrl& url, std::chrono::milliseconds timeout, Completion done) override;

private:
    QNetworkAccessManager m_network;
};

} // namespace velmora
