// The catalogue form: the price warning, and saving.

#include "core/documents/DocumentsFixture.h"

#include "core/stock/ServiceForm.h"

using namespace Qt::StringLiterals;
using namespace velmora;
using namespace velmora::test;

namespace {

ServiceItem pricedAt(const QString& price) {
    ServiceItem service;
    service.priceTTC = price;
    return service;
}

TEST(ServicePrice, WarningUnlessAnAmountOrEmpty) {
    for (const QString& readable : {u""_s, u" "_s, u"12,50"_s, u" 80 "_s})
        EXPECT_EQ(servicePriceWarning(pricedAt(readable)), QString());
    EXPECT_EQ(servicePriceWarning(pricedAt(u" 12 EUR "_s)),
              u"Prix illisible : « 12 EUR » n'est pas un montant (exemple : 12,50).");
    for (const QString& unreadable : {u"nan"_s, u"1e999"_s, u"douze"_s})
        EXPECT_FALSE(servicePriceWarning(pricedAt(unreadable)).isEmpty());
}

using ServiceFormApply = DocumentsFixture;

TEST_F(ServiceFormApply, SavesWithTheWarningAndRefusesNoTitle) {
    ServiceForm form;
    form.fields.priceTTC = u"95 euros"_s;
    EXPECT_EQ(m_store->edit([&](SessionEdit& e) { return form.apply(e); }).error(),
              u"Le titre de la prestation est obligatoire.");
    form.fields.title = u" Séance photo "_s;
    const Result<> saved = m_store->edit([&](SessionEdit& e) { return form.apply(e); });
    ASSERT_TRUE(saved.ok());
    EXPECT_EQ(saved.warning(), form.priceWarning());
    EXPECT_EQ(m_store->services()[0].title, u"Séance photo");
    form.fields.priceTTC = u"95"_s;
    const Result<> fixed = m_store->edit([&](SessionEdit& e) { return form.apply(e); });
    ASSERT_TRUE(fixed.ok());
    EXPECT_EQ(fixed.warning(), QString());
    EXPECT_EQ(onDisk().services, m_store->services());
}

} // namespace
