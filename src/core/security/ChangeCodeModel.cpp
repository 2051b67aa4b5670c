#include "core/security/ChangeCodeModel.h"

#include "core/store/SessionEdit.h"

namespace velmora {

void ChangeCodeModel::reset() {
    oldCode.clear();
    newCode.clear();
    confirmation.clear();
    oldCodeVisible = newCodeVisible = confirmationVisible = false;
    m_error.clear();
}

bool ChangeCodeModel::hasUnsavedInput() const {
    return !oldCode.isEmpty() || !newCode.isEmpty() || !confirmation.isEmpty();
}

QString ChangeCodeModel::validate(const QString& storedCode) const {
    // The old code is compared as typed, without trimming; with no code set
    // the field must be left empty.
    if (oldCode != storedCode)
        return securitytext::wrongOldCode();
    if (newCode != confirmation)
        return securitytext::newCodesDiffer();
    if (newCode.trimmed().isEmpty())
        return securitytext::emptyNewPassword();
    return {};
}

Result<> ChangeCodeModel::apply(SessionEdit& edit) {
    m_error = validate(edit.session().preferences.appPassword);
    if (!m_error.isEmpty())
        return Result<>::invalid(m_error);
    Result<> result = storeAccessCode(edit, newCode.trimmed());
    if (result.ok())
        edit.whenSaved([this] { reset(); });
    return result;
}

} // namespace velmora
