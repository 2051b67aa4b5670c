#include "core/notifications/NotificationRules.h"

#include "core/accounting/SubscriptionSchedule.h"
#include "core/documents/DepositDecision.h"
#include "core/documents/DocumentDeadlines.h"
#include "core/stock/StockLevels.h"

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace velmora {
namespace {

// How many days ahead each "soon" rule looks, today included as day 0.
constexpr qint64 kInvoiceSoonDays = 3;
constexpr qint64 kQuoteSoonDays = 3;
constexpr qint64 kDebitSoonDays = 2;
constexpr qint64 kActivitySoonDays = 7;

constexpr std::size_t kKindCount = std::size(EnumTable<NotificationKind>::raw);

// Identities carry the UUID as the session file writes it, so that a state
// stays attached to its record from file to file.
QString identity(const QString& prefix, const QUuid& id) {
    return prefix + id.toString(QUuid::WithoutBraces).toUpper();
}

QString nameOr(const QString& name, const QString& fallback) {
    return name.isEmpty() ? fallback : name;
}

bool within(qint64 days, qint64 limit) {
    return days >= 0 && days <= limit;
}

// The items of each rule apart, so that one pass over a list can feed
// several rules and the result still lists them rule after rule.
class RuleOutput {
public:
    void add(NotificationItem item) {
        m_byKind[static_cast<std::size_t>(item.kind)].append(std::move(item));
    }
    QList<NotificationItem> items() && {
        QList<NotificationItem> all;
        for (QList<NotificationItem>& items : m_byKind)
            all.append(std::move(items));
        return all;
    }

private:
    std::array<QList<NotificationItem>, kKindCount> m_byKind;
};

NotificationAction openDocument(const CommercialDocumentItem& document) {
    return {NotificationActionKind::openDocument, document.id};
}

void appendInvoice(const CommercialDocumentItem& d, const QString& key, const QDateTime& now,
                   RuleOutput& out) {
    if (key == StatusKeys::draft() || key == StatusKeys::paid() || key == StatusKeys::cancelled())
        return;
    const QDateTime due = invoiceDueDate(d);
    if (!due.isValid())
        return;
    const qint64 days = daysBetween(now, due);
    const QString number = nameOr(d.number, u"Facture"_s);
    if (days < 0)
        out.add({.id = identity(u"invoice.late."_s, d.id),
                 .kind = NotificationKind::invoiceLate,
                 .severity = NotificationSeverity::critical,
                 .title = u"Facture en retard"_s,
                 .message = number + u" — "_s + QString::number(-days) + u" j de retard"_s,
                 .date = due,
                 .systemIcon = u"exclamationmark.triangle.fill"_s,
                 .action = openDocument(d)});
    else if (days <= kInvoiceSoonDays)
        out.add({.id = identity(u"invoice.due."_s, d.id),
                 .kind = NotificationKind::invoiceDueSoon,
                 .severity = NotificationSeverity::warning,
                 .title = u"Échéance proche"_s,
                 .message = number + u" — dans "_s + QString::number(days) + u" j"_s,
                 .date = due,
                 .systemIcon = u"clock.fill"_s,
                 .action = openDocument(d)});
}

void appendQuote(const CommercialDocumentItem& d, const QString& key, const QDateTime& now,
                 RuleOutput& out) {
    if (!d.validityDate || !d.validityDate->isValid() || isSettledQuoteKey(key))
        return;
    const qint64 days = daysBetween(now, *d.validityDate);
    const QString number = nameOr(d.number, u"Devis"_s);
    if (days < 0)
        out.add({.id = identity(u"quote.expired."_s, d.id),
                 .kind = NotificationKind::quoteExpired,
                 .severity = NotificationSeverity::warning,
                 .title = u"Devis expiré"_s,
                 .message = number + u" — expiré depuis "_s + QString::number(-days) + u" j"_s,
                 .date = d.validityDate,
                 .systemIcon = u"calendar.badge.exclamationmark"_s,
                 .action = openDocument(d)});
    else if (days <= kQuoteSoonDays)
        out.add({.id = identity(u"quote.expiring."_s, d.id),
                 .kind = NotificationKind::quoteExpiringSoon,
                 .severity = NotificationSeverity::info,
                 .title = u"Devis bientôt expiré"_s,
                 .message = number + u" — expire dans "_s + QString::number(days) + u" j"_s,
                 .date = d.validityDate,
                 .systemIcon = u"clock.fill"_s,
                 .action = openDocument(d)});
}

void appendDocuments(const AppDatabase& db, const QDateTime& now, RuleOutput& out) {
    const StatusLists lists = StatusLists::of(db);
    QList<ProjectItem> cancelled;
    for (const ProjectItem& project : db.projects) {
        if (project.isCancelled)
            cancelled.append(project);
    }
    for (const CommercialDocumentItem& d : db.documents) {
        const QString key = statusKey(d, lists);
        if (d.kind != CommercialDocumentKind::invoice) {
            appendQuote(d, key, now, out);
            continue;
        }
        // An invoice of a cancelled activity awaits a decision on its deposit,
        // never a payment.
        const bool inCancelled = !cancelled.isEmpty() && isInCancelledActivity(d, lists, cancelled);
        if (!inCancelled)
            appendInvoice(d, key, now, out);
        else if (DepositDecision::isPending(d, inCancelled))
            out.add({.id = identity(u"acompte.decision."_s, d.id),
                     .kind = NotificationKind::acompteDecisionNeeded,
                     .severity = NotificationSeverity::critical,
                     .title = u"Décision acompte requise"_s,
                     .message = nameOr(d.number, u"Facture"_s) + u" — activité annulée"_s,
                     .date = std::nullopt,
                     .systemIcon = u"exclamationmark.circle.fill"_s,
                     .action = openDocument(d)});
    }
}

void appendUrssaf(const QList<URSSAFDeclaration>& declarations, RuleOutput& out) {
    for (const URSSAFDeclaration& d : declarations) {
        if (d.isPaid)
            continue;
        const QString period =
            (d.frequency == URSSAFDeclarationFrequency::monthly ? u"M"_s : u"T"_s) +
            QString::number(d.periodIndex) + u' ' + QString::number(d.year);
        out.add(
            {.id = identity(u"urssaf.topay."_s, d.id),
             .kind = NotificationKind::urssafToPay,
             .severity = NotificationSeverity::warning,
             .title = d.isAutoGenerated ? u"Déclaration URSSAF"_s : u"Cotisation URSSAF à payer"_s,
             .message = d.isAutoGenerated
                            ? u"Déclaration générée automatiquement, consultez l'estimation "
                              u"du paiement de cotisation pour le mois en cours."_s
                            : u"Période "_s + period,
             .date = std::nullopt,
             .systemIcon = u"building.columns.fill"_s,
             .action = {NotificationActionKind::goToAccounting, std::nullopt}});
    }
}

void appendSubscriptions(const QList<RecurringPurchase>& subscriptions, const QDateTime& now,
                         RuleOutput& out) {
    for (const RecurringPurchase& s : subscriptions) {
        if (!s.isActive)
            continue;
        const std::optional<SubscriptionDebitDate> next = nextSubscriptionDebit(s, now);
        if (!next)
            continue;
        const qint64 days = daysBetween(now, next->date);
        if (!within(days, kDebitSoonDays))
            continue;
        // Each debit has its own identity: snoozing one leaves the next alone.
        out.add({.id = identity(u"recurring.due."_s, s.id) + u'.' +
                       QString::number(next->date.toSecsSinceEpoch()),
                 .kind = NotificationKind::recurringDueSoon,
                 .severity = NotificationSeverity::info,
                 .title = u"Prélèvement à venir"_s,
                 .message = nameOr(s.name, u"Abonnement"_s) + u" — dans "_s +
                            QString::number(days) + u" j"_s,
                 .date = next->date,
                 .systemIcon = u"arrow.triangle.2.circlepath"_s,
                 .action = {NotificationActionKind::goToAccounting, std::nullopt}});
    }
}

void appendStock(const AppDatabase& db, RuleOutput& out) {
    for (const StockItem& item : db.stockItems) {
        const StockLevel level = stockLevel(item, db.stockSettings);
        if (level == StockLevel::ok)
            continue;
        const bool isOut = level == StockLevel::out;
        const QString title = nameOr(item.title, u"Article"_s);
        out.add({.id = identity(isOut ? u"stock.out."_s : u"stock.low."_s, item.id),
                 .kind = isOut ? NotificationKind::stockOut : NotificationKind::stockLow,
                 .severity = isOut ? NotificationSeverity::critical : NotificationSeverity::info,
                 .title = isOut ? u"Article en rupture"_s : u"Stock presque épuisé"_s,
                 .message = isOut ? title
                                  : title + u" — il en reste "_s +
                                        QString::number(item.quantity.value_or(0)),
                 .date = std::nullopt,
                 .systemIcon = u"shippingbox.fill"_s,
                 .action = {NotificationActionKind::openStockItem, item.id}});
    }
}

void appendTodayEvents(const QList<CustomCalendarEvent>& events, const QDateTime& now,
                       RuleOutput& out) {
    const QDate today = localDay(now);
    for (const CustomCalendarEvent& event : events) {
        if (!event.date.isValid() || localDay(event.date) != today)
            continue;
        out.add({.id = identity(u"calendar.today."_s, event.id),
                 .kind = NotificationKind::calendarEventToday,
                 .severity = NotificationSeverity::info,
                 .title = u"Événement aujourd'hui"_s,
                 .message = nameOr(event.title, u"Événement"_s),
                 .date = event.date,
                 .systemIcon = u"calendar"_s,
                 .action = {NotificationActionKind::goToCalendar, std::nullopt}});
    }
}

void appendActivities(const QList<ProjectItem>& projects, const QDateTime& now, RuleOutput& out) {
    for (const ProjectItem& p : projects) {
        if (!p.endDate || !p.endDate->isValid() || p.isCancelled)
            continue;
        const qint64 days = daysBetween(now, *p.endDate);
        if (!within(days, kActivitySoonDays))
            continue;
        out.add({.id = identity(u"project.ending."_s, p.id),
                 .kind = NotificationKind::projectEndingSoon,
                 .severity = NotificationSeverity::info,
                 .title = u"Activité bientôt terminée"_s,
                 .message = nameOr(p.title, u"Activité"_s) + u" — fin dans "_s +
                            QString::number(days) + u" j"_s,
                 .date = p.endDate,
                 .systemIcon = u"flag.fill"_s,
                 .action = {NotificationActionKind::openProject, p.id}});
    }
}

} // namespace

QList<NotificationItem> notificationItems(const AppDatabase& db, const QDateTime& now) {
    RuleOutput out;
    appendDocuments(db, now, out);
    appendUrssaf(db.urssafDeclarations, out);
    appendSubscriptions(db.recurringPurchases, now, out);
    appendStock(db, out);
    appendTodayEvents(db.customCalendarEvents, now, out);
    appendActivities(db.projects, now, out);
    return std::move(out).items();
}

bool isNotificationVisible(const QMap<QString, NotificationState>& states, const QString& id,
                           const QDateTime& now) {
    const auto found = states.constFind(id);
    if (found == states.cend())
        return true;
    return !found->neverShow && !(found->snoozedUntil && *found->snoozedUntil > now);
}

void sortNotifications(QList<NotificationItem>& items) {
    std::stable_sort(items.begin(), items.end(),
                     [](const NotificationItem& a, const NotificationItem& b) {
                         if (a.severity != b.severity)
                             return a.severity > b.severity;
                         if (a.date && b.date)
                             return *a.date < *b.date;
                         return a.date.has_value() && !b.date.has_value();
                     });
}

QList<NotificationItem> visibleNotifications(const AppDatabase& db, const QDateTime& now) {
    QList<NotificationItem> items = notificationItems(db, now);
    items.removeIf([&](const NotificationItem& item) {
        return !isNotificationVisible(db.notificationStates, item.id, now);
    });
    sortNotifications(items);
    return items;
}

} // namespace velmora
