#pragma once

#include "core/platform/Bookmarks.h"
#include "core/platform/UserDefaults.h"

#include <QUrl>

#include <optional>

namespace velmora {

// The user's own session file, which every save mirrors: kept in the user
// defaults as a bookmark, or as a plain path written by an older version.
class DefaultFileBookmark {
public:
    static QString bookmarkKey() { return QStringLiteral("defaultCDBFileBookmark"); }
    static QString pathKey() { return QStringLiteral("defaultCDBFilePath"); }

    DefaultFileBookmark(UserDefaults& defaults, Bookmarks& bookmarks)
        : m_defaults(defaults), m_bookmarks(bookmarks) {}

    // Start-up: the file the defaults name, a stale bookmark made anew.
    void resolve();
    const std::optional<QUrl>& url() const { return m_url; }
    void set(const QUrl& url);
    void clear();

private:
    UserDefaults& m_defaults;
    Bookmarks& m_bookmarks;
    std::optional<QUrl> m_url;
    // The file whose bookmark access must be given back when it is cleared.
    std::optional<QUrl> m_accessed;
};

} // namespace velmora
