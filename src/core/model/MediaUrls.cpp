#include "core/model/MediaUrls.h"

#include <type_traits>
#include <utility>

namespace velmora {
namespace {

// Walks the records through describe(), touching only URL fields. The const
// walk never detaches the implicitly shared lists of its caller.
template <bool Mutable> class UrlWalker {
public:
    static constexpr bool reading = false;
    using Callback =
        std::conditional_t<Mutable, std::function<void(QUrl&)>, std::function<void(const QUrl&)>>;

    explicit UrlWalker(const Callback& callback) : m_callback(callback) {}

    template <class T> void required(std::string_view, T& v) { walk(v); }
    template <class T> void optional(std::string_view, std::optional<T>& v) {
        if (v)
            walk(*v);
    }
    template <class T> void fallback(std::string_view, T& v, const std::type_identity_t<T>& = T{}) {
        walk(v);
    }
    template <class T>
    void fallbackOrLegacy(std::string_view, std::string_view, T&, const std::type_identity_t<T>&) {}
    void fallbackFreshId(std::string_view, QUuid&) {}
    void fallbackNow(std::string_view, QDateTime&) {}
    void fallbackCurrentYear(std::string_view, qint64&) {}
    void idsOrLegacy(std::string_view, std::string_view, QList<QUuid>&) {}

    template <class T> void walk(T& value) {
        if constexpr (std::is_same_v<T, QUrl>) {
            m_callback(value);
        } else if constexpr (std::is_same_v<T, StoragePreferences>) {
            // a folder, not a media file
        } else if constexpr (requires { describe(*this, value); }) {
            describe(*this, value);
        }
    }
    template <class T> void walk(QList<T>& list) {
        if constexpr (requires(T & item) { describe(*this, item); }) {
            if constexpr (Mutable) {
                for (T& item : list)
                    walk(item);
            } else {
                for (const T& item : std::as_const(list))
                    walk(const_cast<T&>(item));
            }
        }
    }

private:
    const Callback& m_callback;
};

} // namespace

void forEachMediaUrl(const AppDatabase& db, const std::function<void(const QUrl&)>& visit) {
    UrlWalker<false> walker(visit);
    // Read-only walk: describe() takes a mutable record but nothing is changed.
    walker.walk(const_cast<AppDatabase&>(db));
}

void rewriteMediaUrls(AppDatabase& db, const std::function<void(QUrl&)>& rewrite) {
    UrlWalker<true> walker(rewrite);
    walker.walk(db);
}

} // namespace velmora
