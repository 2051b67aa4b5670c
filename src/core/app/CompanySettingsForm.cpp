#include "core/app/CompanySettingsForm.h"

#include "core/model/AppPreferences.h"
#include "core/store/SessionEdit.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace velmora {

namespace {

using Field = CompanySettingsForm::Field;

constexpr Field allFields[] = {
    Field::displayName, Field::ownerName,           Field::legalStatus,
    Field::siret,       Field::addressLine1,        Field::addressLine2,
    Field::tvaNote,     Field::latePenaltyText,     Field::additionalLegalText,
    Field::bankName,    Field::bankAccountName,     Field::bankIBAN,
    Field::bankBIC,     Field::lateChargeLineTitle, Field::lateChargeLineDescription,
};

// Members of the record behind each text field.
QString CompanySettings::*memberOf(Field field) {
    switch (field) {
    case Field::displayName:
        return &CompanySettings::displayName;
    case Field::ownerName:
        return &CompanySettings::ownerName;
    case Field::legalStatus:
        return &CompanySettings::legalStatus;
    case Field::siret:
        return &CompanySettings::siret;
    case Field::addressLine1:
        return &CompanySettings::addressLine1;
    case Field::addressLine2:
        return &CompanySettings::addressLine2;
    case Field::tvaNote:
        return &CompanySettings::tvaNote;
    case Field::latePenaltyText:
        return &CompanySettings::latePenaltyText;
    case Field::additionalLegalText:
        return &CompanySettings::additionalLegalText;
    case Field::bankName:
        return &CompanySettings::bankName;
    case Field::bankAccountName:
        return &CompanySettings::bankAccountName;
    case Field::bankIBAN:
        return &CompanySettings::bankIBAN;
    case Field::bankBIC:
        return &CompanySettings::bankBIC;
    case Field::lateChargeLineTitle:
        return &CompanySettings::lateChargeLineTitle;
    case Field::lateChargeLineDescription:
        return &CompanySettings::lateChargeLineDescription;
    case Field::logo:
        break;
    }
    return nullptr;
}

// Spaces of every kind are only there for reading: typed, pasted from a
// bank's letter (non-breaking) or from a PDF (narrow).
QString withoutSpaces(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text)
        if (!c.isSpace())
            out.append(c);
    return out;
}

bool isAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}
bool isAsciiUpper(QChar c) {
    return c >= QLatin1Char('A') && c <= QLatin1Char('Z');
}

QString colon(const QString& label) {
    return label + QStringLiteral("\u00a0:");
}

} // namespace

QString CompanySettingsForm::label(Field field) {
    switch (field) {
    case Field::displayName:
        return colon(QStringLiteral("Nom affiché"));
    case Field::ownerName:
        return colon(QStringLiteral("Nom et prénom"));
    case Field::legalStatus:
        return colon(QStringLiteral("Statut juridique"));
    case Field::siret:
        return colon(QStringLiteral("SIRET"));
    case Field::addressLine1:
        return colon(QStringLiteral("Adresse"));
    case Field::addressLine2:
        return colon(QStringLiteral("Adresse ligne 2"));
    case Field::tvaNote:
        return colon(QStringLiteral("Mention de TVA"));
    case Field::latePenaltyText:
        return colon(QStringLiteral("Pénalités de retard"));
    case Field::additionalLegalText:
        return colon(QStringLiteral("Mentions complémentaires"));
    case Field::bankName:
        return colon(QStringLiteral("Banque"));
    case Field::bankAccountName:
        return colon(QStringLiteral("Titulaire du compte"));
    case Field::bankIBAN:
        return colon(QStringLiteral("IBAN"));
    case Field::bankBIC:
        return colon(QStringLiteral("BIC"));
    case Field::lateChargeLineTitle:
        return colon(QStringLiteral("Titre"));
    case Field::lateChargeLineDescription:
        return colon(QStringLiteral("Description"));
    case Field::logo:
        return colon(QStringLiteral("Logo de l’entreprise"));
    }
    return {};
}

QString CompanySettingsForm::placeholder(Field field) {
    switch (field) {
    case Field::displayName:
        return QStringLiteral("Ex\u00a0: Studio Créatif");
    case Field::ownerName:
        return QStringLiteral("Ex\u00a0: Camille Martin");
    case Field::legalStatus:
        return QStringLiteral("Ex\u00a0: Micro-entrepreneur");
    case Field::siret:
        return QStringLiteral("14 chiffres");
    case Field::addressLine1:
        return QStringLiteral("Numéro et rue");
    case Field::addressLine2:
        return QStringLiteral("Code postal, ville");
    case Field::bankIBAN:
        return QStringLiteral("FR76 …");
    case Field::bankBIC:
        return QStringLiteral("8 ou 11 caractères");
    default:
        return {};
    }
}

