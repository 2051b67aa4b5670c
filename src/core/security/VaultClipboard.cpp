#include "core/security/VaultClipboard.h"

#include "core/platform/Clipboard.h"

namespace velmora {

void VaultClipboard::copy(VaultField field, const QString& text) {
    const bool secret = field == VaultField::password;
    m_clipboard.clear();
    m_clipboard.setText(text, secret);
    m_secret = secret ? text : QString();
}

bool VaultClipboard::clearSecret() {
    const bool held = !m_secret.isEmpty() && m_clipboard.text() == m_secret;
    if (held)
        m_clipboard.clear();
    m_secret.clear();
    return held;
}

} // namespace velmora
