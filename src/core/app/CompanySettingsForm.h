#pragma once

#include "core/Alert.h"
#include "core/model/CompanySettings.h"
#include "core/store/AppDataStore.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QUrl>

#include <optional>

namespace velmora {

class SessionEdit;
struct AppPreferences;

// The "Entreprise" settings: the company's identity, legal mentions, bank
// details and logo printed on quotes and invoices.
class CompanySettingsForm {
public:
    enum class Field {
        displayName,
        ownerName,
        legalStatus,
        siret,
        addressLine1,
        addressLine2,
        tvaNote,
        latePenaltyText,
        additionalLegalText,
        bankName,
        bankAccountName,
        bankIBAN,
        bankBIC,
        lateChargeLineTitle,
        lateChargeLineDescription,
        logo,
    };

    struct FieldError {
        Field field;
        QString message;

        friend bool operator==(const FieldError&, const FieldError&) = default;
    };

    static QString title() { return QStringLiteral("Entreprise"); }
    static QString intro() {
        return QStringLiteral("Ces informations apparaissent sur vos devis, vos factures et vos "
                              "relances. Chaque champ est enregistré dès que vous le quittez.");
    }
    static QString identitySection() { return QStringLiteral("Identité"); }
    static QString legalSection() { return QStringLiteral("Mentions légales"); }
    static QString bankSection() { return QStringLiteral("Coordonnées bancaires"); }
    static QString lateChargeSection() { return QStringLiteral("Ligne de frais de retard"); }
    static QString logoSection() { return QStringLiteral("Logo"); }
    // The label in front of a field, with its colon.
    static QString label(Field field);
    static QString placeholder(Field field);

    static QString chooseLogoButton() { return QStringLiteral("Choisir…"); }
    static QString removeLogoButton() { return QStringLiteral("Supprimer"); }
    static QString noLogoText() { return QStringLiteral("Aucun logo"); }
    static QString logoHint() { return QStringLiteral("PNG ou SVG recommandé"); }
    static FilePanel logoPanel();

    static QString siretMessage() { return QStringLiteral("Le SIRET doit comporter 14 chiffres."); }
    static QString ibanMessage() {
        return QStringLiteral("L’IBAN n’est pas valide\u00a0: vérifiez les caractères saisis.");
    }
    static QString bicMessage() {
        return QStringLiteral("Le BIC doit comporter 8 ou 11 lettres et chiffres.");
    }
    static QString lateChargeTitleMessage() {
        return QStringLiteral("Le titre de la ligne de frais de retard ne peut pas être vide.");
    }
    static QString logoTypeMessage() {
        return QStringLiteral("Le logo doit être une image PNG, SVG ou JPEG.");
    }
    static QString logoMissingMessage() {
        return QStringLiteral("Le fichier choisi est introuvable.");
    }

    // The rules of the fields, shared by the wizard's company step and these
    // settings. The message for a text as typed, or an empty text; an empty
    // SIRET, IBAN or BIC is allowed.
    static QString checkText(Field field, const QString& text);
    // The text as written into the session: trimmed, the SIRET and the BIC
    // without spaces, the IBAN in upper case by groups of four.
    static QString writtenText(Field field, const QString& text);
    // The message when the file cannot be a logo, or an empty text.
    static QString checkLogo(const QUrl& file);

    // The forms the numbers are written in; nothing when the text is not
    // valid.
    static std::optional<QString> normalizedSiret(const QString& text);
    static std::optional<QString> normalizedIban(const QString& text);
    static std::optional<QString> normalizedBic(const QString& text);

    CompanySettingsForm() = default;
    CompanySettingsForm(const CompanySettings& company, const AppPreferences& preferences) {
        load(company, preferences);
    }

    // Starts over from the session's values; forgets any logo choice.
    void load(const CompanySettings& company, const AppPreferences& preferences);
    // Takes the session's values, changed elsewhere, into the fields the user
    // has not changed; what they typed stays.
    void refresh(const CompanySettings& company, const AppPreferences& preferences);

    QString text(Field field) const;
    void setText(Field field, const QString& text);

    // A logo file for the session; the file is copied into the session's
    // media when the logo is applied. The message when the file cannot be a
    // logo (then the choice is not kept), or an empty text.
    QString chooseLogo(const QUrl& file);
    void removeLogo();
    // The logo the documents will show once applied: the chosen file, the
    // session's logo, or nothing.
    std::optional<QUrl> logo() const;

    bool hasChanges() const;
    bool hasChanges(Field field) const;

    // The message under a changed field for what it holds now, or an empty
    // text. A value the session already holds is not questioned.
    QString error(Field field) const;
    // Every failing rule of the changed fields, in the order of the form.
    QList<FieldError> errors() const;
    // The first failing rule, or an empty text.
    QString validate() const;
    // Validates the changed fields, writes them into `companySettings` (the
    // logo into `preferences.invoiceLogoURL`) and saves once; nothing
    // changes on failure and what was typed stays. The fields applied show
    // their values as written.
    Result<> apply(SessionEdit& edit);
    // The same for one field (or the logo) as the user leaves it; the other
    // fields keep what is typed in them.
    Result<> apply(Field field, SessionEdit& edit);

private:
    Result<> write(const QList<Field>& fields, SessionEdit& edit);

    QMap<Field, QString> m_texts;
    QMap<Field, QString> m_loadedTexts;
    std::optional<QUrl> m_storedLogo;
    std::optional<QUrl> m_chosenLogo;
    bool m_logoRemoved = false;
};

} // namespace velmora