FilePanel CompanySettingsForm::logoPanel() {
    FilePanel panel;
    panel.mode = FilePanel::Mode::openFile;
    panel.title = QStringLiteral("Choisir le logo de l’entreprise");
    panel.prompt = QStringLiteral("Choisir");
    panel.extension = QStringLiteral("png svg jpg jpeg");
    return panel;
}

std::optional<QString> CompanySettingsForm::normalizedSiret(const QString& text) {
    const QString digits = withoutSpaces(text);
    if (digits.size() != 14 || !std::all_of(digits.begin(), digits.end(), isAsciiDigit))
        return std::nullopt;
    return digits;
}

std::optional<QString> CompanySettingsForm::normalizedIban(const QString& text) {
    const QString iban = withoutSpaces(text).toUpper();
    // Two letters of country, two check digits, then up to 30 letters and
    // digits; the check digits make the whole number 1 modulo 97.
    if (iban.size() < 15 || iban.size() > 34 || !isAsciiUpper(iban[0]) || !isAsciiUpper(iban[1]) ||
        !isAsciiDigit(iban[2]) || !isAsciiDigit(iban[3]))
        return std::nullopt;
    const QString rotated = iban.mid(4) + iban.left(4);
    int remainder = 0;
    for (const QChar c : rotated) {
        if (isAsciiDigit(c)) {
            remainder = (remainder * 10 + (c.unicode() - '0')) % 97;
        } else if (isAsciiUpper(c)) {
            const int value = c.unicode() - 'A' + 10;
            remainder = (remainder * 100 + value) % 97;
        } else {
            return std::nullopt;
        }
    }
    if (remainder != 1)
        return std::nullopt;
    QString grouped;
    for (qsizetype i = 0; i < iban.size(); i += 4) {
        if (!grouped.isEmpty())
            grouped.append(QLatin1Char(' '));
        grouped.append(iban.mid(i, 4));
    }
    return grouped;
}

std::optional<QString> CompanySettingsForm::normalizedBic(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^[A-Z]{6}[A-Z0-9]{2}([A-Z0-9]{3})?$"));
    const QString bic = withoutSpaces(text).toUpper();
    if (!pattern.match(bic).hasMatch())
        return std::nullopt;
    return bic;
}

QString CompanySettingsForm::checkText(Field field, const QString& text) {
    const bool empty = text.trimmed().isEmpty();
    switch (field) {
    case Field::siret:
        return empty || normalizedSiret(text) ? QString() : siretMessage();
    case Field::bankIBAN:
        return empty || normalizedIban(text) ? QString() : ibanMessage();
    case Field::bankBIC:
        return empty || normalizedBic(text) ? QString() : bicMessage();
    case Field::lateChargeLineTitle:
        return empty ? lateChargeTitleMessage() : QString();
    default:
        return {};
    }
}

QString CompanySettingsForm::writtenText(Field field, const QString& text) {
    const QString trimmed = text.trimmed();
    std::optional<QString> normalized;
    if (field == Field::siret)
        normalized = normalizedSiret(trimmed);
    else if (field == Field::bankIBAN)
        normalized = normalizedIban(trimmed);
    else if (field == Field::bankBIC)
        normalized = normalizedBic(trimmed);
    return normalized.value_or(trimmed);
}

QString CompanySettingsForm::checkLogo(const QUrl& file) {
    if (!file.isLocalFile())
        return logoMissingMessage();
    const QFileInfo info(file.toLocalFile());
    static const QStringList images = {QStringLiteral("png"), QStringLiteral("svg"),
                                       QStringLiteral("jpg"), QStringLiteral("jpeg")};
    if (!images.contains(info.suffix().toLower()))
        return logoTypeMessage();
    if (!info.isFile())
        return logoMissingMessage();
    return {};
}

void CompanySettingsForm::load(const CompanySettings& company, const AppPreferences& preferences) {
    m_texts.clear();
    for (Field field : allFields)
        m_texts.insert(field, company.*memberOf(field));
    m_loadedTexts = m_texts;
    m_storedLogo = preferences.invoiceLogoURL;
    m_chosenLogo.reset();
    m_logoRemoved = false;
}

