#pragma once

#include "core/security/AccessCode.h"

#include <QString>

namespace velmora {

class SessionEdit;

// The settings sheet "Modifier le mot de passe". It changes or sets the code
// but never removes it: an empty new code is refused.
class ChangeCodeModel {
public:
    static QString title() { return QStringLiteral("Modifier le mot de passe"); }
    static QString oldCodeLabel() { return QStringLiteral("Ancien mot de passe"); }
    static QString newCodeLabel() { return QStringLiteral("Nouveau mot de passe"); }
    static QString confirmationLabel() {
        return QStringLiteral("Confirmer le nouveau mot de passe");
    }
    static QString saveButton() { return QStringLiteral("Enregistrer"); }
    // What the settings row shows when the session has no code.
    static QString noCodeText() { return QStringLiteral("Aucun"); }

    static QString discardTitle() { return QStringLiteral("Quitter sans enregistrer ?"); }
    static QString discardMessage() {
        return QStringLiteral("Les modifications du mot de passe ne seront pas enregistrées.");
    }
    static QString discardConfirmButton() { return QStringLiteral("Quitter"); }
    static QString discardCancelButton() { return QStringLiteral("Annuler"); }

    QString oldCode;
    QString newCode;
    QString confirmation;
    bool oldCodeVisible = false;
    bool newCodeVisible = false;
    bool confirmationVisible = false;

    const QString& error() const { return m_error; }
    void reset();

    // Leaving with this input asks for confirmation first.
    bool hasUnsavedInput() const;
    // The first failing rule against the stored code, or an empty text.
    QString validate(const QString& storedCode) const;
    // Validates, then stores the trimmed new code; once it is saved the
    // sheet closes, so the fields are cleared.
    Result<> apply(SessionEdit& edit);

private:
    QString m_error;
};

} // namespace velmora
