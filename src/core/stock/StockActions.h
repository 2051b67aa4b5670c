#pragma once

#include "core/Alert.h"
#include "core/Result.h"
#include "core/model/StockRecords.h"

namespace velmora {

class SessionEdit;

// The − / + steppers of an item's card: the quantity (0 when not counted)
// moves by `delta` and is saved at once; stepping down never goes below 0.
Result<> stepStockQuantity(SessionEdit& edit, const QUuid& itemID, int delta);

// "Supprimer l’article ?", naming it.
Alert stockItemDeletion(const StockItem& item);
Alert wishlistItemDeletion(const PurchaseWishlistItem& item);
// Removes the item and its photo. The expenses that named it keep its title
// as their product name, so their history still reads.
Result<> deleteStockItem(SessionEdit& edit, const QUuid& itemID);
Result<> deleteWishlistItem(SessionEdit& edit, const QUuid& itemID);

// "Marquer comme acheté": the item leaves the wishlist and becomes a stock
// item with its title, picture, categories, tags, quantity, order address,
// notes and characteristics; expenses linked to it now link the stock item.
// The new item's id.
Result<QUuid> markWishlistItemBought(SessionEdit& edit, const QUuid& itemID);

} // namespace velmora
