#pragma once

#include "core/model/StockRecords.h"

namespace velmora {
class AppDataStore;
}

namespace velmora::gui {

class RecordCard;

// What the cards of the stock and of the "Liste d'achats" both show: the
// classification under the settings' names, the characteristics, the
// order address and the notes. `subCategoryIDs` and `subTagIDs` are empty
// for a wishlist item.
struct StockDetails {
    QList<QUuid> categoryIDs;
    QList<QUuid> subCategoryIDs;
    QList<QUuid> tagIDs;
    QList<QUuid> subTagIDs;
    QList<StockCharacteristic> characteristics;
    QString orderURL;
    QString notes;

    template <class Item> static StockDetails of(const Item& item) {
        StockDetails details;
        details.categoryIDs = item.categoryIDs;
        details.tagIDs = item.tagIDs;
        details.characteristics = item.characteristics;
        details.orderURL = item.orderURL;
        details.notes = item.notes;
        if constexpr (requires { item.subTagIDs; }) {
            details.subCategoryIDs = item.subCategoryIDs;
            details.subTagIDs = item.subTagIDs;
        }
        return details;
    }
};

void addStockDetails(RecordCard& card, const AppDataStore& store, const StockDetails& details);

} // namespace velmora::gui
