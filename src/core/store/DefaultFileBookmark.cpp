#include "core/store/DefaultFileBookmark.h"

namespace velmora {

void DefaultFileBookmark::resolve() {
    const QByteArray bookmark = m_defaults.value(bookmarkKey()).toByteArray();
    if (!bookmark.isEmpty()) {
        if (auto resolved = m_bookmarks.resolve(bookmark)) {
            m_url = resolved->url;
            m_accessed = resolved->url;
            if (resolved->isStale) {
                if (auto fresh = m_bookmarks.create(resolved->url))
                    m_defaults.setValue(bookmarkKey(), *fresh);
            }
        }
    } else if (const QUrl path(m_defaults.value(pathKey()).toString());
               path.isValid() && !path.isEmpty()) {
        m_url = path;
    }
}

void DefaultFileBookmark::set(const QUrl& url) {
    m_url = url;
    if (auto bookmark = m_bookmarks.create(url)) {
        m_defaults.setValue(bookmarkKey(), *bookmark);
        m_accessed = url;
    }
    m_defaults.setValue(pathKey(), url.toString());
}

void DefaultFileBookmark::clear() {
    if (m_accessed)
        m_bookmarks.stopAccessing(*m_accessed);
    m_accessed.reset();
    m_url.reset();
    m_defaults.remove(bookmarkKey());
    m_defaults.remove(pathKey());
}

} // namespace velmora
