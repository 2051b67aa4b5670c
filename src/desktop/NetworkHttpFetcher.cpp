#include "desktop/NetworkHttpFetcher.h"

#include <QNetworkReply>
#include <QNetworkRequest>

namespace velmora {
namespace {

// Errors that only restate the HTTP status: the response came back and its
// body is still the server's answer.
bool isHttpStatusError(QNetworkReply::NetworkError error) {
    return (error >= QNetworkReply::ContentAccessDenied &&
            error <= QNetworkReply::UnknownContentError) ||
           (error >= QNetworkReply::InternalServerError &&
            error <= QNetworkReply::UnknownServerError);
}

} // namespace

NetworkHttpFetcher::NetworkHttpFetcher() {
    m_network.setCache(nullptr);
}

void NetworkHttpFetcher::get(const QUrl& url, std::chrono::milliseconds timeout, Completion done) {
    QNetworkRequest request(url);
    request.setTransferTimeout(int(timeout.count()));
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    QNetworkReply* reply = m_network.get(request);
    QObject::connect(reply, &QNetworkReply::finished, reply, [reply, done = std::move(done)] {
        reply->deleteLater();
        const auto error = reply->error();
        const bool answered = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
        if (error == QNetworkReply::NoError || (answered && isHttpStatusError(error)))
            done(reply->readAll());
        else
            done(std::nullopt);
    });
}

} // namespace velmora
