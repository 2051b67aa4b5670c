#include "core/calendar/CalendarEvents.h"

#include "core/accounting/SubscriptionSchedule.h"
#include "core/documents/DocumentDeadlines.h"
#include "core/documents/DocumentStatus.h"
#include "core/documents/DocumentTotals.h"
#include "core/model/RawNames.h"
#include "core/text/ClientDisplayName.h"

#include <QHash>
#include <QSet>
#include <QTimeZone>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace velmora {
namespace {

constexpr int kMaxOccurrences = 500;

QString clientNameOf(const CommercialDocumentItem& document, const QHash<QUuid, QString>& names) {
    if (document.clientID) {
        if (const auto found = names.constFind(*document.clientID); found != names.cend())
            return *found;
    }
    return u"Client non renseigné"_s;
}

// The normalised status names of each kind, read once per build rather than
// once per document.
class DocumentStatusKeys {
public:
    explicit DocumentStatusKeys(const AppDatabase& db) {
        for (const TagItem& status : db.quoteStatuses)
            m_quotes.insert(status.id, normalizedStatusName(status.name));
        for (const TagItem& status : db.invoiceStatuses)
            m_invoices.insert(status.id, normalizedStatusName(status.name));
    }
    QString of(const CommercialDocumentItem& d) const {
        const auto& keys = d.kind == CommercialDocumentKind::invoice ? m_invoices : m_quotes;
        return d.statusID ? keys.value(*d.statusID, m_none) : m_none;
    }

private:
    QHash<QUuid, QString> m_quotes;
    QHash<QUuid, QString> m_invoices;
    QString m_none = normalizedStatusName(noStatusName());
};

QHash<QUuid, QString> clientNames(const QList<ClientItem>& clients) {
    QHash<QUuid, QString> names;
    for (const ClientItem& client : clients)
        names.insert(client.id, clientDisplayName(client));
    return names;
}

// Ids of one build: a random base with a running count in its last bytes,
// as fresh from build to build as one random id each and far cheaper.
QUuid nextItemId() {
    thread_local QUuid base;
    thread_local quint64 count = 0;
    if (count % 0x10000 == 0)
        base = QUuid::createUuid();
    QUuid id = base;
    const quint64 n = count++;
    id.data4[6] = static_cast<uchar>(n >> 8);
    id.data4[7] = static_cast<uchar>(n);
    return id;
}

CalendarEventItem item(const QDateTime& date, const QString& title, const QString& subtitle,
                       CalendarEventCategory category, const QString& menuKey) {
    CalendarEventItem e;
    e.id = nextItemId();
    e.date = date;
    e.title = title;
    e.subtitle = subtitle;
    e.category = category;
    e.linkedMenuKey = menuKey;
    return e;
}

CalendarEventItem documentItem(const CommercialDocumentItem& document, const QDateTime& date,
                               const QString& title, const QHash<QUuid, QString>& names,
                               CalendarEventCategory category, double amount) {
    CalendarEventItem e =
        item(date, title, clientNameOf(document, names), category, u"documents"_s);
    e.amount = amount;
    e.linkedDocumentID = document.id;
    return e;
}

void appendDocuments(const AppDatabase& db, QList<CalendarEventItem>& out) {
    const DocumentStatusKeys statuses(db);
    const QHash<QUuid, QString> names = clientNames(db.clients);
    QSet<QUuid> convertedQuotes;
    for (const CommercialDocumentItem& d : db.documents) {
        if (d.kind == CommercialDocumentKind::invoice && d.linkedQuoteID)
            convertedQuotes.insert(*d.linkedQuoteID);
    }
    for (const CommercialDocumentItem& d : db.documents) {
        const QString key = statuses.of(d);
        if (d.kind == CommercialDocumentKind::invoice) {
            if (key != StatusKeys::paid() && key != StatusKeys::cancelled() && d.dueDays > 0)
                out.append(documentItem(d, invoiceDueDate(d), u"Échéance — "_s + d.number, names,
                                        CalendarEventCategory::invoiceDue, netDue(d)));
        } else if (d.validityDate && !isSettledQuoteKey(key) && !convertedQuotes.contains(d.id)) {
            out.append(documentItem(d, *d.validityDate, u"Expiration devis — "_s + d.number, names,
                                    CalendarEventCategory::quoteExpiry, netDue(d)));
        }
    }
}

void appendSubscriptions(const QList<RecurringPurchase>& subscriptions, const QDateTime& now,
                         QList<CalendarEventItem>& out) {
    const QDateTime local = now.toLocalTime();
    const QDateTime from = local.addMonths(-3).toUTC();
    const QDateTime until = local.addYears(10).toUTC();
    for (const RecurringPurchase& s : subscriptions) {
        if (!s.isActive)
            continue;
        const QString label = displayName(s.frequency);
        for (const SubscriptionDebitDate& debit : subscriptionDebitDates(s, until)) {
            if (debit.date < from)
                continue;
            CalendarEventItem e = item(
                debit.date, s.name, debit.exceptional ? label + u" · Date exceptionnelle"_s : label,
                CalendarEventCategory::recurringPayment, u"accounting"_s);
            e.amount = s.amount;
            e.recurringPurchaseID = s.id;
            out.append(e);
        }
    }
}

QString monthAbbreviation(qint64 month) {
    static const QStringList names = {u"Jan"_s, u"Fév"_s, u"Mar"_s, u"Avr"_s, u"Mai"_s, u"Juin"_s,
                                      u"Jul"_s, u"Aoû"_s, u"Sep"_s, u"Oct"_s, u"Nov"_s, u"Déc"_s};
    return names[std::clamp<qint64>(month, 1, 12) - 1];
}

void appendUrssaf(const QList<URSSAFDeclaration>& declarations, const QDateTime& now,
                  QList<CalendarEventItem>& out) {
    for (const URSSAFDeclaration& d : declarations) {
        if (d.isPaid || !(d.cotisationAmount > 0))
            continue;
        const bool monthly = d.frequency == URSSAFDeclarationFrequency::monthly;
        // Out-of-range years or periods cannot form a date: fall back to now.
        const int year = static_cast<int>(std::clamp<qint64>(d.year, -9999, 9999));
        const qint64 month = monthly ? d.periodIndex : (d.periodIndex - 1) * 3 + 1;
        QDateTime date = now;
        if (month >= 1 && month <= 12) {
            const QDate first(year, static_cast<int>(month), 1);
            const QDateTime due(first.addMonths(monthly ? 1 : 4), QTime(0, 0),
                                QTimeZone::systemTimeZone());
            if (due.isValid())
                date = due.toUTC();
        }
        const QString period =
            monthly ? monthAbbreviation(d.periodIndex) + u' ' + QString::number(d.year)
                    : u"T"_s + QString::number(d.periodIndex) + u' ' + QString::number(d.year);
        CalendarEventItem e = item(date, u"Cotisation URSSAF"_s, period,
                                   CalendarEventCategory::urssaf, u"accounting"_s);
        e.amount = d.cotisationAmount + d.cfpAmount + d.versementLiberatoireAmount;
        e.linkedURSSAFDeclarationID = d.id;
        out.append(e);
    }
}

QList<CalendarEventItem> activityDates(const ProjectItem& project) {
    QList<CalendarEventItem> dates;
    for (const ProjectEvent& event : project.events) {
        CalendarEventItem e = item(event.date, event.name, project.title,
                                   CalendarEventCategory::projectEvent, u"projects"_s);
        e.location = event.location;
        e.durationString = event.duration;
        e.linkedProjectID = project.id;
        dates.append(e);
    }
    std::stable_sort(dates.begin(), dates.end(),
                     [](const auto& a, const auto& b) { return a.date < b.date; });
    return dates;
}

void appendActivities(const QList<ProjectItem>& projects, QList<CalendarEventItem>& out) {
    for (const ProjectItem& p : projects) {
        if (p.startDate) {
            CalendarEventItem e = item(*p.startDate, p.title, p.status,
                                       CalendarEventCategory::projectStart, u"projects"_s);
            e.linkedProjectID = p.id;
            e.subEvents = activityDates(p);
            out.append(e);
        }
    }
    for (const ProjectItem& p : projects) {
        if (p.startDate || p.events.isEmpty())
            continue;
        QList<CalendarEventItem> dates = activityDates(p);
        if (dates.size() == 1) {
            out.append(dates.first());
            continue;
        }
        CalendarEventItem group =
            item(dates.first().date, p.title, QString::number(dates.size()) + u" événements"_s,
                 CalendarEventCategory::projectEvent, u"projects"_s);
        group.linkedProjectID = p.id;
        group.subEvents = std::move(dates);
        out.append(group);
    }
    for (const ProjectItem& p : projects) {
        if (p.endDate) {
            CalendarEventItem e = item(*p.endDate, u"Fin — "_s + p.title, p.status,
                                       CalendarEventCategory::projectEnd, u"projects"_s);
            e.linkedProjectID = p.id;
            out.append(e);
        }
    }
}

void appendPayments(const AppDatabase& db, QList<CalendarEventItem>& out) {
    const DocumentStatusKeys statuses(db);
    const QHash<QUuid, QString> names = clientNames(db.clients);
    for (const CommercialDocumentItem& d : db.documents) {
        if (d.kind != CommercialDocumentKind::invoice)
            continue;
        const QString title = u"Encaissement — "_s + d.number;
        if (d.encaissements.isEmpty()) {
            if (statuses.of(d) == StatusKeys::paid() && d.encaissementDate)
                out.append(documentItem(d, *d.encaissementDate, title, names,
                                        CalendarEventCategory::encaissement, netDue(d)));
            continue;
        }
        for (const Encaissement& payment : d.encaissements)
            out.append(documentItem(d, payment.date, title, names,
                                    CalendarEventCategory::encaissement, payment.amount));
    }
}

void appendPurchases(const AppDatabase& db, QList<CalendarEventItem>& out) {
    QHash<QUuid, QString> stock;
    for (const StockItem& s : db.stockItems)
        stock.insert(s.id, s.title);
    for (const AccountingPurchaseItem& p : db.accountingPurchases) {
        QString title = p.customProductName;
        if (p.linkedStockID && stock.contains(*p.linkedStockID))
            title = stock.value(*p.linkedStockID);
        else if (title.isEmpty())
            title = u"Dépense"_s;
        CalendarEventItem e = item(p.purchaseDate, title, p.supplier,
                                   CalendarEventCategory::accountingPurchase, u"accounting"_s);
        e.amount = p.priceTTC;
        out.append(e);
    }
}

void appendCustomEvents(const AppDatabase& db, const QDateTime& now,
                        QList<CalendarEventItem>& out) {
    QHash<QUuid, QString> colors;
    for (const CustomCalendarTag& tag : db.customCalendarTags)
        colors.insert(tag.id, tag.hexColor);
    for (const CustomCalendarEvent& event : db.customCalendarEvents) {
        const QString color = event.customTagID
                                  ? colors.value(*event.customTagID, untaggedEventColor())
                                  : untaggedEventColor();
        for (const QDateTime& date : customEventOccurrences(event, now)) {
            CalendarEventItem e = item(date, event.title, event.notes,
                                       CalendarEventCategory::projectEvent, u"custom"_s);
            e.customEventID = event.id;
            e.customTagHex = color;
            e.location = event.location;
            e.isAllDay = event.isAllDay;
            out.append(e);
        }
    }
}

} // namespace

