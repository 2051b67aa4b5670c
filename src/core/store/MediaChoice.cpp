#include "core/store/MediaChoice.h"

#include "core/store/SessionEdit.h"

namespace velmora {

Result<std::optional<QUrl>> MediaChoice::settle(SessionEdit& edit, const QString& prefix,
                                                const QString& failure) const {
    std::optional<QUrl> kept = m_shown;
    if (m_chosen && m_shown == m_chosen) {
        const Result<QUrl> copy = edit.importMedia(*m_chosen, false, prefix);
        if (!copy)
            return Result<std::optional<QUrl>>::failure(failure.arg(m_chosen->fileName()));
        kept = copy.value();
    }
    if (m_stored && m_stored != kept)
        edit.releaseMedia(*m_stored);
    return Result<std::optional<QUrl>>(kept);
}

void MediaChoice::saved(const std::optional<QUrl>& url) {
    m_stored = url;
    m_shown = url;
    m_chosen.reset();
}

} // namespace velmora
