// The expense form: the price rule, the checks, the stock it raises or
// creates, editing and deletion.

#include "core/accounting/ExpenseForm.h"
#include "core/store/SessionEdit.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace velmora;

namespace {

const QDateTime now = QDateTime::fromString(u"2025-06-10T09:00:00Z"_s, Qt::ISODate);

ExpenseForm named(const QString& name) {
    ExpenseForm form(now);
    form.productName = name;
    return form;
}

TEST(ExpenseForm, PriceRule) {
    const struct {
        QString unit, quantity, shipping, ttc;
        std::optional<double> expected;
        QString label;
    } cases[] = {
        {u"12,5"_s, u"3"_s, u"4"_s, u"99"_s, 41.5, u"Prix TTC (calculé automatiquement)"_s},
        {u"12,5"_s, u"3"_s, u"abc"_s, u""_s, 37.5, u"Prix TTC (calculé automatiquement)"_s},
        {u"12,5"_s, u""_s, u"4"_s, u"20,25"_s, 20.25, u"Prix TTC"_s},
        {u""_s, u"3"_s, u""_s, u"8"_s, 8.0, u"Prix TTC"_s},
        {u""_s, u""_s, u""_s, u"0"_s, std::nullopt, u"Prix TTC"_s},
        {u""_s, u""_s, u""_s, u"douze"_s, std::nullopt, u"Prix TTC"_s},
        {u"0"_s, u"3"_s, u""_s, u"10"_s, std::nullopt, u"Prix TTC (calculé automatiquement)"_s},
    };
    for (const auto& c : cases) {
        ExpenseForm form = named(u"Colle"_s);
        form.unitPriceText = c.unit;
        form.quantityText = c.quantity;
        form.shippingPriceText = c.shipping;
        form.priceTTCText = c.ttc;
        EXPECT_EQ(form.priceTTC(), c.expected)
            << c.unit.toStdString() << " " << c.ttc.toStdString();
        EXPECT_EQ(form.priceTTCLabel(), c.label);
    }
}

TEST(ExpenseForm, RefusalsSaveNothing) {
    ExpenseForm zero = named(u"Colle"_s);
    zero.priceTTCText = u"0"_s;
    ExpenseForm blank = named(u" \n\t"_s);
    blank.priceTTCText = u"5"_s;
    const struct {
        ExpenseForm form;
        QString title, message;
    } cases[] = {
        {zero, u"Montant invalide"_s, u"Le prix TTC doit être supérieur à 0."_s},
        {blank, u"Champ obligatoire"_s,
         u"Renseignez un nom de produit ou sélectionnez un produit existant."_s},
    };
    for (auto c : cases) {
        SessionEdit edit{AppDatabase()};
        const Result<> r = c.form.apply(edit, now);
        ASSERT_EQ(r.kind(), ResultKind::invalid);
        ASSERT_TRUE(r.alert());
        EXPECT_EQ(r.alert()->title, c.title);
        EXPECT_EQ(r.alert()->message, c.message);
        EXPECT_EQ(r.alert()->buttons.value(0).text, u"OK"_s);
        EXPECT_FALSE(edit.touchedAny());
    }
}

TEST(ExpenseForm, NewExpenseRaisesLinkedStock) {
    AppDatabase db;
    StockItem beads;
    beads.id = QUuid::createUuid();
    beads.title = u"Perles"_s;
    db.stockItems = {beads};
    SessionEdit edit(db);
    ExpenseForm form(now);
    form.target = ExpenseForm::Target::stock;
    form.stockID = beads.id;
    form.quantityText = u"5"_s;
    form.unitPriceText = u"2"_s;
    form.priceHTText = u"8,33"_s;
    ASSERT_TRUE(form.apply(edit, now).ok());
    EXPECT_EQ(edit.session().stockItems[0].quantity, 5);
    ASSERT_EQ(edit.session().accountingPurchases.size(), 1);
    const AccountingPurchaseItem& saved = edit.session().accountingPurchases[0];
    EXPECT_EQ(saved.linkedStockID, beads.id);
    EXPECT_EQ(saved.priceTTC, 10);
    EXPECT_EQ(saved.priceHT, 8.33);
    EXPECT_EQ(saved.shippingPrice, std::nullopt);
    EXPECT_FALSE(saved.isRecurringEntry);
    EXPECT_EQ(saved.purchaseDate, now);
    EXPECT_EQ(ExpenseForm::savedMessage(), u"La dépense a bien été ajoutée à la comptabilité."_s);
}

TEST(ExpenseForm, NewLinkedProductGoesToItsDestination) {
    const QUuid tag = QUuid::createUuid();
    for (const auto destination :
         {ExpenseForm::Destination::stock, ExpenseForm::Destination::wishlist}) {
        SessionEdit edit{AppDatabase()};
        ExpenseForm form = named(u"  "_s);
        form.createLinkedProduct = true;
        form.destination = destination;
        form.quantityText = u"2"_s;
        form.priceTTCText = u"6"_s;
        form.tagIDs = {tag};
        ASSERT_TRUE(form.apply(edit, now).ok());
        const AccountingPurchaseItem& saved = edit.session().accountingPurchases.value(0);
        if (destination == ExpenseForm::Destination::stock) {
            ASSERT_EQ(edit.session().stockItems.size(), 1);
            const StockItem& made = edit.session().stockItems[0];
            EXPECT_EQ(made.title, u"Nouveau produit"_s);
            EXPECT_EQ(made.quantity, 2);
            EXPECT_EQ(made.tagIDs, QList<QUuid>{tag});
            EXPECT_EQ(saved.linkedStockID, made.id);
        } else {
            ASSERT_EQ(edit.session().purchaseWishlistItems.size(), 1);
            const PurchaseWishlistItem& made = edit.session().purchaseWishlistItems[0];
            EXPECT_EQ(made.title, u"Nouveau produit"_s);
            EXPECT_EQ(made.status, PurchaseWishlistStatus::toBuy);
            EXPECT_EQ(saved.linkedWishlistID, made.id);
            EXPECT_TRUE(edit.session().stockItems.isEmpty());
        }
    }
}

TEST(ExpenseForm, EditingKeepsStockAndDeletionNamesTheExpense) {
    AppDatabase db;
    StockItem beads;
    beads.id = QUuid::createUuid();
    beads.title = u"Perles"_s;
    beads.quantity = 4;
    db.stockItems = {beads};
    AccountingPurchaseItem bought;
    bought.id = QUuid::createUuid();
    bought.linkedStockID = beads.id;
    bought.quantity = 4;
    bought.priceTTC = 12.5;
    bought.purchaseDate = now;
    db.accountingPurchases = {bought};
    SessionEdit edit(db);
    ExpenseForm form(bought);
    EXPECT_EQ(form.sheetTitle(), u"Modifier la dépense"_s);
    EXPECT_EQ(form.priceTTCText, u"12,5"_s);
    form.quantityText = u"6"_s;
    form.priceTTCText = u"15"_s;
    ASSERT_TRUE(form.apply(edit, now).ok());
    EXPECT_EQ(edit.session().stockItems[0].quantity, 4);
    EXPECT_EQ(edit.session().accountingPurchases[0].priceTTC, 15);
    EXPECT_EQ(edit.session().accountingPurchases[0].quantity, 6);

    EXPECT_EQ(expenseDeletionConfirmation(u"Perles"_s).message,
              u"Cette action est irréversible. La dépense « Perles » sera supprimée "
              u"définitivement."_s);
    ASSERT_TRUE(deleteExpense(edit, bought.id).ok());
    EXPECT_TRUE(edit.session().accountingPurchases.isEmpty());
    EXPECT_EQ(deleteExpense(edit, bought.id).kind(), ResultKind::notFound);
}

} // namespace
