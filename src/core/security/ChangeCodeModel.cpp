#include "core/security/ChangeCodeModel.h"

#include "core/store/AppDataStore.h"

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

Result<> ChangeCodeModel::apply(AppDataStore& store) {
    m_error = validate(store.preferences().appPassword);
    if (!m_error.isEmpty())
        return Result<>::invalid(m_error);
    Result<> result = storeAccessCode(store, newCode.trimmed());
    if (result.ok())
        reset();
    return result;
}

} // namespace velmora
