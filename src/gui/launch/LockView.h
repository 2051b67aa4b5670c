#pragma once

#include "core/security/LockScreenModel.h"
#include "core/security/RecoveryModel.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QVBoxLayout;

namespace velmora {
class AppDataStore;
}

namespace velmora::gui {

// The lock screen of a protected session, with the recovery panel behind
// "Mot de passe oublié ?". Used when a session opens and over a running one.
class LockView : public QWidget {
    Q_OBJECT

public:
    explicit LockView(AppDataStore& store, QWidget* parent = nullptr);

    // Shows an empty code field, no error and the lock itself (not the
    // recovery panel); the session's name and picture are read again.
    void reset();
    LockScreenModel& model() { return m_lock; }

signals:
    // The right code was typed.
    void unlocked();

private:
    void submit();
    void showRecovery();
    void showLock();
    void refreshRecovery();
    void refreshIdentity();
    QWidget* buildLockPage();
    QWidget* buildRecoveryPage();

    AppDataStore& m_store;
    LockScreenModel m_lock;
    RecoveryModel m_recovery;

    QStackedWidget* m_pages = nullptr;
    QLabel* m_picture = nullptr;
    QLabel* m_sessionName = nullptr;
    QLineEdit* m_code = nullptr;
    QLabel* m_error = nullptr;
    QPushButton* m_forgot = nullptr;

    QLabel* m_recoverySubtitle = nullptr;
    QStackedWidget* m_recoveryPhases = nullptr;
    QVBoxLayout* m_questionList = nullptr;
    QLabel* m_chosenQuestion = nullptr;
    QLineEdit* m_answer = nullptr;
    QLabel* m_answerError = nullptr;
    QLineEdit* m_newCode = nullptr;
    QLineEdit* m_confirmation = nullptr;
    QLabel* m_newCodeError = nullptr;
};

} // namespace velmora::gui
