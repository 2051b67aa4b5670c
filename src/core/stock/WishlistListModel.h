#pragma once

#include "core/lists/TaggedListModel.h"
#include "core/model/StockRecords.h"

namespace velmora {

// "À acheter", "Acheté".
QString wishlistStatusText(PurchaseWishlistStatus status);

// The "Liste d'achats": one row per item to buy with the quantity wanted
// under the title and its status as a badge; sorted like the stock list.
class WishlistListModel final : public TaggedListModel<PurchaseWishlistItem> {
    Q_OBJECT

public:
    enum Column { orderColumn, titleColumn, columnTotal };

    explicit WishlistListModel(QObject* parent = nullptr) : TaggedListModel(parent) {}

    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : columnTotal;
    }

    // "Aucun achat prévu", "1 achat prévu", "N achats prévus".
    static QString countText(int count);

private:
    QVariant recordData(const PurchaseWishlistItem& item, int column, int role) const override;
};

} // namespace velmora
