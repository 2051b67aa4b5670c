#include "core/accounting/DashboardAttention.h"

#include "core/accounting/SubscriptionSchedule.h"
#include "core/documents/DocumentDeadlines.h"
#include "core/documents/DocumentTotals.h"
#include "core/model/RawNames.h"
#include "core/stock/StockLevels.h"
#include "core/text/ClientDisplayName.h"
#include "core/text/FrenchDates.h"
#include "core/text/MoneyFormat.h"

#include <algorithm>

namespace velmora {
namespace {

constexpr qint64 kDebitDays = 7;

QString joined(const QString& first, const QString& second) {
    return second.isEmpty() ? first : first + QStringLiteral(" · ") + second;
}

// A row with the value it is ordered by, most pressing first.
struct Ranked {
    AttentionRow row;
    qint64 rank = 0;
};

void addSection(QList<AttentionSection>& sections, AttentionGroup group, QList<Ranked> ranked) {
    if (ranked.isEmpty())
        return;
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const Ranked& a, const Ranked& b) { return a.rank < b.rank; });
    AttentionSection section{group, attentionHeading(group), {}, 0};
    for (const Ranked& r : ranked) {
        if (section.rows.size() < kAttentionRowsPerGroup)
            section.rows << r.row;
        else
            ++section.hiddenCount;
    }
    sections << section;
}

AttentionRow documentRow(const CommercialDocumentItem& document,
                         const QHash<QUuid, QString>& clients, const QString& detail) {
    return {joined(displayName(document.kind) + u' ' + document.number,
                   documentClientName(document, clients)),
            detail, QStringLiteral("documents"), document.id};
}

} // namespace

QString attentionHeading(AttentionGroup group) {
    switch (group) {
    case AttentionGroup::lateInvoices:
        return QStringLiteral("Factures en retard");
    case AttentionGroup::dueSoon:
        return QStringLiteral("Échéances de la semaine");
    case AttentionGroup::debits:
        return QStringLiteral("Prélèvements des 7 prochains jours");
    case AttentionGroup::stockOut:
        return QStringLiteral("Ruptures de stock");
    }
    return {};
}

QString lateDaysText(qint64 days) {
    return days == 1 ? QStringLiteral("En retard de 1 jour")
                     : QStringLiteral("En retard de %1 jours").arg(days);
}

QString moreAttentionText(int count) {
    return count == 1 ? QStringLiteral("et 1 autre") : QStringLiteral("et %1 autres").arg(count);
}

QString noAttentionText() {
    return QStringLiteral("Rien à signaler\u00a0: aucune facture en retard, aucune échéance "
                          "cette semaine, aucun prélèvement à venir ni rupture de stock.");
}

QList<AttentionSection> dashboardAttention(const AppDatabase& db, const QDateTime& now) {
    const StatusLists lists = StatusLists::of(db);
    QHash<QUuid, QString> clients;
    clients.reserve(db.clients.size());
    for (const ClientItem& client : db.clients)
        clients.insert(client.id, clientDisplayName(client));

    QList<Ranked> late, soon;
    for (const CommercialDocumentItem& document : db.documents) {
        const QStringList alerts = alertFilterValues(document, lists, db.projects, now);
        // What a cancelled activity took along is chased no more.
        if (alerts.contains(QStringLiteral("cancelled")))
            continue;
        if (alerts.contains(QStringLiteral("late"))) {
            const qint64 days = daysLate(document, lists, now);
            const QString detail = joined(lateDaysText(days), formatMoney(remainingDue(document)));
            late << Ranked{documentRow(document, clients, detail), -days};
            continue;
        }
        if (!alerts.contains(QStringLiteral("soon")))
            continue;
        QString detail;
        QDateTime when;
        if (document.kind == CommercialDocumentKind::invoice) {
            when = invoiceDueDate(document);
            detail = joined(QStringLiteral("Échéance le ") + formatMediumDate(when),
                            formatMoney(remainingDue(document)));
        } else {
            // An answered quote waits for nobody, however near its end.
            if (isSettledQuoteKey(statusKey(document, lists)))
                continue;
            when = *document.validityDate;
            detail = joined(QStringLiteral("Devis valable jusqu’au ") + formatMediumDate(when),
                            formatMoney(netDue(document)));
        }
        soon << Ranked{documentRow(document, clients, detail), when.toSecsSinceEpoch()};
    }

    QList<Ranked> debits;
    for (const RecurringPurchase& subscription : db.recurringPurchases) {
        if (!subscription.isActive)
            continue;
        const auto next = nextSubscriptionDebit(subscription, now);
        if (!next || daysBetween(now, next->date) > kDebitDays)
            continue;
        debits << Ranked{{subscription.name,
                          joined(QStringLiteral("Prélèvement le ") + formatMediumDate(next->date),
                                 formatMoney(subscription.amount)),
                          QStringLiteral("accounting"), subscription.id},
                         next->date.toSecsSinceEpoch()};
    }

    QList<Ranked> stock;
    for (const StockItem& item : db.stockItems) {
        if (stockLevel(item, db.stockSettings) != StockLevel::out)
            continue;
        stock << Ranked{
            {item.title,
             joined(stockLevelText(StockLevel::out),
                    QStringLiteral("Quantité\u00a0: %1").arg(item.quantity.value_or(0))),
             QStringLiteral("stock"), item.id},
            0};
    }
    // Products by name, as the stock list shows them.
    std::stable_sort(stock.begin(), stock.end(), [](const Ranked& a, const Ranked& b) {
        return QString::localeAwareCompare(a.row.title, b.row.title) < 0;
    });

    QList<AttentionSection> sections;
    addSection(sections, AttentionGroup::lateInvoices, late);
    addSection(sections, AttentionGroup::dueSoon, soon);
    addSection(sections, AttentionGroup::debits, debits);
    addSection(sections, AttentionGroup::stockOut, stock);
    return sections;
}

} // namespace velmora
