#include "core/security/LockScreenModel.h"

#include "core/security/AccessCode.h"
#include "core/store/AppDataStore.h"

namespace velmora {

LockScreenModel::LockScreenModel(const AppDataStore& store)
    : m_code([&store] { return store.preferences().appPassword; }), m_store(&store) {}

LockScreenModel::LockScreenModel(QString code) : m_code([code] { return code; }) {}

bool LockScreenModel::canLock() const {
    return !m_code().isEmpty();
}

bool LockScreenModel::offersRecovery() const {
    return m_store && !m_store->securityQuestions().isEmpty();
}

bool LockScreenModel::lock() {
    if (!canLock())
        return false;
    typedCode.clear();
    m_error.clear();
    m_locked = true;
    return true;
}

bool LockScreenModel::submit() {
    if (!isCodeCorrect(typedCode, m_code())) {
        m_error = securitytext::wrongCode();
        return false;
    }
    typedCode.clear();
    m_error.clear();
    m_locked = false;
    return true;
}

} // namespace velmora
