#include "core/accounting/RecipeBookHeaderForm.h"

#include "core/app/CompanySettingsForm.h"
#include "core/store/SessionEdit.h"

namespace velmora {
namespace {

using Field = RecipeBookHeaderForm::Field;

QString AccountingRecipeSettings::*memberOf(Field field) {
    switch (field) {
    case Field::companyName:
        return &AccountingRecipeSettings::companyName;
    case Field::ownerName:
        return &AccountingRecipeSettings::ownerName;
    case Field::legalStatus:
        return &AccountingRecipeSettings::legalStatus;
    case Field::siret:
        return &AccountingRecipeSettings::siret;
    case Field::addressLine1:
        return &AccountingRecipeSettings::addressLine1;
    case Field::addressLine2:
        return &AccountingRecipeSettings::addressLine2;
    case Field::title:
        break;
    }
    return &AccountingRecipeSettings::title;
}

} // namespace

AccountingRecipeSettings recipeHeaderFromCompany(const CompanySettings& company,
                                                 AccountingRecipeSettings header) {
    header.companyName = company.displayName.trimmed();
    header.ownerName = company.ownerName.trimmed();
    header.legalStatus = company.legalStatus.trimmed();
    header.siret =
        CompanySettingsForm::writtenText(CompanySettingsForm::Field::siret, company.siret);
    header.addressLine1 = company.addressLine1.trimmed();
    header.addressLine2 = company.addressLine2.trimmed();
    return header;
}

QList<Field> RecipeBookHeaderForm::fields() {
    return {Field::title, Field::companyName,  Field::ownerName,   Field::legalStatus,
            Field::siret, Field::addressLine1, Field::addressLine2};
}

QString RecipeBookHeaderForm::label(Field field) {
    switch (field) {
    case Field::companyName:
        return QStringLiteral("Nom de l’entreprise");
    case Field::ownerName:
        return QStringLiteral("Nom et prénom");
    case Field::legalStatus:
        return QStringLiteral("Statut juridique");
    case Field::siret:
        return QStringLiteral("SIRET");
    case Field::addressLine1:
        return QStringLiteral("Adresse");
    case Field::addressLine2:
        return QStringLiteral("Adresse ligne 2");
    case Field::title:
        break;
    }
    return QStringLiteral("Titre du livre");
}

// The company's own fields are typed the same way in both forms.
QString RecipeBookHeaderForm::placeholder(Field field) {
    using Company = CompanySettingsForm::Field;
    switch (field) {
    case Field::companyName:
        return CompanySettingsForm::placeholder(Company::displayName);
    case Field::ownerName:
        return CompanySettingsForm::placeholder(Company::ownerName);
    case Field::legalStatus:
        return CompanySettingsForm::placeholder(Company::legalStatus);
    case Field::siret:
        return CompanySettingsForm::placeholder(Company::siret);
    case Field::addressLine1:
        return CompanySettingsForm::placeholder(Company::addressLine1);
    case Field::addressLine2:
        return CompanySettingsForm::placeholder(Company::addressLine2);
    case Field::title:
        break;
    }
    return AccountingRecipeSettings().title;
}

QString RecipeBookHeaderForm::objectName(Field field) {
    switch (field) {
    case Field::companyName:
        return QStringLiteral("recipeHeaderCompanyName");
    case Field::ownerName:
        return QStringLiteral("recipeHeaderOwnerName");
    case Field::legalStatus:
        return QStringLiteral("recipeHeaderLegalStatus");
    case Field::siret:
        return QStringLiteral("recipeHeaderSiret");
    case Field::addressLine1:
        return QStringLiteral("recipeHeaderAddressLine1");
    case Field::addressLine2:
        return QStringLiteral("recipeHeaderAddressLine2");
    case Field::title:
        break;
    }
    return QStringLiteral("recipeHeaderTitle");
}

RecipeBookHeaderForm::RecipeBookHeaderForm(const AccountingRecipeSettings& settings)
    : m_settings(settings) {}

QString RecipeBookHeaderForm::text(Field field) const {
    return m_settings.*memberOf(field);
}

void RecipeBookHeaderForm::setText(Field field, const QString& text) {
    m_settings.*memberOf(field) = text;
}

void RecipeBookHeaderForm::fillFromCompany(const CompanySettings& company) {
    m_settings = recipeHeaderFromCompany(company, m_settings);
}

QString RecipeBookHeaderForm::check(Field field) const {
    if (field != Field::siret)
        return {};
    return CompanySettingsForm::checkText(CompanySettingsForm::Field::siret, m_settings.siret);
}

Result<AccountingRecipeSettings> RecipeBookHeaderForm::written() const {
    AccountingRecipeSettings out = m_settings;
    for (const Field field : fields()) {
        if (const QString refusal = check(field); !refusal.isEmpty())
            return Result<AccountingRecipeSettings>::invalid(refusal);
        QString& text = out.*memberOf(field);
        text = field == Field::siret
                   ? CompanySettingsForm::writtenText(CompanySettingsForm::Field::siret, text)
                   : text.trimmed();
    }
    return out;
}

Result<> RecipeBookHeaderForm::save(SessionEdit& edit) const {
    const Result<AccountingRecipeSettings> typed = written();
    if (!typed.ok())
        return Result<>(typed);
    if (edit.session().accountingRecipeSettings == typed.value())
        return Result<>::unchanged();
    edit.accountingRecipeSettings() = typed.value();
    return Result<>();
}

} // namespace velmora