void CompanySettingsForm::refresh(const CompanySettings& company,
                                  const AppPreferences& preferences) {
    for (Field field : allFields) {
        const QString stored = company.*memberOf(field);
        if (!hasChanges(field))
            m_texts.insert(field, stored);
        m_loadedTexts.insert(field, stored);
    }
    m_storedLogo = preferences.invoiceLogoURL;
}

QString CompanySettingsForm::text(Field field) const {
    return m_texts.value(field);
}

void CompanySettingsForm::setText(Field field, const QString& text) {
    if (memberOf(field))
        m_texts.insert(field, text);
}

QString CompanySettingsForm::chooseLogo(const QUrl& file) {
    if (QString message = checkLogo(file); !message.isEmpty())
        return message;
    m_chosenLogo = file;
    m_logoRemoved = false;
    return {};
}

void CompanySettingsForm::removeLogo() {
    m_chosenLogo.reset();
    m_logoRemoved = true;
}

std::optional<QUrl> CompanySettingsForm::logo() const {
    if (m_chosenLogo)
        return m_chosenLogo;
    if (m_logoRemoved)
        return std::nullopt;
    return m_storedLogo;
}

bool CompanySettingsForm::hasChanges(Field field) const {
    if (field == Field::logo)
        return m_chosenLogo || (m_logoRemoved && m_storedLogo);
    return writtenText(field, text(field)) != m_loadedTexts.value(field);
}

bool CompanySettingsForm::hasChanges() const {
    if (hasChanges(Field::logo))
        return true;
    return std::any_of(std::begin(allFields), std::end(allFields),
                       [this](Field field) { return hasChanges(field); });
}

QString CompanySettingsForm::error(Field field) const {
    return hasChanges(field) ? checkText(field, text(field)) : QString();
}

QList<CompanySettingsForm::FieldError> CompanySettingsForm::errors() const {
    QList<FieldError> found;
    for (Field field : allFields)
        if (QString message = error(field); !message.isEmpty())
            found.append({field, message});
    return found;
}

QString CompanySettingsForm::validate() const {
    const QList<FieldError> found = errors();
    return found.isEmpty() ? QString() : found.first().message;
}

Result<> CompanySettingsForm::apply(SessionEdit& edit) {
    QList<Field> fields(std::begin(allFields), std::end(allFields));
    fields.append(Field::logo);
    return write(fields, edit);
}

Result<> CompanySettingsForm::apply(Field field, SessionEdit& edit) {
    return write({field}, edit);
}

Result<> CompanySettingsForm::write(const QList<Field>& fields, SessionEdit& edit) {
    QList<Field> changed;
    for (Field field : fields) {
        if (const QString message = error(field); !message.isEmpty())
            return Result<>::invalid(message);
        if (hasChanges(field))
            changed.append(field);
        else if (field != Field::logo)
            // Spaces around an unchanged value go as the field is left.
            m_texts.insert(field, m_loadedTexts.value(field));
    }
    if (changed.isEmpty())
        return Result<>();

    // Fields this form does not show (legal text order, payment methods)
    // keep the session's current values.
    for (Field field : std::as_const(changed))
        if (field != Field::logo)
            edit.companySettings().*memberOf(field) = writtenText(field, text(field));
    const bool logoChanged = changed.contains(Field::logo);
    if (logoChanged && m_chosenLogo) {
        // Inside the media folder the logo travels with the session file;
        // a logo that cannot be copied is brought in at the next load.
        const Result<QUrl> imported =
            edit.importMedia(*m_chosenLogo, false, QStringLiteral("logo"));
        edit.preferences().invoiceLogoURL = imported ? imported.value() : *m_chosenLogo;
    } else if (logoChanged) {
        edit.preferences().invoiceLogoURL.reset();
    }
    edit.whenSaved([this, &edit, changed, logoChanged] {
        for (Field field : changed) {
            if (field == Field::logo)
                continue;
            const QString written = edit.session().companySettings.*memberOf(field);
            m_texts.insert(field, written);
            m_loadedTexts.insert(field, written);
        }
        if (logoChanged) {
            m_storedLogo = edit.session().preferences.invoiceLogoURL;
            m_chosenLogo.reset();
            m_logoRemoved = false;
        }
    });
    return Result<>();
}

} // namespace velmora
