#pragma once

#include <QString>

namespace velmora {

// The system clipboard, holding one plain text at a time.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Replaces whatever the clipboard held. A secret is marked so that
    // clipboard managers keep no history of it.
    virtual void setText(const QString& text, bool secret) = 0;
    virtual QString text() const = 0;
    virtual void clear() = 0;
};

} // namespace velmora
