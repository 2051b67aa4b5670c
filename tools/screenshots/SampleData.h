#pragma once

#include <QString>

namespace velmora {
class AppDataStore;
}

namespace velmora::tour {

// A few months of a photographer's business: clients of both kinds, a
// catalogue with a price typed wrong, activities in every status.
void addSampleRecords(AppDataStore& store);
// The photographer's stock classification: equipment and supplies, the
// tags that flag what breaks or runs out, and a level below each.
void addSampleStockClassification(AppDataStore& store);
// A year of receipts for the recipe book: invoices paid in one or several
// payments, and one paid without a recorded payment.
void addSampleReceipts(AppDataStore& store);
// A year and a half of quarterly declarations, the older ones declared and
// paid, and the estimate of the current month.
void addSampleDeclarations(AppDataStore& store);
// The photographer's materials: categories with sub-categories, tags with a
// sub-tag, items at every stock level, and two purchases planned.
void addSampleStock(AppDataStore& store);
// The receipts of the second declaration: the URSSAF's acknowledgement as a
// PDF, the bank's payment as a picture, written in `folder`.
void attachSampleReceipts(AppDataStore& store, const QString& folder);
// Four subscriptions of every frequency, one with an exceptional date, one
// paused for a month.
void addSampleSubscriptions(AppDataStore& store);
// Purchases of this year and the last: some of products of the stock (after
// addSampleStock), some named freely, with suppliers and unit prices.
void addSampleExpenses(AppDataStore& store);

} // namespace velmora::tour