QList<QDateTime> customEventOccurrences(const CustomCalendarEvent& event, const QDateTime& now) {
    const QString rule = event.recurrence.value_or(QString());
    const QDateTime start = event.date.toLocalTime();
    const auto step = [&](int n) -> QDateTime {
        if (rule == u"daily")
            return start.addDays(n);
        if (rule == u"weekly")
            return start.addDays(7LL * n);
        if (rule == u"monthly")
            return start.addMonths(n);
        return start.addYears(n);
    };
    if (rule != u"daily" && rule != u"weekly" && rule != u"monthly" && rule != u"yearly")
        return {event.date};
    const QDateTime limit = now.toLocalTime().addYears(1);
    QList<QDateTime> dates;
    // Stepping from the start each time keeps the 31st of a month on the last
    // day of shorter months instead of drifting to the 28th.
    for (int n = 0; n < kMaxOccurrences; ++n) {
        const QDateTime next = step(n);
        if (!next.isValid() || next > limit || (!dates.isEmpty() && next <= dates.last()))
            break;
        dates.append(next.toUTC());
    }
    return dates;
}

QList<CalendarEventItem> buildCalendarEvents(const AppDatabase& db, const QDateTime& now) {
    QList<CalendarEventItem> events;
    events.reserve(db.documents.size() * 2 + db.accountingPurchases.size() +
                   db.projects.size() * 3 + db.customCalendarEvents.size() +
                   db.recurringPurchases.size() * 40);
    appendDocuments(db, events);
    appendSubscriptions(db.recurringPurchases, now, events);
    appendUrssaf(db.urssafDeclarations, now, events);
    appendActivities(db.projects, events);
    appendPayments(db, events);
    appendPurchases(db, events);
    appendCustomEvents(db, now, events);
    // Items are large: sort their keys, then move each item once. Equal dates
    // keep the order of the sources.
    QList<std::pair<qint64, qsizetype>> keys;
    keys.reserve(events.size());
    for (qsizetype i = 0; i < events.size(); ++i)
        keys.append({events[i].date.toMSecsSinceEpoch(), i});
    std::sort(keys.begin(), keys.end());
    QList<CalendarEventItem> sorted;
    sorted.reserve(events.size());
    for (const auto& key : keys)
        sorted.append(std::move(events[key.second]));
    return sorted;
}

} // namespace velmora
