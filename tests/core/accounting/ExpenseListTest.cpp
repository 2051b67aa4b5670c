// The expense list: stored purchases merged with the computed debits, newest
// first, its filters, year choices, names and total.

#include "core/accounting/ExpenseList.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace velmora;

namespace {

QDateTime local(int y, int m, int d, int hour = 10) {
    return QDateTime(QDate(y, m, d), QTime(hour, 0), Qt::LocalTime).toUTC();
}

class ExpenseList : public ::testing::Test {
protected:
    void SetUp() override {
        beads.id = QUuid::createUuid();
        beads.title = u"Perles"_s;
        db.stockItems = {beads};
        linked.id = QUuid::createUuid();
        linked.linkedStockID = beads.id;
        linked.customProductName = u"Ancien nom"_s;
        linked.priceTTC = 41.5;
        linked.purchaseDate = local(2023, 6, 1);
        linked.tagIDs = {tag};
        loose.id = QUuid::createUuid();
        loose.linkedStockID = QUuid::createUuid(); // a product deleted since
        loose.customProductName = u"Fil"_s;
        loose.priceTTC = 3;
        loose.purchaseDate = local(2025, 1, 1, 0);
        loose.categoryIDs = {category};
        db.accountingPurchases = {linked, loose};
        accountant.id = QUuid::createUuid();
        accountant.name = u"Comptable"_s;
        accountant.amount = 30;
        accountant.frequency = RecurringFrequency::quarterly;
        accountant.startDate = local(2024, 11, 5);
        accountant.debitDay = 5;
        db.recurringPurchases = {accountant};
    }

    const QDateTime now = local(2025, 3, 1);
    const QUuid tag = QUuid::createUuid();
    const QUuid category = QUuid::createUuid();
    StockItem beads;
    AccountingPurchaseItem linked, loose;
    RecurringPurchase accountant;
    AppDatabase db;
};

TEST_F(ExpenseList, MergedNewestFirstWithYearsAndNames) {
    const QList<AccountingPurchaseItem> entries = expenseEntries(db, now);
    ASSERT_EQ(entries.size(), 4);
    EXPECT_EQ(entries[0].purchaseDate, local(2025, 2, 5));
    EXPECT_EQ(entries[1].id, loose.id);
    EXPECT_EQ(entries[2].purchaseDate, local(2024, 11, 5));
    EXPECT_EQ(entries[3].id, linked.id);
    EXPECT_EQ(expenseYears(entries), (QList<int>{2025, 2024, 2023}));
    EXPECT_EQ(expenseTotal(entries), 41.5 + 3 + 30 + 30);
    EXPECT_EQ(expenseDisplayName(linked, db.stockItems), u"Perles"_s);
    EXPECT_EQ(expenseDisplayName(loose, db.stockItems), u"Fil"_s);
    EXPECT_EQ(expenseDisplayName(entries[0], db.stockItems), u"Comptable"_s);
    EXPECT_EQ(expenseTypeKey(entries[0], db.recurringPurchases), u"quarterly"_s);
    EXPECT_EQ(expenseTypeLabel(u"quarterly"_s), u"Trimestriel"_s);
}

TEST_F(ExpenseList, Filters) {
    const auto filter = [] { return ExpenseFilter(); };
    ExpenseFilter y2025 = filter();
    y2025.year = 2025;
    ExpenseFilter january = y2025;
    january.month = 1;
    ExpenseFilter tagged = filter();
    tagged.tagIDs = {tag};
    ExpenseFilter classified = filter();
    classified.categoryIDs = {category};
    ExpenseFilter quarterly = filter();
    quarterly.typeKey = u"quarterly"_s;
    ExpenseFilter purchases = y2025;
    purchases.typeKey = u"purchase"_s;
    ExpenseFilter monthly = filter();
    monthly.typeKey = u"monthly"_s;
    const struct {
        ExpenseFilter filter;
        double total;
        qsizetype count;
    } cases[] = {
        {filter(), 104.5, 4}, {y2025, 33, 2},     {january, 3, 1},   {tagged, 41.5, 1},
        {classified, 3, 1},   {quarterly, 60, 2}, {purchases, 3, 1}, {monthly, 0, 0},
    };
    const QList<AccountingPurchaseItem> entries = expenseEntries(db, now);
    for (const auto& c : cases) {
        const QList<AccountingPurchaseItem> kept =
            filterExpenses(entries, c.filter, db.recurringPurchases);
        EXPECT_EQ(kept.size(), c.count) << c.total;
        EXPECT_EQ(expenseTotal(kept), c.total);
    }
}

} // namespace
