#pragma once

#include "core/model/CommercialDocumentItem.h"

#include <QList>

namespace velmora {

// Every amount of a quote or invoice is derived here from its lines and its
// payments. Nothing is rounded: rounding belongs to display only.

// The unit price after the line's own reduction, never below 0.
double effectiveUnitPrice(const CommercialDocumentLine& line);
// A service line's effective price × quantity (offered or not); the stored
// value of a discount or deposit line.
double lineNetAmount(const CommercialDocumentLine& line);

double servicesTotalHT(const QList<CommercialDocumentLine>& lines);
double servicesTotalTVA(const QList<CommercialDocumentLine>& lines);
double servicesTotalTTC(const QList<CommercialDocumentLine>& lines);
// What the offered service lines would have cost, tax included.
double offeredTotalTTC(const QList<CommercialDocumentLine>& lines);
// Every service line, offered ones included, tax included.
double grossServicesTTC(const QList<CommercialDocumentLine>& lines);
// Discounts apply to amounts tax included and are not capped.
double discountTotal(const QList<CommercialDocumentLine>& lines);
double depositTotal(const QList<CommercialDocumentLine>& lines);

// Sum of every payment, deposits and refunded ones included: the money
// received, as the recipe book records it.
double paymentsTotal(const CommercialDocumentItem& document);
// What the payments settle of the net due. The net due already deducts the
// deposit lines, so deposit payments first cover those lines and only what
// exceeds them counts; without deposit lines they count in full. Refunded
// payments count like the others.
double paymentsAgainstDue(const CommercialDocumentItem& document);
// The "total à payer": services − discounts − deposit lines, at least 0.
double netDue(const CommercialDocumentItem& document);
// "Reste à payer": the net due less the payments against it, at least 0.
double remainingDue(const CommercialDocumentItem& document);
// Settled within one cent; a document with nothing due is never settled.
bool isFullyPaid(const CommercialDocumentItem& document);

// Payment comparisons allow this much.
inline constexpr double kPaymentTolerance = 0.01;

} // namespace velmora
