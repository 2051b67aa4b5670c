#include "core/accounting/RecipeBookExclusion.h"

#include "core/documents/DocumentStatus.h"

#include <algorithm>

namespace velmora {
namespace {

const CommercialDocumentItem* findInvoice(const AppDatabase& db, const QUuid& id) {
    for (const CommercialDocumentItem& document : db.documents) {
        if (document.id == id)
            return document.kind == CommercialDocumentKind::invoice ? &document : nullptr;
    }
    return nullptr;
}

bool hasPayment(const CommercialDocumentItem& invoice, const QUuid& id) {
    return std::any_of(invoice.encaissements.cbegin(), invoice.encaissements.cend(),
                       [&](const Encaissement& payment) { return payment.id == id; });
}

} // namespace

Result<> excludeRecipeEntry(SessionEdit& edit, const RecipeEntry& entry) {
    const CommercialDocumentItem* invoice = findInvoice(edit.session(), entry.document.id);
    if (!invoice)
        return Result<>::notFound(documentNotFoundMessage());
    if (entry.encaissement && !hasPayment(*invoice, entry.encaissement->id))
        return Result<>::notFound(QStringLiteral("Cet encaissement n'existe plus."));
    const AppPreferences& current = edit.session().preferences;
    const QList<QUuid>& list = entry.encaissement ? current.recipeBookExcludedEncaissementIDs
                                                  : current.recipeBookExcludedIDs;
    const QUuid id = entry.encaissement ? entry.encaissement->id : invoice->id;
    if (list.contains(id))
        return Result<>::unchanged();
    AppPreferences& preferences = edit.preferences();
    (entry.encaissement ? preferences.recipeBookExcludedEncaissementIDs
                        : preferences.recipeBookExcludedIDs)
        .append(id);
    return Result<>();
}

Result<> reintegrateInvoice(SessionEdit& edit, const QUuid& invoiceID) {
    const CommercialDocumentItem* invoice = findInvoice(edit.session(), invoiceID);
    if (!invoice)
        return Result<>::notFound(documentNotFoundMessage());
    if (!isRemovedFromRecipeBook(*invoice, edit.session().preferences))
        return Result<>::unchanged();
    const CommercialDocumentItem kept = *invoice;
    AppPreferences& preferences = edit.preferences();
    preferences.recipeBookExcludedIDs.removeAll(invoiceID);
    preferences.recipeBookExcludedEncaissementIDs.removeIf(
        [&](const QUuid& id) { return hasPayment(kept, id); });
    return Result<>();
}

bool isExcludedFromRecipeBook(const RecipeEntry& entry, const AppPreferences& preferences) {
    return preferences.recipeBookExcludedIDs.contains(entry.document.id) ||
           (entry.encaissement &&
            preferences.recipeBookExcludedEncaissementIDs.contains(entry.encaissement->id));
}

bool isRemovedFromRecipeBook(const CommercialDocumentItem& invoice,
                             const AppPreferences& preferences) {
    if (preferences.recipeBookExcludedIDs.contains(invoice.id))
        return true;
    return std::any_of(invoice.encaissements.cbegin(), invoice.encaissements.cend(),
                       [&](const Encaissement& payment) {
                           return preferences.recipeBookExcludedEncaissementIDs.contains(
                               payment.id);
                       });
}

QString recipeBookStateText(const CommercialDocumentItem& invoice,
                            const AppPreferences& preferences) {
    return isRemovedFromRecipeBook(invoice, preferences)
               ? QStringLiteral("Retirée du livre de recettes")
               : QStringLiteral("Dans le livre de recettes");
}

QString recipeBookPaymentsText(qint64 count) {
    // French takes the singular for 0 and 1.
    return (count > 1 ? QStringLiteral("%1 encaissements dans le livre de recettes")
                      : QStringLiteral("%1 encaissement dans le livre de recettes"))
        .arg(count);
}

} // namespace velmora
