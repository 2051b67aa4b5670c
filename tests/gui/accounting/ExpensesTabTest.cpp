// The expenses tab driven as a person would: a purchase that brings a new
// product into the stock, the filters and their total, a subscription's
// debit that leads to its subscription, and a deletion after confirmation.

#include "SectionFixture.h"

#include "core/accounting/ExpenseForm.h"
#include "core/accounting/SubscriptionSchedule.h"
#include "core/lists/RecordListModelBase.h"
#include "core/text/MoneyFormat.h"
#include "gui/accounting/ExpensesTab.h"
#include "gui/accounting/SubscriptionsTab.h"
#include "gui/common/ChoiceMenuButton.h"

#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>

namespace velmora::gui::test {
namespace {

class ExpensesTabTest : public SectionFixture {
protected:
    void openTab(const std::function<void(AppDatabase&)>& fill = {}) {
        openSection(u"accounting"_s, fill);
        m_tabs = window().findChild<QTabWidget*>(u"accountingTabs"_s);
        m_tab = window().findChild<ExpensesTab*>();
        ASSERT_TRUE(m_tabs && m_tab);
        m_tabs->setCurrentWidget(m_tab);
    }
    void choose(const QString& menu, const QString& choice) {
        auto* button = find<ChoiceMenuButton>(menu);
        ASSERT_NE(button, nullptr);
        for (QAction* action : button->menu()->actions())
            if (action->text() == choice)
                return action->trigger();
        ADD_FAILURE() << "no choice " << choice.toStdString();
    }
    bool labelShown(const QString& text) {
        for (QLabel* label : window().findChildren<QLabel*>())
            if (label->text() == text && label->isVisible())
                return true;
        return false;
    }

