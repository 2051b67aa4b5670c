#include "core/documents/DocumentTotals.h"

#include <algorithm>

namespace velmora {
namespace {

bool isService(const CommercialDocumentLine& line) {
    return line.kind == CommercialDocumentLineKind::service;
}

double lineTTC(const CommercialDocumentLine& line) {
    return lineNetAmount(line) * (1 + line.tvaRate / 100);
}

double sumOfServices(const QList<CommercialDocumentLine>& lines, bool offered, bool all,
                     double (*amount)(const CommercialDocumentLine&)) {
    double sum = 0;
    for (const CommercialDocumentLine& line : lines) {
        if (isService(line) && (all || line.isOffered == offered))
            sum += amount(line);
    }
    return sum;
}

// The discounts, given the total of the services they may apply to.
double discountTotalOver(const QList<CommercialDocumentLine>& lines, double services) {
    double total = 0;
    for (const CommercialDocumentLine& line : lines) {
        if (line.kind != CommercialDocumentLineKind::discount)
            continue;
        double base = services;
        if (line.discountLinkedLineID) {
            const auto target =
                std::find_if(lines.cbegin(), lines.cend(), [&](const CommercialDocumentLine& l) {
                    return l.id == *line.discountLinkedLineID;
                });
            // A link to a missing or non-service line falls back to all services.
            if (target != lines.cend() && isService(*target))
                base = target->isOffered ? 0 : lineTTC(*target);
        }
        total += line.discountIsPercent ? base * line.priceTTC / 100 : line.priceTTC;
    }
    return total;
}

// Due before clamping: a discount larger than the services makes it negative.
double unclampedDue(const QList<CommercialDocumentLine>& lines) {
    const double services = servicesTotalTTC(lines);
    return services - discountTotalOver(lines, services) - depositTotal(lines);
}

} // namespace

double effectiveUnitPrice(const CommercialDocumentLine& line) {
    if (!line.lineDiscountEnabled || !(line.lineDiscountValue > 0))
        return line.priceTTC;
    const double reduced = line.lineDiscountIsPercent
                               ? line.priceTTC * (1 - line.lineDiscountValue / 100)
                               : line.priceTTC - line.lineDiscountValue;
    return std::max(0.0, reduced);
}

double lineNetAmount(const CommercialDocumentLine& line) {
    return isService(line) ? effectiveUnitPrice(line) * line.quantity : line.priceTTC;
}

double servicesTotalHT(const QList<CommercialDocumentLine>& lines) {
    return sumOfServices(lines, false, false, lineNetAmount);
}

double servicesTotalTVA(const QList<CommercialDocumentLine>& lines) {
    return sumOfServices(lines, false, false, [](const CommercialDocumentLine& line) {
        return lineNetAmount(line) * line.tvaRate / 100;
    });
}

double servicesTotalTTC(const QList<CommercialDocumentLine>& lines) {
    return sumOfServices(lines, false, false, lineTTC);
}

double offeredTotalTTC(const QList<CommercialDocumentLine>& lines) {
    return sumOfServices(lines, true, false, lineTTC);
}

double grossServicesTTC(const QList<CommercialDocumentLine>& lines) {
    return sumOfServices(lines, false, true, lineTTC);
}

double discountTotal(const QList<CommercialDocumentLine>& lines) {
    return discountTotalOver(lines, servicesTotalTTC(lines));
}

double depositTotal(const QList<CommercialDocumentLine>& lines) {
    double total = 0;
    for (const CommercialDocumentLine& line : lines) {
        if (line.kind == CommercialDocumentLineKind::deposit)
            total += line.priceTTC;
    }
    return total;
}

double paymentsTotal(const CommercialDocumentItem& document) {
    double total = 0;
    for (const Encaissement& payment : document.encaissements)
        total += payment.amount;
    return total;
}

double paymentsAgainstDue(const CommercialDocumentItem& document) {
    double deposits = 0;
    double others = 0;
    for (const Encaissement& payment : document.encaissements)
        (payment.isAcompte ? deposits : others) += payment.amount;
    return others + std::max(0.0, deposits - depositTotal(document.lines));
}

double netDue(const CommercialDocumentItem& document) {
    return std::max(0.0, unclampedDue(document.lines));
}

double remainingDue(const CommercialDocumentItem& document) {
    return std::max(0.0, netDue(document) - paymentsAgainstDue(document));
}

bool isFullyPaid(const CommercialDocumentItem& document) {
    const double due = unclampedDue(document.lines);
    if (due <= 0)
        return false;
    return paymentsAgainstDue(document) >= due - kPaymentTolerance;
}

} // namespace velmora
