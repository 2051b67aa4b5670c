#include "core/security/VaultCodeSettings.h"

#include "core/security/VaultLock.h"
#include "core/store/SessionEdit.h"

namespace velmora {

bool VaultCodeSettings::hasUnsavedInput() const {
    return !oldCode.isEmpty() || !newCode.isEmpty() || !confirmation.isEmpty();
}

Result<> VaultCodeSettings::refuse(const QString& message) {
    m_error = message;
    return Result<>::invalid(message);
}

void VaultCodeSettings::clearFields() {
    oldCode.clear();
    newCode.clear();
    confirmation.clear();
}

Result<> VaultCodeSettings::apply(SessionEdit& edit) {
    m_error.clear();
    m_success.clear();
    const AppPreferences& preferences = edit.session().preferences;
    const bool existed = hasVaultCode(preferences);
    if (existed && !isVaultCodeCorrect(oldCode, preferences.externalToolsAccessCode))
        return refuse(QStringLiteral("L'ancien code n'est pas correct."));
    const QString code = newCode.trimmed();
    if (code.isEmpty())
        return refuse(QStringLiteral("Le code ne peut pas être vide."));
    if (confirmation.trimmed() != code)
        return refuse(QStringLiteral("La confirmation ne correspond pas."));
    edit.preferences().externalToolsAccessCode = code;
    edit.whenSaved([this, existed] {
        clearFields();
        m_success = existed ? QStringLiteral("Le code a bien été modifié.")
                            : QStringLiteral("Le code a bien été défini.");
    });
    return {};
}

Result<> VaultCodeSettings::remove(SessionEdit& edit) {
    m_error.clear();
    m_success.clear();
    const AppPreferences& preferences = edit.session().preferences;
    if (!hasVaultCode(preferences) ||
        !isVaultCodeCorrect(oldCode, preferences.externalToolsAccessCode))
        return refuse(QStringLiteral("Saisissez l'ancien code pour confirmer la suppression."));
    edit.preferences().externalToolsAccessCode.clear();
    edit.whenSaved([this] {
        clearFields();
        m_success = QStringLiteral("Le code a été supprimé.");
    });
    return {};
}

} // namespace velmora
