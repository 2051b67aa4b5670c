#pragma once

#include "core/Result.h"
#include "core/model/CompanySettings.h"
#include "core/model/SessionSettings.h"

#include <QList>
#include <QString>

namespace velmora {

class SessionEdit;

// The company block and the title printed at the head of the recipe book,
// taken from the company settings: what the wizard's company step writes
// there too, and what "Reprendre les informations de l’entreprise" brings
// back.
AccountingRecipeSettings recipeHeaderFromCompany(const CompanySettings& company,
                                                 AccountingRecipeSettings header);

// "En-tête du livre": the recipe book's own company block and title. Texts
// as typed; the settings are the session's at opening.
class RecipeBookHeaderForm {
public:
    enum class Field {
        companyName,
        ownerName,
        legalStatus,
        siret,
        addressLine1,
        addressLine2,
        title
    };

    static QString title() { return QStringLiteral("En-tête du livre"); }
    static QString intro() {
        return QStringLiteral("Ces informations s’impriment en tête du livre de recettes "
                              "exporté en PDF.");
    }
    static QString fromCompanyButton() {
        return QStringLiteral("Reprendre les informations de l’entreprise");
    }
    static QList<Field> fields();
    static QString label(Field field);
    static QString placeholder(Field field);
    // The field's name for the widgets: "recipeHeader" + its key.
    static QString objectName(Field field);

    explicit RecipeBookHeaderForm(const AccountingRecipeSettings& settings);

    QString text(Field field) const;
    void setText(Field field, const QString& text);
    // Every field takes the company's value; the title stays.
    void fillFromCompany(const CompanySettings& company);

    // The message under the field, or an empty text: the SIRET follows the
    // company settings' rule.
    QString check(Field field) const;
    // The settings as written into the session: trimmed, the SIRET without
    // spaces (an empty title prints "LIVRE DES RECETTES"); the first refused
    // field's message otherwise.
    Result<AccountingRecipeSettings> written() const;
    // Stores the settings in the session.
    Result<> save(SessionEdit& edit) const;

private:
    AccountingRecipeSettings m_settings;
};

} // namespace velmora
