#include "core/notifications/NotificationRules.h"

#include "core/accounting/SubscriptionSchedule.h"
#include "core/documents/DepositDecision.h"
#include "core/documents/DocumentDeadlines.h"
#include "core/stock/StockLevels.h"

#include <algorithm>
#include <array>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace velmora {
namespace {

// How many days ahead each "soon" rule looks, today included as day 0.
constexpr qint64 kInvoiceSoonDays = 3;
constexpr qint64 kQuoteSoonDays = 3;
constexpr qint64 kDebitSoonDays = 2;
constexpr qint64 kActivitySoonDays = 7;

constexpr std::size_t kKindCount = std::size(EnumTable<NotificationKind>::raw);

// What is fixed for each rule, in rule order: the identity's prefix, the
// severity, the title and the icon.
struct RuleTexts {
    QStringView prefix;
    NotificationSeverity severity;
    QStringView title;
    QStringView icon;
};

constexpr std::array<RuleTexts, kKindCount> kRules = {{
    {u"invoice.late.", NotificationSeverity::critical, u"Facture en retard",
     u"exclamationmark.triangle.fill"},
    {u"invoice.due.", NotificationSeverity::warning, u"Échéance proche", u"clock.fill"},
    {u"quote.expired.", NotificationSeverity::warning, u"Devis expiré",
     u"calendar.badge.exclamationmark"},
    {u"quote.expiring.", NotificationSeverity::info, u"Devis bientôt expiré", u"clock.fill"},
    {u"acompte.decision.", NotificationSeverity::critical, u"Décision acompte requise",
     u"exclamationmark.circle.fill"},
    {u"urssaf.topay.", NotificationSeverity::warning, u"Cotisation URSSAF à payer",
     u"building.columns.fill"},
    {u"recurring.due.", NotificationSeverity::info, u"Prélèvement à venir",
     u"arrow.triangle.2.circlepath"},
    {u"stock.out.", NotificationSeverity::critical, u"Article en rupture", u"shippingbox.fill"},
    {u"stock.low.", NotificationSeverity::info, u"Stock presque épuisé", u"shippingbox.fill"},
    {u"calendar.today.", NotificationSeverity::info, u"Événement aujourd'hui", u"calendar"},
    {u"project.ending.", NotificationSeverity::info, u"Activité bientôt terminée", u"flag.fill"},
}};

// The item of a rule about one record. Identities carry the UUID as the
// session file writes it, so that a state stays attached to its record from
// file to file.
NotificationItem ruleItem(NotificationKind kind, const QUuid& record, QString message,
                          std::optional<QDateTime> date, NotificationAction action) {
    const RuleTexts& rule = kRules[static_cast<std::size_t>(kind)];
    return {.id = rule.prefix.toString() + record.toString(QUuid::WithoutBraces).toUpper(),
            .kind = kind,
            .severity = rule.severity,
            .title = rule.title.toString(),
            .message = std::move(message),
            .date = std::move(date),
            .systemIcon = rule.icon.toString(),
            .action = action};
}

QString nameOr(const QString& name, const QString& fallback) {
    return name.isEmpty() ? fallback : name;
}

// "F-1 — dans 3 j": the name, the text and the count of days without sign.
QString daysMessage(const QString& name, const QString& text, qint64 days, const QString& unit) {
    return name + u" — "_s + text + QString::number(std::abs(days)) + unit;
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
        out.add(ruleItem(NotificationKind::invoiceLate, d.id,
                         daysMessage(number, {}, days, u" j de retard"_s), due, openDocument(d)));
    else if (days <= kInvoiceSoonDays)
        out.add(ruleItem(NotificationKind::invoiceDueSoon, d.id,
                         daysMessage(number, u"dans "_s, days, u" j"_s), due, openDocument(d)));
}

void appendQuote(const CommercialDocumentItem& d, const QString& key, const QDateTime& now,
                 RuleOutput& out) {
    if (!d.validityDate || !d.validityDate->isValid() || isSettledQuoteKey(key))
        return;
    const qint64 days = daysBetween(now, *d.validityDate);
    const QString number = nameOr(d.number, u"Devis"_s);
    if (days < 0)
        out.add(ruleItem(NotificationKind::quoteExpired, d.id,
                         daysMessage(number, u"expiré depuis "_s, days, u" j"_s), d.validityDate,
                         openDocument(d)));
    else if (days <= kQuoteSoonDays)
        out.add(ruleItem(NotificationKind::quoteExpiringSoon, d.id,
                         daysMessage(number, u"expire dans "_s, days, u" j"_s), d.validityDate,
                         openDocument(d)));
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
            out.add(ruleItem(NotificationKind::acompteDecisionNeeded, d.id,
                             nameOr(d.number, u"Facture"_s) + u" — activité annulée"_s,
                             std::nullopt, openDocument(d)));
    }
}

