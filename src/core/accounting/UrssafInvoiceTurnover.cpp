#include "core/accounting/UrssafInvoiceTurnover.h"

#include "core/accounting/RecipeBook.h"
#include "core/documents/DocumentTotals.h"

#include <QHash>
#include <QTimeZone>

#include <algorithm>

namespace velmora {
namespace {

// The period as a span of moments, so that each invoice date is compared
// without a conversion to local time.
// A period that names no month (a quarter 5, year 0) holds nothing.
struct Span {
    qint64 begin = 0;
    qint64 end = 0;

    explicit Span(const UrssafPeriod& period) {
        const QList<int> months = urssafPeriodMonths(period.index, period.frequency);
        const QDate first(period.year, months.first(), 1);
        if (months.last() > 12 || !first.isValid())
            return;
        const QTimeZone zone = QTimeZone::systemTimeZone();
        begin = first.startOfDay(zone).toMSecsSinceEpoch();
        end = first.addMonths(int(months.size())).startOfDay(zone).toMSecsSinceEpoch();
    }
    bool isEmpty() const { return begin >= end; }
    bool contains(const QDateTime& moment) const {
        const qint64 at = moment.toMSecsSinceEpoch();
        return at >= begin && at < end;
    }
};

// The share of the net due the payments kept in the book cover, at most all
// of it; an invoice paid without recorded payments counts in full.
double paidShare(const CommercialDocumentItem& invoice, const RecipeInvoiceSelection& selection,
                 double due) {
    if (invoice.encaissements.isEmpty() || !(due > 0))
        return 1;
    double paid = 0;
    for (const Encaissement& payment : invoice.encaissements) {
        if (!selection.excludesPayment(payment.id))
            paid += payment.amount;
    }
    return std::min(1.0, paid / due);
}

double& categoryOf(UrssafTurnover& turnover, ServicePrestationType type) {
    switch (type) {
    case ServicePrestationType::ventesMarchandises:
        return turnover.sales;
    case ServicePrestationType::prestationsCommercialesBIC:
        return turnover.bic;
    case ServicePrestationType::prestationsLiberalesBNC:
        break;
    }
    return turnover.bnc;
}

} // namespace

UrssafTurnover urssafInvoiceTurnover(const AppDatabase& db, const UrssafPeriod& period,
                                     UrssafLineCategory category) {
    UrssafTurnover turnover;
    const Span span(period);
    if (span.isEmpty())
        return turnover;
    const RecipeInvoiceSelection selection(db);
    QHash<QUuid, ServicePrestationType> catalogue;
    if (category == UrssafLineCategory::catalogueService) {
        catalogue.reserve(db.services.size());
        for (const ServiceItem& service : db.services)
            catalogue.insert(service.id, service.prestationType);
    }
    for (const CommercialDocumentItem& invoice : db.documents) {
        if (invoice.kind != CommercialDocumentKind::invoice ||
            !span.contains(invoice.encaissementDate.value_or(invoice.issueDate)) ||
            !selection.contains(invoice))
            continue;
        const double due = netDue(invoice);
        const double services = servicesTotalTTC(invoice.lines);
        const double factor =
            paidShare(invoice, selection, due) * (services > 0 ? due / services : 1.0);
        for (const CommercialDocumentLine& line : invoice.lines) {
            if (line.kind != CommercialDocumentLineKind::service || line.isOffered)
                continue;
            ServicePrestationType type = line.prestationType;
            if (category == UrssafLineCategory::catalogueService) {
                type = line.linkedServiceID
                           ? catalogue.value(*line.linkedServiceID,
                                             ServicePrestationType::prestationsLiberalesBNC)
                           : ServicePrestationType::prestationsLiberalesBNC;
            }
            categoryOf(turnover, type) += factor * effectiveUnitPrice(line) * line.quantity;
        }
    }
    return turnover;
}

} // namespace velmora
