#include "core/stock/WishlistListModel.h"

#include "core/stock/StockListModel.h"

namespace velmora {

QString wishlistStatusText(PurchaseWishlistStatus status) {
    return status == PurchaseWishlistStatus::bought ? QStringLiteral("Acheté")
                                                    : QStringLiteral("À acheter");
}

QString WishlistListModel::countText(int count) {
    if (count == 0)
        return QStringLiteral("Aucun achat prévu");
    return count == 1 ? QStringLiteral("1 achat prévu")
                      : QStringLiteral("%1 achats prévus").arg(count);
}

QVariant WishlistListModel::recordData(const PurchaseWishlistItem& item, int column,
                                       int role) const {
    switch (role) {
    case Qt::DisplayRole:
        return item.title.trimmed();
    case Qt::AccessibleTextRole:
        return item.title.trimmed() + QStringLiteral(", ") + wishlistStatusText(item.status);
    case SortRole:
        return column == titleColumn ? QVariant(item.title.trimmed()) : QVariant(0);
    case SubtitleRole:
        return item.quantity ? StockListModel::quantityText(item.quantity) : QString();
    case BadgeRole:
        return wishlistStatusText(item.status);
    case BadgeColorRole:
        return int(item.status == PurchaseWishlistStatus::bought ? TagColorOption::green
                                                                 : TagColorOption::blue);
    case TagColorsRole:
        return tagColors(item);
    default:
        return {};
    }
}

} // namespace velmora
