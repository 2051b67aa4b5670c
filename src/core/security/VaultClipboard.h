#pragma once

#include <QString>

namespace velmora {

class Clipboard;

// What the detail of a tool copies.
enum class VaultField { login, password };

// Copies a tool's login or password, as a password manager does: the
// password marked as a secret and taken off the clipboard 30 s later if it
// is still there; the confirmation shown for 1.6 s.
class VaultClipboard {
public:
    static constexpr int confirmationMs = 1600;
    static constexpr int secretLifetimeMs = 30'000;

    static QString copyButton() { return QStringLiteral("Copier"); }
    static QString confirmation(VaultField field) {
        return field == VaultField::login ? QStringLiteral("Identifiant copié")
                                          : QStringLiteral("Mot de passe copié");
    }

    explicit VaultClipboard(Clipboard& clipboard) : m_clipboard(clipboard) {}

    void copy(VaultField field, const QString& text);
    // Clears the clipboard when it still holds the password copied last;
    // what the user copied since stays. True when it cleared it.
    bool clearSecret();

private:
    Clipboard& m_clipboard;
    QString m_secret;
};

} // namespace velmora
