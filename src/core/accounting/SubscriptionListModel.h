#pragma once

#include "core/lists/TaggedListModel.h"
#include "core/model/AccountingRecords.h"
#include "core/model/SessionSettings.h"

#include <QDateTime>

namespace velmora {

// The subscriptions' list: the name, under it the amount, its "/mois"
// equivalent and the next debit (or "Inactif"), and the frequency badge in
// the colour the settings give it. Sorted by name, monthly cost or next
// debit (none last).
class SubscriptionListModel final : public TaggedListModel<RecurringPurchase> {
    Q_OBJECT

public:
    enum Column { nameColumn, monthlyColumn, nextColumn, columnTotal };

    explicit SubscriptionListModel(QObject* parent = nullptr) : TaggedListModel(parent) {}

    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : columnTotal;
    }

    // The moment the next debits are counted from and the badge colours;
    // every row changes with them.
    void setContext(const QDateTime& now, const URSSAFSettings& settings);

    // "Aucun abonnement", "1 abonnement", "N abonnements".
    static QString countText(int count);
    // "12,50 €/mois".
    static QString monthlyText(const RecurringPurchase& subscription);
    // "5 janv. 2026 · Date exceptionnelle", or an empty text when none comes.
    static QString nextDebitText(const RecurringPurchase& subscription, const QDateTime& now);

private:
    QVariant recordData(const RecurringPurchase& subscription, int column, int role) const override;

    QDateTime m_now;
    URSSAFSettings m_settings;
};

// Whether every word of the query is in the name, description or notes.
bool subscriptionMatches(const RecurringPurchase& subscription, const QString& query);

} // namespace velmora
