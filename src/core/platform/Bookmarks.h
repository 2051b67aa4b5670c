#pragma once

#include <QByteArray>
#include <QUrl>

#include <optional>

namespace velmora {

struct ResolvedBookmark {
    QUrl url;
    bool isStale = false;
};

// Lasting references to files the user chose. Access to a resolved location
// lasts until stopAccessing.
class Bookmarks {
public:
    virtual ~Bookmarks() = default;
    virtual std::optional<QByteArray> create(const QUrl& fileUrl) = 0;
    virtual std::optional<ResolvedBookmark> resolve(const QByteArray& bookmark) = 0;
    virtual void stopAccessing(const QUrl& fileUrl) = 0;
};

} // namespace velmora
