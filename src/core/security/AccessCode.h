#pragma once

#include "core/Result.h"

#include <QString>
#include <QStringList>

namespace velmora {

class SessionEdit;

// The stored form of a security answer: SHA-256 of the trimmed, lower-cased
// answer in UTF-8, as 64 lower-case hexadecimal digits. Accents and inner
// spaces still count.
QString answerDigest(const QString& answer);

// True when the typed code, trimmed, equals the session's code exactly
// (case-sensitive).
bool isCodeCorrect(const QString& typed, const QString& appPassword);

// The ten proposed questions, in the order the picker shows them.
const QStringList& presetSecurityQuestions();

namespace securitytext {
inline QString hashingHelp() {
    return QStringLiteral("Les réponses sont hachées (SHA-256) — jamais stockées en clair.");
}
inline QString wrongCode() {
    return QStringLiteral("Code incorrect.");
}
inline QString emptyWizardCode() {
    return QStringLiteral("Veuillez saisir un code d'accès.");
}
inline QString codesDiffer() {
    return QStringLiteral("Les codes ne correspondent pas.");
}
inline QString noCompleteQuestion() {
    return QStringLiteral("Veuillez renseigner au moins une question et sa réponse.");
}
inline QString duplicateQuestion() {
    return QStringLiteral("Deux questions identiques ont été saisies.");
}
inline QString wrongOldCode() {
    return QStringLiteral("L'ancien mot de passe est incorrect.");
}
inline QString newCodesDiffer() {
    return QStringLiteral("Les nouveaux mots de passe ne correspondent pas.");
}
inline QString emptyNewPassword() {
    return QStringLiteral("Le nouveau mot de passe ne peut pas être vide.");
}
inline QString wrongAnswer() {
    return QStringLiteral("Réponse incorrecte. Vérifiez la casse et les espaces.");
}
inline QString emptyRecoveryCode() {
    return QStringLiteral("Le code ne peut pas être vide.");
}
} // namespace securitytext

// Writes the code into the session's preferences; a failed save leaves the
// previous code, so that memory and disk agree.
Result<> storeAccessCode(SessionEdit& edit, const QString& code);

} // namespace velmora
