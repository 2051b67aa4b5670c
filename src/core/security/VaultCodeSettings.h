#pragma once

#include "core/Result.h"

#include <QString>

namespace velmora {

class SessionEdit;

// The "Code d'accès" part of "Paramètres outils externes": sets, changes or
// removes the section's code. Every text is trimmed of surrounding blanks
// and newlines; the messages of a previous attempt go first.
class VaultCodeSettings {
public:
    static QString title() { return QStringLiteral("Paramètres outils externes"); }
    static QString sectionTitle() { return QStringLiteral("Code d'accès"); }
    static QString stateText(bool hasCode) {
        return hasCode ? QStringLiteral("Un code d'accès est actuellement défini. Saisissez "
                                        "l'ancien code pour le modifier.")
                       : QStringLiteral("Aucun code n'est défini pour le moment. La rubrique "
                                        "est accessible sans authentification.");
    }
    static QString oldCodeLabel() { return QStringLiteral("Ancien code"); }
    static QString newCodeLabel() { return QStringLiteral("Nouveau code"); }
    static QString confirmationLabel() { return QStringLiteral("Confirmer le code"); }
    static QString submitButton(bool hasCode) {
        return hasCode ? QStringLiteral("Modifier le code") : QStringLiteral("Définir le code");
    }
    static QString removeButton() { return QStringLiteral("Supprimer le code"); }

    QString oldCode;
    QString newCode;
    QString confirmation;

    // The refusal of the last attempt, or the confirmation of its success.
    const QString& error() const { return m_error; }
    const QString& success() const { return m_success; }
    bool hasUnsavedInput() const;

    // Sets the code, or changes it when one is set; once saved the fields
    // are cleared and the success says which.
    Result<> apply(SessionEdit& edit);
    // Removes the code once the old one is typed right.
    Result<> remove(SessionEdit& edit);

private:
    Result<> refuse(const QString& message);
    void clearFields();

    QString m_error;
    QString m_success;
};

} // namespace velmora
