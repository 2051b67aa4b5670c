#include "core/accounting/ExpenseListModel.h"

#include "core/accounting/ExpenseList.h"
#include "core/accounting/SubscriptionActions.h"
#include "core/text/FrenchDates.h"
#include "core/text/MoneyFormat.h"
#include "core/text/SearchFolding.h"

namespace velmora {

using namespace Qt::StringLiterals;

void ExpenseListModel::setContext(const QList<StockItem>& stock,
                                  const QList<RecurringPurchase>& subscriptions,
                                  const URSSAFSettings& settings) {
    // Names are looked up by id: a list sorted by name asks for every row.
    QHash<QUuid, QString> titles;
    titles.reserve(stock.size());
    for (const StockItem& item : stock)
        titles.insert(item.id, item.title);
    if (titles == m_stockTitles && subscriptions == m_subscriptions && settings == m_settings)
        return;
    m_stockTitles = std::move(titles);
    m_subscriptions = subscriptions;
    m_settings = settings;
    if (const int rows = rowCount(); rows > 0)
        emit dataChanged(index(0, 0), index(rows - 1, columnCount() - 1));
}

QString ExpenseListModel::nameOf(const AccountingPurchaseItem& entry) const {
    QString name = entry.customProductName;
    if (entry.linkedStockID)
        if (const auto found = m_stockTitles.constFind(*entry.linkedStockID);
            found != m_stockTitles.cend())
            name = *found;
    name = name.trimmed();
    return name.isEmpty() ? u"Dépense"_s : name;
}

const RecurringPurchase*
ExpenseListModel::subscriptionOf(const AccountingPurchaseItem& entry) const {
    if (!entry.isRecurringEntry || !entry.recurringPurchaseID)
        return nullptr;
    for (const RecurringPurchase& subscription : m_subscriptions)
        if (subscription.id == *entry.recurringPurchaseID)
            return &subscription;
    return nullptr;
}

QString ExpenseListModel::countText(int count) {
    if (count == 0)
        return u"Aucune dépense"_s;
    return count == 1 ? u"1 dépense"_s : u"%1 dépenses"_s.arg(count);
}

QString ExpenseListModel::totalText(double total) {
    return u"Total\u00a0: "_s + formatMoney(total);
}

QVariant ExpenseListModel::recordData(const AccountingPurchaseItem& entry, int column,
                                      int role) const {
    switch (role) {
    case Qt::DisplayRole:
        return nameOf(entry);
    case Qt::AccessibleTextRole:
        return nameOf(entry) + u", "_s + formatMoney(entry.priceTTC);
    case SortRole:
        switch (Column(column)) {
        case amountColumn:
            return entry.priceTTC;
        case nameColumn:
            return nameOf(entry);
        default:
            return entry.purchaseDate.toMSecsSinceEpoch();
        }
    case SubtitleRole: {
        QStringList parts{formatMediumDate(entry.purchaseDate)};
        if (entry.isRecurringEntry)
            parts << expenseTypeLabel(expenseTypeKey(entry, m_subscriptions));
        else if (!entry.supplier.trimmed().isEmpty())
            parts << entry.supplier.trimmed();
        return parts.join(u" · "_s);
    }
    case BadgeRole:
        return formatMoney(entry.priceTTC);
    case BadgeColorRole:
        if (const RecurringPurchase* subscription = subscriptionOf(entry))
            return int(subscriptionBadgeColor(subscription->frequency, m_settings));
        if (entry.isRecurringEntry)
            return int(subscriptionBadgeColor(RecurringFrequency::monthly, m_settings));
        return {};
    case TagColorsRole:
        return tagColors(entry);
    default:
        return {};
    }
}

bool expenseMatches(const AccountingPurchaseItem& entry, const QString& shownName,
                    const QString& query) {
    return matchesSearch(query, {shownName, entry.supplier, entry.notes});
}

} // namespace velmora
