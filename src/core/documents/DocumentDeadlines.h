#pragma once

#include "core/documents/DocumentStatus.h"

#include <QDate>
#include <QDateTime>
#include <QStringList>

#include <optional>

namespace velmora {

// Calendar days in the local time zone: a count between two moments is the
// number of whole days between the starts of their days.
QDate localDay(const QDateTime& moment);
qint64 daysBetween(const QDateTime& from, const QDateTime& to);

// A quote is settled once drafted, accepted, validated, refused or paid.
bool isSettledQuoteKey(const QString& key);
// A quote past its validity day that nobody answered; valid until the end of
// its validity day.
bool isExpiredQuote(const CommercialDocumentItem& document, const StatusLists& lists,
                    const QDateTime& now);

// The issue date plus the payment term in calendar days.
QDateTime invoiceDueDate(const CommercialDocumentItem& invoice);
// Whole days past the due day of an issued invoice neither marked paid nor
// fully paid; 0 when not late.
qint64 daysLate(const CommercialDocumentItem& document, const StatusLists& lists,
                const QDateTime& now);
bool isLateInvoice(const CommercialDocumentItem& document, const StatusLists& lists,
                   const QDateTime& now);

// An issued document linked to at least one cancelled activity counts as
// cancelled everywhere, whatever its status.
bool isInCancelledActivity(const CommercialDocumentItem& document, const StatusLists& lists,
                           const QList<ProjectItem>& projects);

// The values of the document list's alert filter that the document matches:
// "expired", "soon", "valid", "late", "cancelled", "acompte_rembourse",
// "acompte_conserve".
QStringList alertFilterValues(const CommercialDocumentItem& document, const StatusLists& lists,
                              const QList<ProjectItem>& projects, const QDateTime& now);
// "Bientôt expiré" for quotes, "Bientôt à échéance" for invoices.
QString soonLabel(CommercialDocumentKind kind);

// How the editor shows the payment term.
QString paymentTermsText(qint64 dueDays);

} // namespace velmora
