// The payment methods the company accepts: the usual ones offered, any other
// already accepted kept, a tick saved at once in the offered order.

#include "core/app/PaymentMethodChoice.h"
#include "support/MirroredStoreFixture.h"
#include "support/QtPrinters.h"

using namespace velmora;
using namespace Qt::StringLiterals;
using namespace velmora::test;

namespace {

TEST(PaymentMethodChoice, TickingKeepsTheOfferedOrderAndTheMethodsAlreadyAccepted) {
    EXPECT_EQ(
        PaymentMethodChoice::usualMethods(),
        (QStringList{u"Virement"_s, u"Chèque"_s, u"Carte bancaire"_s, u"Espèces"_s, u"PayPal"_s}));
    const struct {
        QStringList accepted;
        QString method;
        bool ticked;
        QStringList result;
    } cases[] = {
        {{}, u"Chèque"_s, true, {u"Chèque"_s}},
        {{u"Espèces"_s}, u"Virement"_s, true, {u"Virement"_s, u"Espèces"_s}},
        {{u"Virement"_s, u"Espèces"_s}, u"Virement"_s, false, {u"Espèces"_s}},
        {{u"Virement"_s}, u"Virement"_s, true, {u"Virement"_s}},
        {{u"Lydia"_s}, u"Chèque"_s, true, {u"Chèque"_s, u"Lydia"_s}},
        {{u"Lydia"_s, u"Chèque"_s}, u"Lydia"_s, false, {u"Chèque"_s}},
        {{u" Chèque "_s}, u"Virement"_s, true, {u"Virement"_s, u"Chèque"_s}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PaymentMethodChoice::withMethod(c.accepted, c.method, c.ticked), c.result)
            << c.accepted.join(u", "_s).toStdString() << " / " << c.method.toStdString();
    EXPECT_EQ(PaymentMethodChoice::offered({u"Lydia"_s, u"Virement"_s, u" "_s}),
              PaymentMethodChoice::usualMethods() + QStringList{u"Lydia"_s});
}

class PaymentMethodChoiceSave : public MirroredStoreFixture {};

TEST_F(PaymentMethodChoiceSave, ATickIsSavedAtOnceAndAFailedSaveChangesNothing) {
    ASSERT_TRUE(store
                    ->edit([&](SessionEdit& e) {
                        return PaymentMethodChoice::setAccepted(e, u"Chèque"_s, true);
                    })
                    .ok());
    ASSERT_TRUE(store
                    ->edit([&](SessionEdit& e) {
                        return PaymentMethodChoice::setAccepted(e, u"Virement"_s, true);
                    })
                    .ok());
    EXPECT_EQ(onDisk().companySettings.acceptedPaymentMethods,
              (QStringList{u"Virement"_s, u"Chèque"_s}));
    EXPECT_EQ(store
                  ->edit([&](SessionEdit& e) {
                      return PaymentMethodChoice::setAccepted(e, u"Virement"_s, true);
                  })
                  .kind(),
              ResultKind::unchanged);

    m_fs.failOn(FaultyFileSystem::Op::Write);
    EXPECT_FALSE(store
                     ->edit([&](SessionEdit& e) {
                         return PaymentMethodChoice::setAccepted(e, u"Espèces"_s, true);
                     })
                     .ok());
    EXPECT_EQ(store->companySettings().acceptedPaymentMethods,
              (QStringList{u"Virement"_s, u"Chèque"_s}));
}

} // namespace
