#pragma once

#include "core/Result.h"
#include "core/accounting/RecipeBook.h"
#include "core/store/SessionEdit.h"

namespace velmora {

// "Retirer": the payment of a payment entry, or the invoice of a
// whole-invoice entry, leaves the book until it is reintegrated. Unchanged
// when it is already out.
Result<> excludeRecipeEntry(SessionEdit& edit, const RecipeEntry& entry);

// "Réintégrer au livre de recettes": the invoice and every one of its
// payments come back. Unchanged when none of them was out.
Result<> reintegrateInvoice(SessionEdit& edit, const QUuid& invoiceID);

// Whether the user took this receipt out of the book: its payment, or its
// invoice as a whole.
bool isExcludedFromRecipeBook(const RecipeEntry& entry, const AppPreferences& preferences);

// Whether the invoice, or one of its payments, was taken out of the book.
bool isRemovedFromRecipeBook(const CommercialDocumentItem& invoice,
                             const AppPreferences& preferences);
// "Dans le livre de recettes" or "Retirée du livre de recettes".
QString recipeBookStateText(const CommercialDocumentItem& invoice,
                            const AppPreferences& preferences);
// "1 encaissement dans le livre de recettes", "2 encaissements …".
QString recipeBookPaymentsText(qint64 count);

} // namespace velmora
