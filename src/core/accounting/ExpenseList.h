#pragma once

#include "core/model/AppDatabase.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QUuid>

#include <optional>

namespace velmora {

// The expense history: the stored purchases and, merged in at display time,
// the subscription debits (never stored).

// Stored expenses and debits up to `now`, newest first (equal dates keep
// stored entries before debits, each in its own order).
QList<AccountingPurchaseItem> expenseEntries(const AppDatabase& session, const QDateTime& now);

// "purchase" for a stored expense, else the frequency of its subscription
// ("monthly", "quarterly", "yearly"); "monthly" when the subscription is gone.
QString expenseTypeKey(const AccountingPurchaseItem& entry,
                       const QList<RecurringPurchase>& subscriptions);
// "Achat", "Mensuel", "Trimestriel", "Annuel".
QString expenseTypeLabel(const QString& typeKey);
bool isExpenseTypeKey(const QString& typeKey);

// The title of the linked stock item when it exists, else the typed name.
QString expenseDisplayName(const AccountingPurchaseItem& entry, const QList<StockItem>& stock);

struct ExpenseFilter {
    std::optional<int> year;  // of the local date
    std::optional<int> month; // 1–12, of the local date
    QList<QUuid> tagIDs;      // an entry with any of them passes
    QList<QUuid> categoryIDs; // an entry with any of them passes
    std::optional<QString> typeKey;
};

QList<AccountingPurchaseItem> filterExpenses(const QList<AccountingPurchaseItem>& entries,
                                             const ExpenseFilter& filter,
                                             const QList<RecurringPurchase>& subscriptions);

// The distinct local years of the entries, newest first.
QList<int> expenseYears(const QList<AccountingPurchaseItem>& entries);

double expenseTotal(const QList<AccountingPurchaseItem>& entries);

} // namespace velmora
