#include "core/security/VaultLock.h"

#include "core/model/AppPreferences.h"

namespace velmora {

bool hasVaultCode(const AppPreferences& preferences) {
    return !preferences.externalToolsAccessCode.trimmed().isEmpty();
}

bool isVaultCodeCorrect(const QString& typed, const QString& storedCode) {
    return typed.trimmed() == storedCode.trimmed();
}

VaultLock::Panel VaultLock::panel(const AppPreferences& preferences) const {
    if (m_unlocked)
        return Panel::open;
    return hasVaultCode(preferences) ? Panel::locked : Panel::noCode;
}

bool VaultLock::unlock(const AppPreferences& preferences) {
    if (!isVaultCodeCorrect(typed, preferences.externalToolsAccessCode)) {
        m_error = wrongCode();
        return false;
    }
    m_error.clear();
    typed.clear();
    typedVisible = false;
    m_unlocked = true;
    return true;
}

void VaultLock::continueWithoutCode(const AppPreferences& preferences) {
    if (!hasVaultCode(preferences))
        m_unlocked = true;
}

void VaultLock::lock() {
    m_unlocked = false;
    m_error.clear();
    typed.clear();
    typedVisible = false;
}

} // namespace velmora
