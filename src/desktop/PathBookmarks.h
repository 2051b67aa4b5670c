#pragma once

#include "core/platform/Bookmarks.h"

#include <QFileInfo>

namespace velmora {

// A bookmark is the file's absolute path. It resolves while a file is there
// and is never stale; there is no sandbox to enter or leave.
class PathBookmarks final : public Bookmarks {
public:
    std::optional<QByteArray> create(const QUrl& fileUrl) override {
        if (!fileUrl.isLocalFile())
            return std::nullopt;
        return QFileInfo(fileUrl.toLocalFile()).absoluteFilePath().toUtf8();
    }
    std::optional<ResolvedBookmark> resolve(const QByteArray& bookmark) override {
        const QString path = QString::fromUtf8(bookmark);
        if (path.isEmpty() || !QFileInfo::exists(path))
            return std::nullopt;
        return ResolvedBookmark{QUrl::fromLocalFile(path), false};
    }
    void stopAccessing(const QUrl&) override {}
};

} // namespace velmora
