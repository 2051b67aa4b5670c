#include "core/security/WizardSecuritySteps.h"

#include "core/store/SessionEdit.h"

namespace velmora {

void AccessCodeStep::reset() {
    code.clear();
    confirmation.clear();
    m_error.clear();
}

QString AccessCodeStep::validate() const {
    if (code.trimmed().isEmpty())
        return securitytext::emptyWizardCode();
    // What was typed, untrimmed: a stray space makes the two differ.
    if (code != confirmation)
        return securitytext::codesDiffer();
    return {};
}

Result<> AccessCodeStep::apply(SessionEdit& edit) {
    m_error = validate();
    if (!m_error.isEmpty())
        return Result<>::invalid(m_error);
    return storeAccessCode(edit, code.trimmed());
}

Result<> AccessCodeStep::continueWithoutCode(SessionEdit& edit) {
    m_error.clear();
    if (edit.session().preferences.appPassword.isEmpty())
        return {};
    return storeAccessCode(edit, QString());
}

SecurityQADraft* SecurityQuestionsStep::row(int index) {
    if (index < 0 || index >= m_rows.size())
        return nullptr;
    return &m_rows[index];
}

bool SecurityQuestionsStep::addRow() {
    if (!canAddRow())
        return false;
    m_rows.append(SecurityQADraft());
    return true;
}

bool SecurityQuestionsStep::removeRow(int index) {
    if (!canRemoveRow() || index < 0 || index >= m_rows.size())
        return false;
    m_rows.removeAt(index);
    return true;
}

void SecurityQuestionsStep::reset() {
    m_rows = {SecurityQADraft()};
    m_error.clear();
}

QList<SecurityQADraft> SecurityQuestionsStep::keptRows() const {
    QList<SecurityQADraft> kept;
    for (const SecurityQADraft& draft : m_rows) {
        if (!draft.questionText().trimmed().isEmpty() && !draft.answer.trimmed().isEmpty())
            kept.append(draft);
    }
    return kept;
}

QString SecurityQuestionsStep::validate() const {
    const QList<SecurityQADraft> kept = keptRows();
    if (kept.isEmpty())
        return securitytext::noCompleteQuestion();
    for (qsizetype i = 0; i < kept.size(); ++i) {
        for (qsizetype j = i + 1; j < kept.size(); ++j) {
            if (kept[i].questionText() == kept[j].questionText())
                return securitytext::duplicateQuestion();
        }
    }
    return {};
}

Result<> SecurityQuestionsStep::apply(SessionEdit& edit) {
    m_error = validate();
    if (!m_error.isEmpty())
        return Result<>::invalid(m_error);

    QList<SecurityQuestion> questions;
    for (const SecurityQADraft& draft : keptRows())
        questions.append(
            {QUuid::createUuid(), draft.questionText().trimmed(), answerDigest(draft.answer)});

    edit.securityQuestions() = questions;
    return Result<>();
}

} // namespace velmora
