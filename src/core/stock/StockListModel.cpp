#include "core/stock/StockListModel.h"

#include "core/text/SearchFolding.h"

namespace velmora {

void StockListModel::setContext(const StockSettings& settings,
                                const QList<StockCategoryItem>& categories) {
    if (settings == m_settings && categories == m_categories)
        return;
    m_settings = settings;
    m_categories = categories;
    if (const int rows = rowCount(); rows > 0)
        emit dataChanged(index(0, 0), index(rows - 1, columnTotal - 1));
}

QString StockListModel::countText(int count) {
    if (count == 0)
        return QStringLiteral("Aucun article");
    return count == 1 ? QStringLiteral("1 article") : QStringLiteral("%1 articles").arg(count);
}

QString StockListModel::quantityText(const std::optional<qint64>& quantity) {
    if (!quantity)
        return QStringLiteral("Quantité non suivie");
    // French: "0 unité", "1 unité", "-1 unité", "2 unités".
    return (*quantity >= -1 && *quantity <= 1) ? QStringLiteral("%1 unité").arg(*quantity)
                                               : QStringLiteral("%1 unités").arg(*quantity);
}

TagColorOption StockListModel::levelColor(StockLevel level) {
    switch (level) {
    case StockLevel::out:
        return TagColorOption::red;
    case StockLevel::low:
        return TagColorOption::orange;
    case StockLevel::ok:
        break;
    }
    return TagColorOption::green;
}

QVariant StockListModel::recordData(const StockItem& item, int column, int role) const {
    switch (role) {
    case Qt::DisplayRole:
        return item.title.trimmed();
    case Qt::AccessibleTextRole:
        return item.title.trimmed() + QStringLiteral(", ") +
               stockLevelText(stockLevel(item, m_settings));
    case SortRole:
        // Equal keys keep the stored order, which is the order of addition.
        return column == titleColumn ? QVariant(item.title.trimmed()) : QVariant(0);
    case SubtitleRole: {
        QStringList parts{quantityText(item.quantity)};
        for (const StockCategoryItem& category : m_categories)
            if (item.categoryIDs.contains(category.id))
                parts.append(category.name);
        return parts.join(QStringLiteral("  ·  "));
    }
    case BadgeRole:
        return stockLevelText(stockLevel(item, m_settings));
    case BadgeColorRole:
        return int(levelColor(stockLevel(item, m_settings)));
    case TagColorsRole:
        return tagColors(item);
    default:
        return {};
    }
}

namespace {

template <class Item> bool matches(const Item& item, const QString& query) {
    QStringList texts{item.title, item.notes, item.orderURL};
    for (const StockCharacteristic& c : item.characteristics)
        texts << c.label << c.value;
    return matchesSearch(query, texts);
}

} // namespace

bool stockItemMatches(const StockItem& item, const QString& query) {
    return matches(item, query);
}

bool stockItemMatches(const PurchaseWishlistItem& item, const QString& query) {
    return matches(item, query);
}

} // namespace velmora