    QTabWidget* m_tabs = nullptr;
    ExpensesTab* m_tab = nullptr;
};

TEST_F(ExpensesTabTest, PurchaseOfANewProductFillsTheStock) {
    openTab();
    run(page(), SectionCommand::create);
    type(u"expenseProductName"_s, u"Toile de lin"_s);
    click(u"expenseCreateProduct"_s);
    type(u"expensePriceTTC"_s, u"99"_s);
    type(u"expenseQuantity"_s, u"3"_s);
    type(u"expenseUnitPrice"_s, u"12,5"_s);
    type(u"expenseShipping"_s, u"4"_s);
    auto* total = find<QLineEdit>(u"expensePriceTTC"_s);
    EXPECT_TRUE(total->isReadOnly());
    EXPECT_EQ(total->text(), formatMoney(41.5));
    EXPECT_TRUE(labelShown(u"Prix TTC (calculé automatiquement)"_s));
    type(u"expenseUnitPrice"_s, QString());
    EXPECT_EQ(total->text(), u"99"_s) << "what was typed comes back";
    type(u"expenseUnitPrice"_s, u"12,5"_s);

    m_dialogs.answerNext(u"OK"_s);
    click(u"expenseFormSave"_s);
    ASSERT_EQ(store().session().accountingPurchases.size(), 1);
    ASSERT_EQ(store().stockItems().size(), 1);
    const AccountingPurchaseItem expense = store().session().accountingPurchases[0];
    const StockItem product = store().stockItems()[0];
    EXPECT_EQ(expense.priceTTC, 41.5);
    EXPECT_EQ(expense.linkedStockID, product.id);
    EXPECT_EQ(product.title, u"Toile de lin"_s);
    EXPECT_EQ(product.quantity, 3);
    EXPECT_EQ(m_dialogs.alerts.last().title, ExpenseForm::savedTitle());
    EXPECT_EQ(m_dialogs.alerts.last().message, ExpenseForm::savedMessage());
    EXPECT_TRUE(sessionFile().contains("Toile de lin"));
    EXPECT_EQ(m_tab->currentId(), expense.id);

    // The card's link shows the product where the stock lists it.
    click(u"expenseCardLink"_s);
    EXPECT_EQ(window().workspace().currentSection(), u"stock"_s);
    auto* stock = window().findChild<QListView*>(u"stockList"_s);
    ASSERT_EQ(stock->model()->rowCount(), 1);
    EXPECT_EQ(stock->currentIndex().data().toString(), u"Toile de lin"_s);
    EXPECT_EQ(stock->currentIndex().data(RecordListModelBase::BadgeRole).toString(), u"En stock"_s);
}

TEST_F(ExpensesTabTest, FiltersDebitsAndDeletion) {
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const int year = now.toLocalTime().date().year();
    RecurringPurchase hosting;
    hosting.id = QUuid::createUuid();
    hosting.name = u"Hébergeur"_s;
    hosting.amount = 30;
    hosting.frequency = RecurringFrequency::yearly;
    hosting.startDate = QDateTime(QDate(year, 1, 1), QTime(0, 30)).toUTC();
    const auto purchase = [](const QString& name, double price, const QDateTime& date) {
        AccountingPurchaseItem p;
        p.id = QUuid::createUuid();
        p.customProductName = name;
        p.priceTTC = price;
        p.purchaseDate = date;
        return p;
    };
    const AccountingPurchaseItem easel = purchase(u"Chevalet"_s, 100, now);
    const AccountingPurchaseItem paper =
        purchase(u"Papier"_s, 50, QDateTime(QDate(year - 1, 6, 1), QTime(12, 0)).toUTC());
    openTab([&](AppDatabase& db) {
        db.recurringPurchases = {hosting};
        db.accountingPurchases = {easel, paper};
    });

    // This year by default: the purchase and the debit.
    EXPECT_EQ(shownText(u"expensesCount"_s), u"2 dépenses"_s);
    EXPECT_EQ(shownText(u"expensesTotal"_s), u"Total\u00a0: "_s + formatMoney(130));
    choose(u"expensesTypeFilter"_s, u"Annuel"_s);
    auto* list = find<QListView>(u"expensesList"_s);
    ASSERT_EQ(list->model()->rowCount(), 1);
    EXPECT_EQ(list->model()->index(0, 0).data().toString(), u"Hébergeur"_s);
    EXPECT_EQ(shownText(u"expensesTotal"_s), u"Total\u00a0: "_s + formatMoney(30));
    choose(u"expensesTypeFilter"_s, u"Tous"_s);
    choose(u"expensesYearFilter"_s, u"Toutes les années"_s);
    EXPECT_EQ(shownText(u"expensesTotal"_s), u"Total\u00a0: "_s + formatMoney(180));

    // A debit is the subscription's: no edit, no deletion, a way to it.
    const QList<AccountingPurchaseItem> debits =
        subscriptionDebits(store().session().recurringPurchases, now);
    ASSERT_EQ(debits.size(), 1);
    m_tab->select(debits[0].id);
    EXPECT_FALSE(canRun(page(), SectionCommand::edit));
    EXPECT_FALSE(canRun(page(), SectionCommand::remove));
    EXPECT_FALSE(isShown(u"expenseCardDelete"_s));
    click(u"expenseCardSubscription"_s);
    auto* subscriptions = window().findChild<SubscriptionsTab*>();
    EXPECT_EQ(m_tabs->currentWidget(), subscriptions);
    EXPECT_EQ(subscriptions->currentId(), hosting.id);

    m_tabs->setCurrentWidget(m_tab);
    m_tab->select(easel.id);
    ASSERT_TRUE(canRun(page(), SectionCommand::remove));
    m_dialogs.answerNext(u"Annuler"_s);
    click(u"expenseCardDelete"_s);
    EXPECT_EQ(store().session().accountingPurchases.size(), 2);
    confirmNextDeletion();
    run(page(), SectionCommand::remove);
    EXPECT_EQ(m_dialogs.alerts.last().message, expenseDeletionConfirmation(u"Chevalet"_s).message);
    EXPECT_EQ(store().session().accountingPurchases, QList{paper});
    EXPECT_FALSE(sessionFile().contains("Chevalet"));
}

} // namespace
} // namespace velmora::gui::test
