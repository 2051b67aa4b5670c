// The rows of the expense list: the linked product's current title (or the
// typed name, or "Dépense"), a debit told apart by its frequency and badge
// colour, and the count and total texts.

#include "core/accounting/ExpenseListModel.h"

#include "core/accounting/SubscriptionActions.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace velmora;

namespace {

using Roles = RecordListModelBase;

TEST(ExpenseListModel, RowsFollowTheStockAndTellDebitsApart) {
    StockItem paint;
    paint.id = QUuid::createUuid();
    paint.title = u"Gouache"_s;
    RecurringPurchase hosting;
    hosting.id = QUuid::createUuid();
    hosting.frequency = RecurringFrequency::yearly;
    const QDateTime date(QDate(2025, 3, 4), QTime(10, 0), Qt::UTC);
    AccountingPurchaseItem bought;
    bought.id = QUuid::createUuid();
    bought.linkedStockID = paint.id;
    bought.customProductName = u"Ancien nom"_s;
    bought.supplier = u"Rougier"_s;
    bought.purchaseDate = date;
    AccountingPurchaseItem unnamed;
    unnamed.id = QUuid::createUuid();
    unnamed.purchaseDate = date;
    AccountingPurchaseItem debit;
    debit.id = QUuid::createUuid();
    debit.customProductName = u"Hébergeur"_s;
    debit.isRecurringEntry = true;
    debit.recurringPurchaseID = hosting.id;
    debit.purchaseDate = date;

    ExpenseListModel model;
    const URSSAFSettings settings;
    model.setContext({paint}, {hosting}, settings);
    model.setRecords({bought, unnamed, debit});
    const auto cell = [&](int row, int role) { return model.index(row, 0).data(role); };
    EXPECT_EQ(cell(0, Qt::DisplayRole).toString(), u"Gouache"_s);
    EXPECT_EQ(cell(1, Qt::DisplayRole).toString(), u"Dépense"_s);
    EXPECT_TRUE(cell(0, Roles::SubtitleRole).toString().endsWith(u" · Rougier"_s));
    EXPECT_TRUE(cell(2, Roles::SubtitleRole).toString().endsWith(u" · Annuel"_s));
    EXPECT_FALSE(cell(0, Roles::BadgeColorRole).isValid());
    EXPECT_EQ(cell(2, Roles::BadgeColorRole).toInt(),
              int(subscriptionBadgeColor(RecurringFrequency::yearly, settings)));

    // The product renamed in the stock, or gone from it.
    paint.title = u"Gouache extra-fine"_s;
    model.setContext({paint}, {hosting}, settings);
    EXPECT_EQ(cell(0, Qt::DisplayRole).toString(), u"Gouache extra-fine"_s);
    model.setContext({}, {hosting}, settings);
    EXPECT_EQ(cell(0, Qt::DisplayRole).toString(), u"Ancien nom"_s);
}

TEST(ExpenseListModel, CountAndTotalTexts) {
    EXPECT_EQ(ExpenseListModel::countText(0), u"Aucune dépense"_s);
    EXPECT_EQ(ExpenseListModel::countText(1), u"1 dépense"_s);
    EXPECT_EQ(ExpenseListModel::countText(12), u"12 dépenses"_s);
    EXPECT_EQ(ExpenseListModel::totalText(1234.5), u"Total\u00a0: 1\u202f234,50\u00a0€"_s);
}

} // namespace
