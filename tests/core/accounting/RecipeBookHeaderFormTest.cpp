// "En-tête du livre": the recipe book's company block, taken from the
// company settings or typed, checked as the settings check it, then saved.

#include "core/accounting/RecipeBookHeaderForm.h"
#include "support/QtPrinters.h"
#include "support/StoreFixture.h"

using namespace velmora;
using namespace velmora::test;
using namespace Qt::StringLiterals;

namespace {

using Field = RecipeBookHeaderForm::Field;

class RecipeBookHeaderFormTest : public StoreFixture {};

TEST_F(RecipeBookHeaderFormTest, TakenFromTheCompanyCheckedThenSaved) {
    auto store = startStore();
    RecipeBookHeaderForm form(store->accountingRecipeSettings());
    form.setText(Field::title, u"Recettes de l'atelier"_s);
    CompanySettings company;
    company.displayName = u"Studio Nord"_s;
    company.ownerName = u"Nora Bensaïd"_s;
    company.legalStatus = u"Micro-entrepreneur"_s;
    company.siret = u"85321496700021"_s;
    company.addressLine1 = u"18 quai Saint-Vincent"_s;
    company.addressLine2 = u"69001 Lyon"_s;
    form.fillFromCompany(company);
    const QList<std::pair<Field, QString>> filled{{Field::title, u"Recettes de l'atelier"_s},
                                                  {Field::companyName, company.displayName},
                                                  {Field::ownerName, company.ownerName},
                                                  {Field::legalStatus, company.legalStatus},
                                                  {Field::siret, company.siret},
                                                  {Field::addressLine1, company.addressLine1},
                                                  {Field::addressLine2, company.addressLine2}};
    for (const auto& [field, text] : filled)
        EXPECT_EQ(form.text(field), text) << RecipeBookHeaderForm::label(field).toStdString();

    // The company settings' rule for the SIRET; nothing written when refused.
    form.setText(Field::siret, u"853 214"_s);
    EXPECT_EQ(form.check(Field::siret), u"Le SIRET doit comporter 14 chiffres."_s);
    const Result<> refused = store->edit([&](SessionEdit& e) { return form.save(e); });
    EXPECT_EQ(refused.kind(), ResultKind::invalid);
    EXPECT_EQ(refused.error(), u"Le SIRET doit comporter 14 chiffres."_s);
    EXPECT_EQ(readSession(workingCopy()).accountingRecipeSettings, AccountingRecipeSettings());

    form.setText(Field::siret, u"853 214 967 00021"_s);
    form.setText(Field::addressLine2, u"  69002 Lyon "_s);
    EXPECT_EQ(form.check(Field::siret), QString());
    ASSERT_TRUE(store->edit([&](SessionEdit& e) { return form.save(e); }).ok());
    const AccountingRecipeSettings saved = readSession(workingCopy()).accountingRecipeSettings;
    EXPECT_EQ(saved.siret, u"85321496700021"_s);
    EXPECT_EQ(saved.addressLine2, u"69002 Lyon"_s);
    EXPECT_EQ(saved.companyName, u"Studio Nord"_s);
    EXPECT_EQ(saved.title, u"Recettes de l'atelier"_s);
    EXPECT_EQ(saved.buttonTitle, AccountingRecipeSettings().buttonTitle);
    EXPECT_EQ(store->edit([&](SessionEdit& e) { return form.save(e); }).kind(),
              ResultKind::unchanged);
}

} // namespace
