#include "core/accounting/ExpenseList.h"

#include "core/accounting/SubscriptionSchedule.h"

#include <QTimeZone>

#include <algorithm>

namespace velmora {

using namespace Qt::StringLiterals;

QList<AccountingPurchaseItem> expenseEntries(const AppDatabase& session, const QDateTime& now) {
    QList<AccountingPurchaseItem> entries = session.accountingPurchases;
    entries += subscriptionDebits(session.recurringPurchases, now);
    std::stable_sort(entries.begin(), entries.end(),
                     [](const AccountingPurchaseItem& a, const AccountingPurchaseItem& b) {
                         return a.purchaseDate > b.purchaseDate;
                     });
    return entries;
}

QString expenseTypeKey(const AccountingPurchaseItem& entry,
                       const QList<RecurringPurchase>& subscriptions) {
    if (!entry.isRecurringEntry)
        return u"purchase"_s;
    for (const RecurringPurchase& subscription : subscriptions) {
        if (entry.recurringPurchaseID && subscription.id == *entry.recurringPurchaseID) {
            switch (subscription.frequency) {
            case RecurringFrequency::monthly:
                return u"monthly"_s;
            case RecurringFrequency::quarterly:
                return u"quarterly"_s;
            case RecurringFrequency::yearly:
                return u"yearly"_s;
            }
        }
    }
    return u"monthly"_s;
}

QString expenseTypeLabel(const QString& typeKey) {
    if (typeKey == u"purchase")
        return u"Achat"_s;
    if (typeKey == u"quarterly")
        return u"Trimestriel"_s;
    if (typeKey == u"yearly")
        return u"Annuel"_s;
    return u"Mensuel"_s;
}

bool isExpenseTypeKey(const QString& typeKey) {
    return typeKey == u"purchase" || typeKey == u"monthly" || typeKey == u"quarterly" ||
           typeKey == u"yearly";
}

QString expenseDisplayName(const AccountingPurchaseItem& entry, const QList<StockItem>& stock) {
    if (entry.linkedStockID) {
        for (const StockItem& item : stock) {
            if (item.id == *entry.linkedStockID)
                return item.title;
        }
    }
    return entry.customProductName;
}

namespace {

bool sharesAny(const QList<QUuid>& ids, const QList<QUuid>& wanted) {
    return std::any_of(wanted.cbegin(), wanted.cend(),
                       [&](const QUuid& id) { return ids.contains(id); });
}

} // namespace

QList<AccountingPurchaseItem> filterExpenses(const QList<AccountingPurchaseItem>& entries,
                                             const ExpenseFilter& filter,
                                             const QList<RecurringPurchase>& subscriptions) {
    const QTimeZone zone = QTimeZone::systemTimeZone();
    QList<AccountingPurchaseItem> kept;
    for (const AccountingPurchaseItem& entry : entries) {
        const QDate day = entry.purchaseDate.toTimeZone(zone).date();
        if (filter.year && day.year() != *filter.year)
            continue;
        if (filter.month && day.month() != *filter.month)
            continue;
        if (!filter.tagIDs.isEmpty() && !sharesAny(entry.tagIDs, filter.tagIDs))
            continue;
        if (!filter.categoryIDs.isEmpty() && !sharesAny(entry.categoryIDs, filter.categoryIDs))
            continue;
        if (filter.typeKey && expenseTypeKey(entry, subscriptions) != *filter.typeKey)
            continue;
        kept.append(entry);
    }
    return kept;
}

QList<int> expenseYears(const QList<AccountingPurchaseItem>& entries) {
    const QTimeZone zone = QTimeZone::systemTimeZone();
    QList<int> years;
    for (const AccountingPurchaseItem& entry : entries) {
        const int year = entry.purchaseDate.toTimeZone(zone).date().year();
        if (!years.contains(year))
            years.append(year);
    }
    std::sort(years.begin(), years.end(), std::greater<>());
    return years;
}

double expenseTotal(const QList<AccountingPurchaseItem>& entries) {
    double total = 0;
    for (const AccountingPurchaseItem& entry : entries)
        total += entry.priceTTC;
    return total;
}

} // namespace velmora
