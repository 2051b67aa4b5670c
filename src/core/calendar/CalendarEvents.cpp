#include "core/calendar/CalendarEvents.h"

#include "core/calendar/LocalZoneTable.h"

#include "core/accounting/SubscriptionSchedule.h"
#include "core/documents/DocumentDeadlines.h"
#include "core/documents/DocumentStatus.h"
#include "core/documents/DocumentTotals.h"
#include "core/model/RawNames.h"
#include "core/text/ClientDisplayName.h"

#include <QHash>
#include <QSet>
#include <QStringBuilder>
#include <QTimeZone>

#include <algorithm>
#include <array>

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
    const QString& of(const CommercialDocumentItem& d) const {
        const auto& keys = d.kind == CommercialDocumentKind::invoice ? m_invoices : m_quotes;
        if (d.statusID) {
            if (const auto found = keys.constFind(*d.statusID); found != keys.cend())
                return *found;
        }
        return m_none;
    }

private:
    QHash<QUuid, QString> m_quotes;
    QHash<QUuid, QString> m_invoices;
    QString m_none = normalizedStatusName(noStatusName());
};

QHash<QUuid, QString> clientNames(const QList<ClientItem>& clients) {
    QHash<QUuid, QString> names;
    names.reserve(clients.size());
    for (const ClientItem& client : clients)
        names.insert(client.id, clientDisplayName(client));
    return names;
}

// What the document and payment sources read of the rest of the session.
struct DocumentContext {
    explicit DocumentContext(const AppDatabase& db)
        : statuses(db), names(clientNames(db.clients)) {}
    DocumentStatusKeys statuses;
    QHash<QUuid, QString> names;
};

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

// Items are large: each is made in its place at the end of the list rather
// than moved there.
CalendarEventItem& appendItem(QList<CalendarEventItem>& out, const QDateTime& date,
                              const QString& title, const QString& subtitle,
                              CalendarEventCategory category, const QString& menuKey) {
    CalendarEventItem& e = out.emplaceBack();
    e.id = nextItemId();
    e.date = date;
    e.title = title;
    e.subtitle = subtitle;
    e.category = category;
    e.linkedMenuKey = menuKey;
    return e;
}

void appendDocumentItem(QList<CalendarEventItem>& out, const CommercialDocumentItem& document,
                        const QDateTime& date, const QString& title,
                        const QHash<QUuid, QString>& names, CalendarEventCategory category,
                        double amount) {
    CalendarEventItem& e =
        appendItem(out, date, title, clientNameOf(document, names), category, u"documents"_s);
    e.amount = amount;
    e.linkedDocumentID = document.id;
}

// The invoice's due date, through the table unless its day and time lie
// near a change of offset.
QDateTime dueDate(const CommercialDocumentItem& invoice, const LocalZoneTable& zone) {
    if (const auto issued = zone.local(invoice.issueDate)) {
        if (const auto due = zone.utc(issued->first.addDays(invoice.dueDays), issued->second))
            return *due;
    }
    return invoiceDueDate(invoice);
}

void appendDocuments(const AppDatabase& db, const DocumentContext& context,
                     const LocalZoneTable& zone, QList<CalendarEventItem>& out) {
    const auto& [statuses, names] = context;
    QSet<QUuid> convertedQuotes;
    for (const CommercialDocumentItem& d : db.documents) {
        if (d.kind == CommercialDocumentKind::invoice && d.linkedQuoteID)
            convertedQuotes.insert(*d.linkedQuoteID);
    }
    for (const CommercialDocumentItem& d : db.documents) {
        const QString& key = statuses.of(d);
        if (d.kind == CommercialDocumentKind::invoice) {
            if (key != StatusKeys::paid() && key != StatusKeys::cancelled() && d.dueDays > 0)
                appendDocumentItem(out, d, dueDate(d, zone), u"Échéance — " % d.number, names,
                                   CalendarEventCategory::invoiceDue, netDue(d));
        } else if (d.validityDate && !isSettledQuoteKey(key) && !convertedQuotes.contains(d.id)) {
            appendDocumentItem(out, d, *d.validityDate, u"Expiration devis — " % d.number, names,
                               CalendarEventCategory::quoteExpiry, netDue(d));
        }
    }
}