void appendUrssaf(const QList<URSSAFDeclaration>& declarations, RuleOutput& out) {
    for (const URSSAFDeclaration& d : declarations) {
        if (d.isPaid)
            continue;
        const QString period =
            (d.frequency == URSSAFDeclarationFrequency::monthly ? u"M"_s : u"T"_s) +
            QString::number(d.periodIndex) + u' ' + QString::number(d.year);
        NotificationItem item =
            ruleItem(NotificationKind::urssafToPay, d.id, u"Période "_s + period, std::nullopt,
                     {NotificationActionKind::goToAccounting, std::nullopt});
        // The estimate of the current month is a declaration of its own kind.
        if (d.isAutoGenerated) {
            item.title = u"Déclaration URSSAF"_s;
            item.message = u"Déclaration générée automatiquement, consultez l'estimation du "
                           u"paiement de cotisation pour le mois en cours."_s;
        }
        out.add(std::move(item));
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
        NotificationItem item =
            ruleItem(NotificationKind::recurringDueSoon, s.id,
                     daysMessage(nameOr(s.name, u"Abonnement"_s), u"dans "_s, days, u" j"_s),
                     next->date, {NotificationActionKind::goToAccounting, std::nullopt});
        // Each debit has its own identity: snoozing one leaves the next alone.
        item.id += u'.' + QString::number(next->date.toSecsSinceEpoch());
        out.add(std::move(item));
    }
}

void appendStock(const AppDatabase& db, RuleOutput& out) {
    for (const StockItem& item : db.stockItems) {
        const StockLevel level = stockLevel(item, db.stockSettings);
        const QString title = nameOr(item.title, u"Article"_s);
        const NotificationAction open{NotificationActionKind::openStockItem, item.id};
        if (level == StockLevel::out)
            out.add(ruleItem(NotificationKind::stockOut, item.id, title, std::nullopt, open));
        else if (level == StockLevel::low)
            out.add(
                ruleItem(NotificationKind::stockLow, item.id,
                         title + u" — il en reste "_s + QString::number(item.quantity.value_or(0)),
                         std::nullopt, open));
    }
}

void appendTodayEvents(const QList<CustomCalendarEvent>& events, const QDateTime& now,
                       RuleOutput& out) {
    const QDate today = localDay(now);
    for (const CustomCalendarEvent& event : events) {
        if (event.date.isValid() && localDay(event.date) == today)
            out.add(ruleItem(NotificationKind::calendarEventToday, event.id,
                             nameOr(event.title, u"Événement"_s), event.date,
                             {NotificationActionKind::goToCalendar, std::nullopt}));
    }
}

void appendActivities(const QList<ProjectItem>& projects, const QDateTime& now, RuleOutput& out) {
    for (const ProjectItem& p : projects) {
        if (!p.endDate || !p.endDate->isValid() || p.isCancelled)
            continue;
        const qint64 days = daysBetween(now, *p.endDate);
        if (within(days, kActivitySoonDays))
            out.add(
                ruleItem(NotificationKind::projectEndingSoon, p.id,
                         daysMessage(nameOr(p.title, u"Activité"_s), u"fin dans "_s, days, u" j"_s),
                         p.endDate, {NotificationActionKind::openProject, p.id}));
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

bool isNotificationToastDue(const QMap<QString, NotificationState>& states, const QString& id) {
    const auto found = states.constFind(id);
    return found == states.cend() || (!found->firstToastedAt && !found->toastDismissed);
}

QDateTime nextNotificationChange(const QMap<QString, NotificationState>& states,
                                 const QDateTime& now) {
    QDateTime next = QDateTime(now.toLocalTime().date().addDays(1), QTime(0, 0)).toUTC();
    for (const NotificationState& state : states)
        if (state.snoozedUntil && *state.snoozedUntil > now && *state.snoozedUntil < next)
            next = *state.snoozedUntil;
    return next;
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
