#include "core/accounting/SubscriptionListModel.h"

#include "core/accounting/SubscriptionActions.h"
#include "core/accounting/SubscriptionSchedule.h"
#include "core/text/FrenchDates.h"
#include "core/text/MoneyFormat.h"
#include "core/text/SearchFolding.h"

#include <limits>

namespace velmora {

void SubscriptionListModel::setContext(const QDateTime& now, const URSSAFSettings& settings) {
    if (now == m_now && settings == m_settings)
        return;
    m_now = now;
    m_settings = settings;
    if (const int rows = rowCount(); rows > 0)
        emit dataChanged(index(0, 0), index(rows - 1, columnCount() - 1));
}

QString SubscriptionListModel::countText(int count) {
    if (count == 0)
        return QStringLiteral("Aucun abonnement");
    return count == 1 ? QStringLiteral("1 abonnement")
                      : QStringLiteral("%1 abonnements").arg(count);
}

QString SubscriptionListModel::monthlyText(const RecurringPurchase& subscription) {
    return formatMoney(monthlyEquivalent(subscription)) + QStringLiteral("/mois");
}

QString SubscriptionListModel::nextDebitText(const RecurringPurchase& subscription,
                                             const QDateTime& now) {
    const std::optional<SubscriptionDebitDate> next = nextSubscriptionDebit(subscription, now);
    if (!next)
        return {};
    return formatMediumDate(next->date) +
           (next->exceptional ? QStringLiteral(" · Date exceptionnelle") : QString());
}

QVariant SubscriptionListModel::recordData(const RecurringPurchase& subscription, int column,
                                           int role) const {
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return subscription.name.trimmed();
    case SortRole:
        switch (Column(column)) {
        case monthlyColumn:
            return monthlyEquivalent(subscription);
        case nextColumn: {
            const auto next =
                subscription.isActive ? nextSubscriptionDebit(subscription, m_now) : std::nullopt;
            return next ? next->date.toMSecsSinceEpoch() : std::numeric_limits<qint64>::max();
        }
        default:
            return subscription.name.trimmed();
        }
    case SubtitleRole: {
        QStringList parts{formatMoney(subscription.amount), monthlyText(subscription)};
        const QString next = nextDebitText(subscription, m_now);
        if (!subscription.isActive)
            parts << QStringLiteral("Inactif");
        else if (!next.isEmpty())
            parts << next;
        return parts.join(QStringLiteral(" · "));
    }
    case BadgeRole:
        return displayName(subscription.frequency);
    case BadgeColorRole:
        return int(subscriptionBadgeColor(subscription.frequency, m_settings));
    case TagColorsRole:
        return tagColors(subscription);
    default:
        return {};
    }
}

bool subscriptionMatches(const RecurringPurchase& subscription, const QString& query) {
    return matchesSearch(query, {subscription.name, subscription.description, subscription.notes});
}

} // namespace velmora
