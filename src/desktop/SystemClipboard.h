#pragma once

#include "core/platform/Clipboard.h"

namespace velmora {

// The desktop's clipboard through Qt. A secret carries the
// "x-kde-passwordManagerHint" entry set to "secret", which KDE's, GNOME's
// and most other clipboard managers read as "keep no history of this".
class SystemClipboard final : public Clipboard {
public:
    static QString secretHintFormat() { return QStringLiteral("x-kde-passwordManagerHint"); }

    void setText(const QString& text, bool secret) override;
    QString text() const override;
    void clear() override;
};

} // namespace velmora
