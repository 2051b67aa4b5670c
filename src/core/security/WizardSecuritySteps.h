#pragma once

#include "core/security/AccessCode.h"

#include <QList>
#include <QString>
#include <QUuid>

namespace velmora {

class SessionEdit;

// The wizard's access-code step: the code, its confirmation and the error
// shown under them.
class AccessCodeStep {
public:
    static QString title() { return QStringLiteral("Code d'accès"); }
    static QString text() {
        return QStringLiteral("Créez un code pour protéger votre session.\nIl vous sera demandé à "
                              "l'ouverture du logiciel.");
    }
    static QString codeLabel() { return QStringLiteral("Code d'accès"); }
    static QString confirmationLabel() { return QStringLiteral("Confirmer le code"); }
    static QString skipButton() { return QStringLiteral("Continuer sans code"); }

    QString code;
    QString confirmation;

    const QString& error() const { return m_error; }
    void reset();

    // The first failing rule's message, or an empty text.
    QString validate() const;
    // Validates, then stores the trimmed code. On `invalid` the message is
    // also kept in error(); otherwise error() is cleared.
    Result<> apply(SessionEdit& edit);
    // "Continuer sans code": the session goes on without a code, even if one
    // was set when the user came back to this step.
    Result<> continueWithoutCode(SessionEdit& edit);

private:
    QString m_error;
};

// One question being typed in the wizard.
struct SecurityQADraft {
    QUuid id = QUuid::createUuid();
    // A proposed question, customMarker(), or empty while nothing is chosen.
    QString selection;
    QString customText;
    QString answer;

    static QString customMarker() { return QStringLiteral("__custom"); }
    bool isCustom() const { return selection == customMarker(); }
    // The custom text when the custom entry is chosen, else the selection.
    QString questionText() const { return isCustom() ? customText : selection; }
};

// The wizard's security-questions step: one to three drafts.
class SecurityQuestionsStep {
public:
    static constexpr int maxRows = 3;

    static QString title() { return QStringLiteral("Questions de sécurité"); }
    static QString text() {
        return QStringLiteral("Ajoutez au moins une question de sécurité.\nElle vous permettra de "
                              "récupérer votre code en cas d'oubli.");
    }
    static QString pickerPrompt() { return QStringLiteral("Choisir une question…"); }
    static QString customEntry() { return QStringLiteral("Question personnalisée…"); }
    static QString customPlaceholder() { return QStringLiteral("Saisissez votre question…"); }
    static QString addButton() { return QStringLiteral("Ajouter une question"); }
    static QString hashingHelp() { return securitytext::hashingHelp(); }

    SecurityQuestionsStep() { reset(); }

    const QList<SecurityQADraft>& rows() const { return m_rows; }
    // Null when the index is out of range.
    SecurityQADraft* row(int index);
    int rowCount() const { return int(m_rows.size()); }

    bool canAddRow() const { return m_rows.size() < maxRows; }
    bool canRemoveRow() const { return m_rows.size() >= 2; }
    // Appends an empty draft; false (and nothing changes) at three rows.
    bool addRow();
    // False (and nothing changes) for the last row or an unknown index.
    bool removeRow(int index);

    const QString& error() const { return m_error; }
    // Back to one empty draft and no error.
    void reset();

    // The drafts that will be stored: question text and answer both
    // non-empty once trimmed, in row order.
    QList<SecurityQADraft> keptRows() const;
    QString validate() const;
    // Validates, then replaces the session's questions with one per kept
    // draft (fresh id, trimmed question, answer digest).
    Result<> apply(SessionEdit& edit);

private:
    QList<SecurityQADraft> m_rows;
    QString m_error;
};

} // namespace velmora
