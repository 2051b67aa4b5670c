#pragma once

#include <QString>

namespace velmora {

struct AppPreferences;

// Whether the "Outils externes" section has its own access code; a code of
// blanks could never be typed differently from none, so it counts as none.
bool hasVaultCode(const AppPreferences& preferences);
// The typed code and the stored one, both trimmed of surrounding blanks and
// newlines, are the same, case included.
bool isVaultCodeCorrect(const QString& typed, const QString& storedCode);

// The lock of the section for the running session: never stored, closed
// again when the session is locked, switched or closed. No attempt limit.
class VaultLock {
public:
    enum class Panel { locked, noCode, open };

    static QString prompt() {
        return QStringLiteral("Entrez le code d'accès pour déverrouiller cette rubrique.");
    }
    static QString codeLabel() { return QStringLiteral("Code"); }
    static QString unlockButton() { return QStringLiteral("Déverrouiller"); }
    static QString wrongCode() { return QStringLiteral("Code incorrect."); }
    static QString noCodeText() {
        return QStringLiteral("Aucun code d'accès n'est défini pour cette rubrique.\n"
                              "Configurez-en un dans les Paramètres pour la sécuriser.");
    }
    static QString setCodeButton() { return QStringLiteral("Définir un code"); }
    static QString continueButton() { return QStringLiteral("Continuer sans code"); }

    // What the section shows: its tools once opened, else the lock panel
    // or the panel of a section without a code.
    Panel panel(const AppPreferences& preferences) const;
    bool isUnlocked() const { return m_unlocked; }

    // Checks `typed`: opens the section and clears it, or keeps the error.
    bool unlock(const AppPreferences& preferences);
    // "Continuer sans code", offered only while no code is set.
    void continueWithoutCode(const AppPreferences& preferences);
    void lock();

    QString typed;
    bool typedVisible = false;
    const QString& error() const { return m_error; }

private:
    bool m_unlocked = false;
    QString m_error;
};

} // namespace velmora
