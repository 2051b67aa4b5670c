// The stock and wishlist lists, the item form and the actions of the card.

#include "core/lists/RecordFilterModel.h"
#include "core/platform/MemoryUserDefaults.h"
#include "core/stock/StockActions.h"
#include "core/stock/StockItemForm.h"
#include "core/stock/StockListModel.h"
#include "core/stock/StockListPreferences.h"
#include "core/store/SessionEdit.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace Qt::StringLiterals;

namespace {

using Roles = RecordListModelBase;

StockItem item(const QString& title, std::optional<qint64> quantity = std::nullopt) {
    StockItem i;
    i.id = QUuid::createUuid();
    i.title = title;
    i.quantity = quantity;
    return i;
}

StockSettings thresholds(qint64 low, qint64 out) {
    StockSettings s;
    s.lowStockThreshold = low;
    s.outOfStockThreshold = out;
    return s;
}

TEST(StockListModel, BadgeFollowsTheThresholds) {
    const struct {
        StockSettings settings;
        std::optional<qint64> quantity;
        QString badge;
        TagColorOption color;
    } cases[] = {
        {thresholds(0, 0), 1, u"En stock"_s, TagColorOption::green},
        {thresholds(0, 0), 0, u"En rupture"_s, TagColorOption::red},
        {thresholds(5, 1), 1, u"En rupture"_s, TagColorOption::red},
        {thresholds(5, 1), 2, u"Presque épuisé"_s, TagColorOption::orange},
        {thresholds(5, 1), 5, u"Presque épuisé"_s, TagColorOption::orange},
        {thresholds(5, 1), 6, u"En stock"_s, TagColorOption::green},
        {thresholds(5, 1), std::nullopt, u"En rupture"_s, TagColorOption::red},
        {thresholds(5, 1), -4, u"En rupture"_s, TagColorOption::red},
    };
    for (const auto& c : cases) {
        StockListModel model;
        model.setContext(c.settings, {});
        model.setRecords({item(u"Pinceau"_s, c.quantity)});
        const QModelIndex row = model.index(0, 0);
        EXPECT_EQ(row.data(Roles::BadgeRole).toString(), c.badge) << c.quantity.value_or(-99);
        EXPECT_EQ(row.data(Roles::BadgeColorRole).toInt(), int(c.color));
    }
}

TEST(StockListModel, TextsAndSubtitle) {
    const struct {
        std::optional<qint64> quantity;
        QString text;
    } quantities[] = {{std::nullopt, u"Quantité non suivie"_s},
                      {0, u"0 unité"_s},
                      {1, u"1 unité"_s},
                      {-2, u"-2 unités"_s},
                      {12, u"12 unités"_s}};
    for (const auto& q : quantities)
        EXPECT_EQ(StockListModel::quantityText(q.quantity), q.text);
    EXPECT_EQ(StockListModel::countText(0), u"Aucun article");
    EXPECT_EQ(StockListModel::countText(1), u"1 article");
    EXPECT_EQ(StockListModel::countText(2), u"2 articles");

    StockCategoryItem paint{QUuid::createUuid(), u"Peinture"_s, {}};
    StockItem brush = item(u"Pinceau"_s, 3);
    brush.categoryIDs = {paint.id};
    StockListModel model;
    model.setContext(StockSettings(), {paint});
    model.setRecords({brush});
    EXPECT_EQ(model.index(0, 0).data(Roles::SubtitleRole).toString(), u"3 unités  ·  Peinture");
}

// Recent first is the stored order reversed; the alphabet is French.
TEST(StockListModel, SortOrders) {
    StockListModel model;
    model.setRecords(
        {item(u"étagère"_s), item(u"Zinc"_s), item(u"Equerre"_s), item(u"ébauchoir"_s)});
    RecordFilterModel shown;
    shown.setSourceModel(&model);
    const auto titles = [&] {
        QStringList out;
        for (int row = 0; row < shown.rowCount(); ++row)
            out << shown.index(row, 0).data().toString();
        return out;
    };
    shown.sort(StockListModel::orderColumn, Qt::DescendingOrder);
    EXPECT_EQ(titles(), (QStringList{u"ébauchoir"_s, u"Equerre"_s, u"Zinc"_s, u"étagère"_s}));
    shown.sort(StockListModel::orderColumn, Qt::AscendingOrder);
    EXPECT_EQ(titles(), (QStringList{u"étagère"_s, u"Zinc"_s, u"Equerre"_s, u"ébauchoir"_s}));
    shown.sort(StockListModel::titleColumn, Qt::AscendingOrder);
    EXPECT_EQ(titles(), (QStringList{u"ébauchoir"_s, u"Equerre"_s, u"étagère"_s, u"Zinc"_s}));
}

TEST(StockListPreferences, KeptUnderTheirKeys) {
    MemoryUserDefaults defaults;
    EXPECT_EQ(StockListPreferences::levelFilter(defaults), std::nullopt);
    EXPECT_EQ(StockListPreferences::sortOrder(defaults), StockSortOrder::recentFirst);
    StockListPreferences::setLevelFilter(defaults, StockLevel::low);
    StockListPreferences::setSortOrder(defaults, StockSortOrder::alphabetical);
    EXPECT_EQ(defaults.value(u"stockLevelFilter"_s).toString(), u"Presque épuisé(s)");
    EXPECT_EQ(defaults.value(u"stockSortOrder"_s).toString(), u"alphabetical");
    EXPECT_EQ(StockListPreferences::levelFilter(defaults), StockLevel::low);
    EXPECT_EQ(StockListPreferences::sortOrder(defaults), StockSortOrder::alphabetical);
    StockListPreferences::setLevelFilter(defaults, std::nullopt);
    defaults.setValue(u"stockSortOrder"_s, u"newest"_s);
    EXPECT_FALSE(defaults.value(u"stockLevelFilter"_s).isValid());
    EXPECT_EQ(StockListPreferences::sortOrder(defaults), StockSortOrder::recentFirst);
}

TEST(StockItemForm, ChecksInOrderAndReadsTheQuantity) {
    const struct {
        QString typed;
        std::optional<qint64> quantity;
        bool refused;
    } quantities[] = {{u""_s, std::nullopt, false},   {u" 12 "_s, 12, false},
                      {u"1 200"_s, 1200, false},      {u"-3"_s, -3, false},
                      {u"1,5"_s, std::nullopt, true}, {u"douze"_s, std::nullopt, true}};
    for (const auto& q : quantities) {
        StockItemForm form(StockItemForm::Kind::stock);
        form.fields.title = u"Pinceau"_s;
        form.quantityText = q.typed;
        EXPECT_EQ(form.quantity(), q.quantity) << q.typed.toStdString();
        EXPECT_EQ(form.validate(), q.refused ? StockItemForm::quantityMessage() : QString());
    }
    StockItemForm form(StockItemForm::Kind::stock);
    form.fields.title = u" \n"_s;
    form.quantityText = u"x"_s;
    EXPECT_EQ(form.validate(), u"Le nom de l’article est obligatoire.");
    form.fields.title = u"Pinceau"_s;
    form.quantityText.clear();
    form.addCharacteristic();
    form.addCharacteristic();
    form.fields.characteristics[1].value = u"12 mm"_s;
    EXPECT_EQ(form.validate(), u"Donnez un nom à chaque caractéristique renseignée.");
    form.fields.characteristics[1].label = u" Largeur "_s;
    EXPECT_EQ(form.validate(), QString());
    const StockItem written = form.writtenStock();
    ASSERT_EQ(written.characteristics.size(), 1);
    EXPECT_EQ(written.characteristics[0].label, u"Largeur");
}

TEST(StockItemForm, SavesEitherKindAndDropsUnknownClassification) {
    AppDatabase db;
    const StockCategoryItem paint{QUuid::createUuid(), u"Peinture"_s, {}};
    db.stockCategories = {paint};
    for (const auto kind : {StockItemForm::Kind::stock, StockItemForm::Kind::wishlist}) {
        SessionEdit edit(db);
        StockItemForm form(kind);
        form.fields.title = u" Rouleau "_s;
        form.quantityText = u"4"_s;
        form.fields.categoryIDs = {paint.id, QUuid::createUuid()};
        ASSERT_TRUE(form.apply(edit).ok());
        const AppDatabase& after = edit.session();
        if (kind == StockItemForm::Kind::stock) {
            ASSERT_EQ(after.stockItems.size(), 1);
            EXPECT_EQ(after.stockItems[0].title, u"Rouleau");
            EXPECT_EQ(after.stockItems[0].quantity, 4);
            EXPECT_EQ(after.stockItems[0].categoryIDs, QList<QUuid>{paint.id});
            EXPECT_TRUE(after.purchaseWishlistItems.isEmpty());
        } else {
            ASSERT_EQ(after.purchaseWishlistItems.size(), 1);
            EXPECT_EQ(after.purchaseWishlistItems[0].status, PurchaseWishlistStatus::toBuy);
            EXPECT_EQ(after.purchaseWishlistItems[0].categoryIDs, QList<QUuid>{paint.id});
            EXPECT_TRUE(after.stockItems.isEmpty());
        }
        // An edit of a record gone meanwhile is refused, not added back.
        StockItemForm gone(item(u"Ancien"_s));
        EXPECT_EQ(gone.apply(edit).kind(), ResultKind::notFound);
    }
}

TEST(StockActions, SteppingNeverGoesBelowZero) {
    const struct {
        std::optional<qint64> before;
        int delta;
        std::optional<qint64> after;
        ResultKind kind;
    } cases[] = {
        {std::nullopt, 1, 1, ResultKind::applied},
        {std::nullopt, -1, std::nullopt, ResultKind::unchanged},
        {0, -1, 0, ResultKind::unchanged},
        {1, -1, 0, ResultKind::applied},
        {-2, 1, -1, ResultKind::applied},
        {-2, -1, -2, ResultKind::unchanged},
    };
    for (const auto& c : cases) {
        AppDatabase db;
        db.stockItems = {item(u"Vis"_s, c.before)};
        SessionEdit edit(db);
        EXPECT_EQ(stepStockQuantity(edit, db.stockItems[0].id, c.delta).kind(), c.kind);
        EXPECT_EQ(edit.session().stockItems[0].quantity, c.after);
    }
}

TEST(StockActions, DeletionKeepsTheExpensesName) {
    AppDatabase db;
    db.stockItems = {item(u"Toile de lin"_s, 2)};
    AccountingPurchaseItem unnamed, named;
    unnamed.id = QUuid::createUuid();
    unnamed.linkedStockID = db.stockItems[0].id;
    named = unnamed;
    named.id = QUuid::createUuid();
    named.customProductName = u"Toile 50×70"_s;
    db.accountingPurchases = {unnamed, named};
    EXPECT_EQ(stockItemDeletion(db.stockItems[0]).message,
              u"L’article « Toile de lin » sera supprimé définitivement.");
    SessionEdit edit(db);
    ASSERT_TRUE(deleteStockItem(edit, db.stockItems[0].id).ok());
    const AppDatabase& after = edit.session();
    EXPECT_TRUE(after.stockItems.isEmpty());
    EXPECT_EQ(after.accountingPurchases[0].customProductName, u"Toile de lin");
    EXPECT_EQ(after.accountingPurchases[1].customProductName, u"Toile 50×70");
    EXPECT_FALSE(after.accountingPurchases[0].linkedStockID ||
                 after.accountingPurchases[1].linkedStockID);
    EXPECT_EQ(deleteStockItem(edit, db.stockItems[0].id).kind(), ResultKind::notFound);
}

TEST(StockActions, BoughtItemMovesToTheStockWithItsExpenses) {
    AppDatabase db;
    PurchaseWishlistItem wanted;
    wanted.id = QUuid::createUuid();
    wanted.title = u"Chevalet"_s;
    wanted.quantity = 2;
    wanted.categoryIDs = {QUuid::createUuid()};
    wanted.tagIDs = {QUuid::createUuid()};
    wanted.characteristics = {{QUuid::createUuid(), u"Hauteur"_s, u"1,80 m"_s}};
    wanted.photoURL = QUrl(u"file:///media/chevalet.jpg"_s);
    db.purchaseWishlistItems = {wanted};
    AccountingPurchaseItem expense;
    expense.id = QUuid::createUuid();
    expense.linkedWishlistID = wanted.id;
    db.accountingPurchases = {expense};
    SessionEdit edit(db);
    const Result<QUuid> bought = markWishlistItemBought(edit, wanted.id);
    ASSERT_TRUE(bought.ok());
    const AppDatabase& after = edit.session();
    EXPECT_TRUE(after.purchaseWishlistItems.isEmpty());
    ASSERT_EQ(after.stockItems.size(), 1);
    const StockItem& stock = after.stockItems[0];
    EXPECT_EQ(stock.id, bought.value());
    EXPECT_NE(stock.id, wanted.id);
    EXPECT_EQ(stock.title, wanted.title);
    EXPECT_EQ(stock.quantity, 2);
    EXPECT_EQ(stock.categoryIDs, wanted.categoryIDs);
    EXPECT_EQ(stock.tagIDs, wanted.tagIDs);
    EXPECT_EQ(stock.characteristics, wanted.characteristics);
    EXPECT_EQ(stock.photoURL, wanted.photoURL);
    EXPECT_EQ(after.accountingPurchases[0].linkedStockID, stock.id);
    EXPECT_FALSE(after.accountingPurchases[0].linkedWishlistID);
}

} // namespace
