#pragma once

#include "core/security/AccessCode.h"

#include <QString>
#include <QStringList>
#include <QUuid>

namespace velmora {

class AppDataStore;
class SessionEdit;

// "Récupération du code": choose a stored question, answer it, set a new
// code, done. The stored questions themselves never change here.
class RecoveryModel {
public:
    enum class Phase { chooseQuestion = 0, answer = 1, newCode = 2, done = 3 };

    static QString title() { return QStringLiteral("Récupération du code"); }
    static QString subtitle(Phase phase);
    static QString backButton() { return QStringLiteral("Retour"); }
    static QString newCodeLabel() { return QStringLiteral("Nouveau code"); }
    static QString confirmationLabel() { return QStringLiteral("Confirmer le code"); }
    static QString saveButton() { return QStringLiteral("Enregistrer"); }
    static QString doneText() {
        return QStringLiteral("Utilisez votre nouveau code pour déverrouiller la session.");
    }
    static QString unlockNowButton() { return QStringLiteral("Déverrouiller maintenant"); }

    explicit RecoveryModel(const AppDataStore& store) : m_store(store) {}

    QString answer;
    QString newCode;
    QString confirmation;

    Phase phase() const { return m_phase; }
    QString subtitle() const { return subtitle(m_phase); }
    // The texts of the stored questions, in their stored order.
    QStringList questions() const;
    // The id of the chosen question, null before one is chosen.
    QUuid selectedQuestion() const { return m_selected; }
    const QString& answerError() const { return m_answerError; }
    const QString& newCodeError() const { return m_newCodeError; }

    // Phase 0 → 1 with the question at that index; false when out of range
    // or outside phase 0.
    bool selectQuestion(int index);
    // "Retour": phase 1 → 0, forgetting the typed answer.
    bool back();
    // Phase 1 → 2 when the answer's digest matches the chosen question's.
    bool submitAnswer();
    // Phase 2 → 3 once saved: validates, then stores the trimmed code.
    Result<> saveNewCode(SessionEdit& edit);
    // "Déverrouiller maintenant": back to phase 0 with nothing kept; the
    // caller returns to the lock screen. False outside phase 3.
    bool finish();
    // The panel was closed: start again from phase 0.
    void reset();

private:
    const AppDataStore& m_store;
    Phase m_phase = Phase::chooseQuestion;
    QUuid m_selected;
    QString m_answerError;
    QString m_newCodeError;
};

} // namespace velmora
