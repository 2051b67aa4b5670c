#pragma once

#include "core/model/SessionSettings.h"
#include "core/model/StockRecords.h"

#include <QList>
#include <QString>
#include <QUuid>

#include <optional>

namespace velmora {

// The three levels of a stock item, lowest first.
enum class StockLevel { out, low, ok };

// q ≤ the out-of-stock threshold is out, else q ≤ the low threshold is low;
// an item without a quantity counts 0.
StockLevel stockLevel(const StockItem& item, const StockSettings& settings);
// "En rupture", "Presque épuisé", "En stock".
QString stockLevelText(StockLevel level);
// The filter's stored raw text ("En rupture", "Presque épuisé(s)", "En
// stock"), and back; an unknown text is no filter ("Tous").
QString stockLevelFilterRawName(StockLevel level);
std::optional<StockLevel> stockLevelFromFilterRawName(const QString& raw);

// Selections of the filter menus stand for "none of these" with these ids.
namespace StockFilterIds {
inline QUuid noTag() {
    return QUuid(QStringLiteral("00000000-0000-0000-0000-000000000001"));
}
inline QUuid noCategory() {
    return QUuid(QStringLiteral("00000000-0000-0000-0000-000000000002"));
}
inline QUuid noSubCategory() {
    return QUuid(QStringLiteral("00000000-0000-0000-0000-000000000003"));
}
} // namespace StockFilterIds

// What the stock list is filtered by; an empty selection does not filter.
struct StockFilter {
    QList<QUuid> categoryIDs;
    QList<QUuid> subCategoryIDs;
    QList<QUuid> tagIDs;
    QList<QUuid> subTagIDs;
    std::optional<StockLevel> level;

    bool passes(const StockItem& item, const StockSettings& settings) const;
};

} // namespace velmora
