#include "core/stock/StockLevels.h"

#include <algorithm>

namespace velmora {
namespace {

// One of the item's ids is selected, or it has none and `none` is.
bool selects(const QList<QUuid>& selection, const QList<QUuid>& ids, const QUuid& none) {
    if (selection.isEmpty())
        return true;
    if (ids.isEmpty())
        return !none.isNull() && selection.contains(none);
    return std::any_of(ids.cbegin(), ids.cend(),
                       [&](const QUuid& id) { return selection.contains(id); });
}

} // namespace

StockLevel stockLevel(const StockItem& item, const StockSettings& settings) {
    const qint64 quantity = item.quantity.value_or(0);
    if (quantity <= settings.outOfStockThreshold)
        return StockLevel::out;
    if (quantity <= settings.lowStockThreshold)
        return StockLevel::low;
    return StockLevel::ok;
}

QString stockLevelText(StockLevel level) {
    switch (level) {
    case StockLevel::out:
        return QStringLiteral("En rupture");
    case StockLevel::low:
        return QStringLiteral("Presque épuisé");
    case StockLevel::ok:
        break;
    }
    return QStringLiteral("En stock");
}

QString stockLevelFilterRawName(StockLevel level) {
    return level == StockLevel::low ? QStringLiteral("Presque épuisé(s)") : stockLevelText(level);
}

std::optional<StockLevel> stockLevelFromFilterRawName(const QString& raw) {
    for (StockLevel level : {StockLevel::out, StockLevel::low, StockLevel::ok}) {
        if (stockLevelFilterRawName(level) == raw)
            return level;
    }
    return std::nullopt;
}

bool StockFilter::passes(const StockItem& item, const StockSettings& settings) const {
    // Sub-tags have no "none" entry of their own.
    return selects(categoryIDs, item.categoryIDs, StockFilterIds::noCategory()) &&
           selects(subCategoryIDs, item.subCategoryIDs, StockFilterIds::noSubCategory()) &&
           selects(tagIDs, item.tagIDs, StockFilterIds::noTag()) &&
           selects(subTagIDs, item.subTagIDs, QUuid()) &&
           (!level || stockLevel(item, settings) == *level);
}

} // namespace velmora
