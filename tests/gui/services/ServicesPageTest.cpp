// The catalogue driven as a person would: a service whose price is not an
// amount is saved as typed, with its warning in the form and on the card.

#include "SectionFixture.h"

#include "core/documents/RecordDeletion.h"
#include "core/stock/ServiceForm.h"

#include <QComboBox>

namespace velmora::gui::test {
namespace {

using ServicesPageTest = SectionFixture;

TEST_F(ServicesPageTest, AServiceKeepsItsPriceAsTypedWithItsWarningThenIsDeleted) {
    openSection(u"services"_s);
    click(u"servicesEmptyAction"_s);
    type(u"serviceTitle"_s, u"Séance photo"_s);
    type(u"servicePrice"_s, u"12 EUR"_s);
    ServiceItem typed;
    typed.priceTTC = u"12 EUR"_s;
    EXPECT_EQ(shownText(u"servicePriceWarning"_s), servicePriceWarning(typed));
    EXPECT_TRUE(find<QLineEdit>(u"servicePrice"_s)->property("refused").toBool());
    auto* kind = find<QComboBox>(u"serviceType"_s);
    ASSERT_NE(kind, nullptr);
    kind->setCurrentIndex(kind->findData(int(ServicePrestationType::prestationsCommercialesBIC)));
    click(u"serviceFormSave"_s);

    ASSERT_EQ(store().services().size(), 1);
    const ServiceItem service = store().services().first();
    EXPECT_EQ(service.priceTTC, u"12 EUR"_s);
    EXPECT_EQ(service.prestationType, ServicePrestationType::prestationsCommercialesBIC);
    EXPECT_EQ(shownText(u"serviceCardWarning"_s), servicePriceWarning(typed));

    // Mended, the warning goes.
    trigger(u"Modifier"_s);
    type(u"servicePrice"_s, u"120,50"_s);
    EXPECT_EQ(shownText(u"servicePriceWarning"_s), QString());
    click(u"serviceFormSave"_s);
    EXPECT_EQ(store().services().first().priceTTC, u"120,50"_s);
    EXPECT_FALSE(isShown(u"serviceCardWarning"_s));

    confirmNextDeletion();
    click(u"serviceCardDelete"_s);
    EXPECT_EQ(m_dialogs.alerts.last(), RecordDeletion::serviceConfirmation(service));
    EXPECT_TRUE(store().services().isEmpty());
    EXPECT_FALSE(sessionFile().contains("Séance"));
}

} // namespace
} // namespace velmora::gui::test
