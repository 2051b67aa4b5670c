#include "core/documents/DocumentDeadlines.h"

#include "core/documents/DocumentTotals.h"

#include <algorithm>

namespace velmora {
namespace {

// How far ahead a quote's validity or an invoice's due day counts as "soon".
constexpr qint64 kSoonDays = 7;

bool isDraft(const QString& key) {
    return key == StatusKeys::draft();
}

// Nothing is awaited from an invoice marked paid or whose payments cover it,
// whatever status the user left it in.
bool isSettledInvoice(const CommercialDocumentItem& invoice, const QString& key) {
    return key == StatusKeys::paid() || isFullyPaid(invoice);
}

} // namespace

QDate localDay(const QDateTime& moment) {
    return moment.toLocalTime().date();
}

qint64 daysBetween(const QDateTime& from, const QDateTime& to) {
    return localDay(from).daysTo(localDay(to));
}

bool isSettledQuoteKey(const QString& key) {
    return key == StatusKeys::draft() || key == StatusKeys::accepted() ||
           key == StatusKeys::validated() || key == StatusKeys::refused() ||
           key == StatusKeys::paid();
}

bool isExpiredQuote(const CommercialDocumentItem& document, const StatusLists& lists,
                    const QDateTime& now) {
    if (document.kind != CommercialDocumentKind::quote || !document.validityDate)
        return false;
    if (isSettledQuoteKey(statusKey(document, lists)))
        return false;
    return localDay(*document.validityDate) < localDay(now);
}

QDateTime invoiceDueDate(const CommercialDocumentItem& invoice) {
    if (invoice.dueDays == 0)
        return invoice.issueDate;
    // Calendar days of the local time zone, so that a change of daylight
    // saving time does not move the due day. Made from its day and time, the
    // due date-time costs one conversion fewer than by stepping the issue's;
    // only a time that summer time skips needs the stepping's adjustment.
    const QDateTime issued = invoice.issueDate.toLocalTime();
    const QDateTime due(issued.date().addDays(invoice.dueDays), issued.time(), Qt::LocalTime);
    return (due.isValid() ? due : issued.addDays(invoice.dueDays)).toUTC();
}

qint64 daysLate(const CommercialDocumentItem& document, const StatusLists& lists,
                const QDateTime& now) {
    if (document.kind != CommercialDocumentKind::invoice)
        return 0;
    const QString key = statusKey(document, lists);
    if (isDraft(key) || key == StatusKeys::paid())
        return 0;
    const QDateTime due = invoiceDueDate(document);
    if (!due.isValid())
        return 0;
    const qint64 days = daysBetween(due, now);
    // The totals are only worth summing for an invoice past its day.
    return days > 0 && !isSettledInvoice(document, key) ? days : 0;
}

bool isLateInvoice(const CommercialDocumentItem& document, const StatusLists& lists,
                   const QDateTime& now) {
    return daysLate(document, lists, now) >= 1;
}

bool isInCancelledActivity(const CommercialDocumentItem& document, const StatusLists& lists,
                           const QList<ProjectItem>& projects) {
    if (isDraft(statusKey(document, lists)))
        return false;
    return std::any_of(projects.cbegin(), projects.cend(), [&](const ProjectItem& project) {
        return project.isCancelled && document.linkedProjectIDs.contains(project.id);
    });
}

QStringList alertFilterValues(const CommercialDocumentItem& document, const StatusLists& lists,
                              const QList<ProjectItem>& projects, const QDateTime& now) {
    QStringList values;
    const QString key = statusKey(document, lists);
    const bool cancelled = isInCancelledActivity(document, lists, projects);
    if (document.kind == CommercialDocumentKind::quote) {
        if (isExpiredQuote(document, lists, now))
            values << QStringLiteral("expired");
        if (!isDraft(key) && document.validityDate) {
            const qint64 left = daysBetween(now, *document.validityDate);
            if (left >= 0 && left <= kSoonDays)
                values << QStringLiteral("soon");
            if (left >= 0)
                values << QStringLiteral("valid");
        }
    } else {
        if (isLateInvoice(document, lists, now))
            values << QStringLiteral("late");
        else if (!isDraft(key) && !isSettledInvoice(document, key) && !cancelled) {
            // Not yet late: due within the week.
            const qint64 left = daysBetween(now, invoiceDueDate(document));
            if (left >= 0 && left <= kSoonDays)
                values << QStringLiteral("soon");
        }
        if (document.acompteRefundStatus == AcompteRefundStatus::refunded)
            values << QStringLiteral("acompte_rembourse");
        if (document.acompteRefundStatus == AcompteRefundStatus::kept)
            values << QStringLiteral("acompte_conserve");
    }
    if (cancelled)
        values << QStringLiteral("cancelled");
    return values;
}

QString soonLabel(CommercialDocumentKind kind) {
    return kind == CommercialDocumentKind::invoice ? QStringLiteral("Bientôt à échéance")
                                                   : QStringLiteral("Bientôt expiré");
}

QString paymentTermsText(qint64 dueDays) {
    return dueDays == 0 ? QStringLiteral("Paiement immédiat")
                        : QString::number(dueDays) + QStringLiteral(" jours");
}

} // namespace velmora