void appendSubscriptions(const QList<RecurringPurchase>& subscriptions, const QDateTime& now,
                         const LocalZoneTable& zone, QList<CalendarEventItem>& out) {
    const QDateTime local = now.toLocalTime();
    const QDateTime from = local.addMonths(-3).toUTC();
    const QDateTime until = local.addYears(10).toUTC();
    for (const RecurringPurchase& s : subscriptions) {
        if (!s.isActive)
            continue;
        const QString label = displayName(s.frequency);
        for (const SubscriptionDebitDate& debit : subscriptionDebitDates(s, from, until, &zone)) {
            CalendarEventItem& e =
                appendItem(out, debit.date, s.name,
                           debit.exceptional ? label + u" · Date exceptionnelle"_s : label,
                           CalendarEventCategory::recurringPayment, u"accounting"_s);
            e.amount = s.amount;
            e.recurringPurchaseID = s.id;
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
        CalendarEventItem& e = appendItem(out, date, u"Cotisation URSSAF"_s, period,
                                          CalendarEventCategory::urssaf, u"accounting"_s);
        e.amount = d.cotisationAmount + d.cfpAmount + d.versementLiberatoireAmount;
        e.linkedURSSAFDeclarationID = d.id;
    }
}

QList<CalendarEventItem> activityDates(const ProjectItem& project) {
    QList<CalendarEventItem> dates;
    for (const ProjectEvent& event : project.events) {
        CalendarEventItem& e = appendItem(dates, event.date, event.name, project.title,
                                          CalendarEventCategory::projectEvent, u"projects"_s);
        e.location = event.location;
        e.durationString = event.duration;
        e.linkedProjectID = project.id;
    }
    std::stable_sort(dates.begin(), dates.end(),
                     [](const auto& a, const auto& b) { return a.date < b.date; });
    return dates;
}

void appendActivities(const QList<ProjectItem>& projects, QList<CalendarEventItem>& out) {
    for (const ProjectItem& p : projects) {
        if (p.startDate) {
            CalendarEventItem& e = appendItem(out, *p.startDate, p.title, p.status,
                                              CalendarEventCategory::projectStart, u"projects"_s);
            e.linkedProjectID = p.id;
            e.subEvents = activityDates(p);
        }
    }
    for (const ProjectItem& p : projects) {
        if (p.startDate || p.events.isEmpty())
            continue;
        QList<CalendarEventItem> dates = activityDates(p);
        if (dates.size() == 1) {
            out.append(std::move(dates.first()));
            continue;
        }
        CalendarEventItem& group = appendItem(out, dates.first().date, p.title,
                                              QString::number(dates.size()) + u" événements"_s,
                                              CalendarEventCategory::projectEvent, u"projects"_s);
        group.linkedProjectID = p.id;
        group.subEvents = std::move(dates);
    }
    for (const ProjectItem& p : projects) {
        if (p.endDate) {
            CalendarEventItem& e = appendItem(out, *p.endDate, u"Fin — "_s + p.title, p.status,
                                              CalendarEventCategory::projectEnd, u"projects"_s);
            e.linkedProjectID = p.id;
        }
    }
}

void appendPayments(const AppDatabase& db, const DocumentContext& context,
                    QList<CalendarEventItem>& out) {
    const auto& [statuses, names] = context;
    for (const CommercialDocumentItem& d : db.documents) {
        if (d.kind != CommercialDocumentKind::invoice)
            continue;
        if (d.encaissements.isEmpty()) {
            if (d.encaissementDate && statuses.of(d) == StatusKeys::paid())
                appendDocumentItem(out, d, *d.encaissementDate, u"Encaissement — " % d.number,
                                   names, CalendarEventCategory::encaissement, netDue(d));
            continue;
        }
        const QString title = u"Encaissement — " % d.number;
        for (const Encaissement& payment : d.encaissements)
            appendDocumentItem(out, d, payment.date, title, names,
                               CalendarEventCategory::encaissement, payment.amount);
    }
}

void appendPurchases(const AppDatabase& db, QList<CalendarEventItem>& out) {
    QHash<QUuid, const QString*> stock;
    stock.reserve(db.stockItems.size());
    for (const StockItem& s : db.stockItems)
        stock.insert(s.id, &s.title);
    for (const AccountingPurchaseItem& p : db.accountingPurchases) {
        const QString* stockTitle = p.linkedStockID ? stock.value(*p.linkedStockID) : nullptr;
        const QString& title = stockTitle                      ? *stockTitle
                               : p.customProductName.isEmpty() ? u"Dépense"_s
                                                               : p.customProductName;
        CalendarEventItem& e =
            appendItem(out, p.purchaseDate, title, p.supplier,
                       CalendarEventCategory::accountingPurchase, u"accounting"_s);
        e.amount = p.priceTTC;
        e.linkedPurchaseID = p.id;
    }
}

enum class Repetition { daily, weekly, monthly, yearly };

std::optional<Repetition> repetitionOf(const std::optional<QString>& rule) {
    if (rule == u"daily")
        return Repetition::daily;
    if (rule == u"weekly")
        return Repetition::weekly;
    if (rule == u"monthly")
        return Repetition::monthly;
    if (rule == u"yearly")
        return Repetition::yearly;
    return std::nullopt;
}

// The n-th repetition of a day or of a moment.
template <class Moment> Moment stepped(const Moment& start, Repetition repetition, int n) {
    switch (repetition) {
    case Repetition::daily:
        return start.addDays(n);
    case Repetition::weekly:
        return start.addDays(7LL * n);
    case Repetition::monthly:
        return start.addMonths(n);
    case Repetition::yearly:
        break;
    }
    return start.addYears(n);
}

using SortKeys = QList<std::pair<qint64, qsizetype>>;

// Orders the keys by date, equal dates keeping their order: a radix sort on
// bytes, a few times faster than comparing; the bytes that all the dates
// share, the high ones, cost one counting pass each.
void sortKeys(SortKeys& keys) {
    SortKeys buffer(keys.size());
    for (int shift = 0; shift < 64; shift += 8) {
        const auto digit = [shift](qint64 key) {
            // The sign bit flipped, so that dates before 1970 come first.
            return (quint64(key) ^ (quint64(1) << 63)) >> shift & 0xFF;
        };
        std::array<qsizetype, 257> starts{};
        for (const auto& key : std::as_const(keys))
            ++starts[digit(key.first) + 1];
        if (std::any_of(starts.cbegin() + 1, starts.cend(),
                        [&](qsizetype count) { return count == keys.size(); }))
            continue;
        for (std::size_t d = 1; d < starts.size(); ++d)
            starts[d] += starts[d - 1];
        for (const auto& key : std::as_const(keys))
            buffer[starts[digit(key.first)]++] = key;
        keys.swap(buffer);
    }
}

// Items are large: sort their keys, then move each item once, in place,
// following the cycles of the order. Equal dates keep the order of the
// sources.
void sortByDate(QList<CalendarEventItem>& events) {
    SortKeys keys;
    keys.reserve(events.size());
    for (qsizetype i = 0; i < events.size(); ++i)
        keys.append({events[i].date.toMSecsSinceEpoch(), i});
    sortKeys(keys);
    CalendarEventItem* items = events.data();
    for (qsizetype i = 0; i < keys.size(); ++i) {
        if (keys[i].second == i)
            continue;
        CalendarEventItem held = std::move(items[i]);
        qsizetype to = i;
        for (qsizetype from = keys[to].second; from != i; from = keys[to].second) {
            items[to] = std::move(items[from]);
            keys[to].second = to;
            to = from;
        }
        items[to] = std::move(held);
        keys[to].second = to;
    }
}

// The n-th occurrence in UTC: the local day stepped, at the start's local
// time; through the table when that time is clear of any change of offset.
QDateTime occurrenceAt(const QDateTime& start, Repetition repetition, int n,
                       const LocalZoneTable& zone) {
    if (const auto moment = zone.utc(stepped(start.date(), repetition, n), start.time()))
        return *moment;
    return stepped(start, repetition, n).toUTC();
}

QList<QDateTime> occurrences(const CustomCalendarEvent& event, const QDateTime& now,
                             const LocalZoneTable& zone) {
    const std::optional<Repetition> repetition = repetitionOf(event.recurrence);
    if (!repetition)
        return {event.date};
    const QDateTime start = event.date.toLocalTime();
    const QDateTime limit = now.toLocalTime().addYears(1).toUTC();
    QList<QDateTime> dates;
    // Stepping from the start each time keeps the 31st of a month on the last
    // day of shorter months instead of drifting to the 28th. Each occurrence
    // is converted to UTC once and compared there.
    for (int n = 0; n < kMaxOccurrences; ++n) {
        const QDateTime next = occurrenceAt(start, *repetition, n, zone);
        if (!next.isValid() || next > limit || (!dates.isEmpty() && next <= dates.last()))
            break;
        dates.append(next);
    }
    return dates;
}

void appendCustomEvents(const AppDatabase& db, const QDateTime& now, const LocalZoneTable& zone,
                        QList<CalendarEventItem>& out) {
    QHash<QUuid, QString> colors;
    for (const CustomCalendarTag& tag : db.customCalendarTags)
        colors.insert(tag.id, tag.hexColor);
    for (const CustomCalendarEvent& event : db.customCalendarEvents) {
        const QString color = event.customTagID
                                  ? colors.value(*event.customTagID, untaggedEventColor())
                                  : untaggedEventColor();
        for (const QDateTime& date : occurrences(event, now, zone)) {
            CalendarEventItem& e = appendItem(out, date, event.title, event.notes,
                                              CalendarEventCategory::projectEvent, u"custom"_s);
            e.customEventID = event.id;
            e.customTagHex = color;
            e.location = event.location;
            e.isAllDay = event.isAllDay;
        }
    }
}

// The table spans the dates a build converts: from the earliest user event,
// invoice or subscription start, twenty years back at most, to a year past
// the subscriptions' horizon. Anything outside is converted one by one.
LocalZoneTable zoneTableFor(const AppDatabase& db, const QDateTime& now) {
    QDateTime from = now;
    for (const CustomCalendarEvent& event : db.customCalendarEvents)
        from = std::min(from, event.date);
    for (const CommercialDocumentItem& d : db.documents)
        from = std::min(from, d.issueDate);
    for (const RecurringPurchase& s : db.recurringPurchases)
        from = std::min(from, s.startDate);
    return {std::max(from, now.addYears(-20)), now.addYears(11)};
}

} // namespace

QList<QDateTime> customEventOccurrences(const CustomCalendarEvent& event, const QDateTime& now) {
    return occurrences(event, now, LocalZoneTable(event.date, now.addYears(2)));
}

QList<CalendarEventItem> buildCalendarEvents(const AppDatabase& db, const QDateTime& now) {
    QList<CalendarEventItem> events;
    events.reserve(db.documents.size() * 2 + db.accountingPurchases.size() +
                   db.projects.size() * 3 + db.customCalendarEvents.size() +
                   db.recurringPurchases.size() * 40);
    const DocumentContext documents(db);
    const LocalZoneTable zone = zoneTableFor(db, now);
    appendDocuments(db, documents, zone, events);
    appendSubscriptions(db.recurringPurchases, now, zone, events);
    appendUrssaf(db.urssafDeclarations, now, events);
    appendActivities(db.projects, events);
    appendPayments(db, documents, events);
    appendPurchases(db, events);
    appendCustomEvents(db, now, zone, events);
    sortByDate(events);
    return events;
}

} // namespace velmora
