#include "core/stock/StockActions.h"

#include "core/stock/StockItemForm.h"
#include "core/store/SessionEdit.h"

#include <algorithm>

namespace velmora {

namespace {

template <class Record> qsizetype indexOf(const QList<Record>& records, const QUuid& id) {
    const auto found =
        std::find_if(records.cbegin(), records.cend(), [&](const Record& r) { return r.id == id; });
    return found == records.cend() ? -1 : found - records.cbegin();
}

Alert deletion(const QString& title) {
    return Alert{
        Alert::Kind::warning,
        QStringLiteral("Supprimer l’article ?"),
        QStringLiteral("L’article « %1 » sera supprimé définitivement.").arg(title.trimmed()),
        {AlertButton{QStringLiteral("Annuler"), AlertRole::cancel},
         AlertButton{QStringLiteral("Supprimer"), AlertRole::destructive}}};
}

// The expenses that link the item keep its name once the link goes.
void keepExpenseNames(SessionEdit& edit, const QString& title,
                      std::optional<QUuid> AccountingPurchaseItem::*link, const QUuid& id) {
    const QList<AccountingPurchaseItem>& expenses = edit.session().accountingPurchases;
    for (qsizetype i = 0; i < expenses.size(); ++i) {
        if (expenses[i].*link != id)
            continue;
        AccountingPurchaseItem& expense = edit.accountingPurchases()[i];
        expense.*link = std::nullopt;
        if (expense.customProductName.trimmed().isEmpty())
            expense.customProductName = title;
    }
}

template <class Record, class Writable>
Result<> deleteItem(SessionEdit& edit, const QList<Record>& records, Writable&& writable,
                    const QUuid& id, std::optional<QUuid> AccountingPurchaseItem::*link) {
    const qsizetype index = indexOf(records, id);
    if (index < 0)
        return Result<>::notFound(StockItemForm::notFoundMessage());
    const Record removed = records[index];
    writable().removeAt(index);
    if (removed.photoURL)
        edit.releaseMedia(*removed.photoURL);
    keepExpenseNames(edit, removed.title, link, id);
    return {};
}

} // namespace

Result<> stepStockQuantity(SessionEdit& edit, const QUuid& itemID, int delta) {
    const qsizetype index = indexOf(edit.session().stockItems, itemID);
    if (index < 0)
        return Result<>::notFound(StockItemForm::notFoundMessage());
    const qint64 now = edit.session().stockItems[index].quantity.value_or(0);
    const qint64 next = delta < 0 ? std::max<qint64>(0, now + delta) : now + delta;
    if (delta == 0 || (delta < 0 && now <= 0))
        return Result<>::unchanged();
    edit.stockItems()[index].quantity = next;
    return {};
}

Alert stockItemDeletion(const StockItem& item) {
    return deletion(item.title);
}

Alert wishlistItemDeletion(const PurchaseWishlistItem& item) {
    return deletion(item.title);
}

Result<> deleteStockItem(SessionEdit& edit, const QUuid& itemID) {
    return deleteItem(
        edit, edit.session().stockItems, [&]() -> QList<StockItem>& { return edit.stockItems(); },
        itemID, &AccountingPurchaseItem::linkedStockID);
}

Result<> deleteWishlistItem(SessionEdit& edit, const QUuid& itemID) {
    return deleteItem(
        edit, edit.session().purchaseWishlistItems,
        [&]() -> QList<PurchaseWishlistItem>& { return edit.purchaseWishlistItems(); }, itemID,
        &AccountingPurchaseItem::linkedWishlistID);
}

Result<QUuid> markWishlistItemBought(SessionEdit& edit, const QUuid& itemID) {
    const qsizetype index = indexOf(edit.session().purchaseWishlistItems, itemID);
    if (index < 0)
        return Result<QUuid>::notFound(StockItemForm::notFoundMessage());
    const PurchaseWishlistItem bought = edit.purchaseWishlistItems().takeAt(index);
    StockItem item;
    item.id = QUuid::createUuid();
    item.title = bought.title;
    // The picture moves with the item: the same media file, now the stock's.
    item.photoURL = bought.photoURL;
    item.iconName = bought.iconName;
    item.categoryIDs = bought.categoryIDs;
    item.tagIDs = bought.tagIDs;
    item.quantity = bought.quantity;
    item.orderURL = bought.orderURL;
    item.notes = bought.notes;
    item.characteristics = bought.characteristics;
    edit.stockItems().append(item);
    const QList<AccountingPurchaseItem>& expenses = edit.session().accountingPurchases;
    for (qsizetype i = 0; i < expenses.size(); ++i) {
        if (expenses[i].linkedWishlistID != itemID)
            continue;
        AccountingPurchaseItem& expense = edit.accountingPurchases()[i];
        expense.linkedWishlistID.reset();
        expense.linkedStockID = item.id;
    }
    return item.id;
}

} // namespace velmora
