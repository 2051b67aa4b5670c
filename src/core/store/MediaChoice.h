#pragma once

#include "core/Result.h"

#include <QUrl>

#include <optional>

namespace velmora {

class SessionEdit;

// The picture a form shows for its record: the one stored, or a file the
// user chose, shown from where it is and copied into the session's media
// only when the record is saved, so that a cancelled form leaves nothing.
class MediaChoice {
public:
    explicit MediaChoice(std::optional<QUrl> stored = std::nullopt)
        : m_stored(stored), m_shown(stored) {}

    void choose(const QUrl& file) {
        m_chosen = file;
        m_shown = file;
    }
    void clear() { m_shown.reset(); }
    const std::optional<QUrl>& shown() const { return m_shown; }

    // Within the edit that saves the record: the chosen file copied in (as
    // "<prefix>_<uuid>.<suffix>") and the stored picture it replaces
    // released; the URL the record keeps, or why the copy failed, with
    // `failure` formatting the file's name.
    Result<std::optional<QUrl>> settle(SessionEdit& edit, const QString& prefix,
                                       const QString& failure) const;
    // After the save: the copy is now the stored picture.
    void saved(const std::optional<QUrl>& url);

private:
    std::optional<QUrl> m_stored;
    std::optional<QUrl> m_shown;
    std::optional<QUrl> m_chosen;
};

} // namespace velmora
