#include "core/security/RecoveryModel.h"

#include "core/store/AppDataStore.h"

namespace velmora {

QString RecoveryModel::subtitle(Phase phase) {
    switch (phase) {
    case Phase::chooseQuestion:
        return QStringLiteral("Sélectionnez la question à laquelle vous souhaitez répondre");
    case Phase::answer:
        return QStringLiteral("Répondez à la question de sécurité sélectionnée");
    case Phase::newCode:
        return QStringLiteral("Définissez un nouveau code d'accès");
    case Phase::done:
        return QStringLiteral("Votre code a été mis à jour avec succès");
    }
    return {};
}

QStringList RecoveryModel::questions() const {
    QStringList texts;
    for (const SecurityQuestion& q : m_store.securityQuestions())
        texts.append(q.question);
    return texts;
}

bool RecoveryModel::selectQuestion(int index) {
    const QList<SecurityQuestion>& stored = m_store.securityQuestions();
    if (m_phase != Phase::chooseQuestion || index < 0 || index >= stored.size())
        return false;
    m_selected = stored[index].id;
    answer.clear();
    m_answerError.clear();
    m_phase = Phase::answer;
    return true;
}

bool RecoveryModel::back() {
    if (m_phase != Phase::answer)
        return false;
    answer.clear();
    m_answerError.clear();
    m_selected = QUuid();
    m_phase = Phase::chooseQuestion;
    return true;
}

bool RecoveryModel::submitAnswer() {
    if (m_phase != Phase::answer)
        return false;
    // Looked up by id: the question must still be in the session.
    const QString digest = answerDigest(answer);
    bool matches = false;
    for (const SecurityQuestion& q : m_store.securityQuestions()) {
        if (q.id == m_selected) {
            matches = q.answerHash == digest;
            break;
        }
    }
    if (!matches) {
        m_answerError = securitytext::wrongAnswer();
        return false;
    }
    answer.clear();
    m_answerError.clear();
    newCode.clear();
    confirmation.clear();
    m_newCodeError.clear();
    m_phase = Phase::newCode;
    return true;
}

Result<> RecoveryModel::saveNewCode(SessionEdit& edit) {
    if (m_phase != Phase::newCode)
        return Result<>::invalid(QString());
    const QString trimmed = newCode.trimmed();
    if (trimmed.isEmpty())
        m_newCodeError = securitytext::emptyRecoveryCode();
    // The trimmed code against the confirmation as typed.
    else if (trimmed != confirmation)
        m_newCodeError = securitytext::codesDiffer();
    else
        m_newCodeError.clear();
    if (!m_newCodeError.isEmpty())
        return Result<>::invalid(m_newCodeError);

    Result<> result = storeAccessCode(edit, trimmed);
    if (result.ok())
        edit.whenSaved([this] {
            newCode.clear();
            confirmation.clear();
            m_phase = Phase::done;
        });
    return result;
}

bool RecoveryModel::finish() {
    if (m_phase != Phase::done)
        return false;
    reset();
    return true;
}

void RecoveryModel::reset() {
    m_phase = Phase::chooseQuestion;
    m_selected = QUuid();
    answer.clear();
    newCode.clear();
    confirmation.clear();
    m_answerError.clear();
    m_newCodeError.clear();
}

} // namespace velmora
