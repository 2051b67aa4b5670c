#pragma once

#include "core/lists/TaggedListModel.h"
#include "core/model/AccountingRecords.h"
#include "core/model/SessionSettings.h"
#include "core/model/StockRecords.h"

#include <QHash>

namespace velmora {

// The expense history's list: the product (the linked stock item's title
// when it still exists), under it the date and the supplier or, for a
// subscription debit, its frequency; the amount at the end, in a pill of
// the frequency's badge colour for a debit. Sorted by date, amount or name.
class ExpenseListModel final : public TaggedListModel<AccountingPurchaseItem> {
    Q_OBJECT

public:
    enum Column { dateColumn, amountColumn, nameColumn, columnTotal };

    explicit ExpenseListModel(QObject* parent = nullptr) : TaggedListModel(parent) {}

    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : columnTotal;
    }

    // What the rows name and colour: the stock's titles, the subscriptions
    // behind the debits and the badge colours. Every row changes with them.
    void setContext(const QList<StockItem>& stock, const QList<RecurringPurchase>& subscriptions,
                    const URSSAFSettings& settings);
    const QList<RecurringPurchase>& subscriptions() const { return m_subscriptions; }

    // The name the row shows; "Dépense" when there is none.
    QString nameOf(const AccountingPurchaseItem& entry) const;
    // The subscription a debit comes from, or null.
    const RecurringPurchase* subscriptionOf(const AccountingPurchaseItem& entry) const;

    // "Aucune dépense", "1 dépense", "N dépenses".
    static QString countText(int count);
    // "Total : 1 234,50 €".
    static QString totalText(double total);

private:
    QVariant recordData(const AccountingPurchaseItem& entry, int column, int role) const override;

    QHash<QUuid, QString> m_stockTitles;
    QList<RecurringPurchase> m_subscriptions;
    URSSAFSettings m_settings;
};

// Whether every word of the query is in the shown name, the supplier or the
// notes, case and accents aside.
bool expenseMatches(const AccountingPurchaseItem& entry, const QString& shownName,
                    const QString& query);

} // namespace velmora
