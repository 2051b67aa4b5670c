#pragma once

#include <QString>

#include <functional>

namespace velmora {

class AppDataStore;

// The lock screen, at session opening and over a running session. There is
// no attempt counter, delay or lock-out.
class LockScreenModel {
public:
    static QString prompt() { return QStringLiteral("Entrez le code de votre session"); }
    static QString placeholder() { return QStringLiteral("Code"); }
    static QString validateButton() { return QStringLiteral("Valider"); }
    static QString forgotLink() { return QStringLiteral("Mot de passe oublié ?"); }
    static QString lockCommand() { return QStringLiteral("Verrouiller le logiciel"); }

    // Checks against the store's current code, so a code set by recovery
    // takes effect at once.
    explicit LockScreenModel(const AppDataStore& store);
    // Checks against a fixed code, e.g. the one read by the preview decode
    // before the session is loaded; recovery is then not offered.
    explicit LockScreenModel(QString code);

    QString typedCode;
    bool codeVisible = false;

    const QString& error() const { return m_error; }
    bool isLocked() const { return m_locked; }
    // Locking only makes sense when the session has a code.
    bool canLock() const;
    // "Mot de passe oublié ?" needs at least one stored question.
    bool offersRecovery() const;

    // "Verrouiller le logiciel": clears what was typed and shows the screen.
    // False, and nothing happens, when the session has no code.
    bool lock();
    // "Valider": true when the code matches, which clears the typed code and
    // the error and removes the screen; otherwise "Code incorrect." and the
    // typed code stays.
    bool submit();

private:
    std::function<QString()> m_code;
    const AppDataStore* m_store = nullptr;
    QString m_error;
    bool m_locked = true;
};

} // namespace velmora
