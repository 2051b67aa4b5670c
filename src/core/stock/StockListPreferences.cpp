#include "core/stock/StockListPreferences.h"

#include "core/model/RawNames.h"
#include "core/platform/UserDefaults.h"

namespace velmora {

VELMORA_RAW(StockSortOrder, "recentFirst", "oldestFirst", "alphabetical");

namespace {

const QString levelKey = QStringLiteral("stockLevelFilter");
const QString sortKey = QStringLiteral("stockSortOrder");

} // namespace

QString stockSortOrderText(StockSortOrder order) {
    switch (order) {
    case StockSortOrder::recentFirst:
        return QStringLiteral("Plus récents d’abord");
    case StockSortOrder::oldestFirst:
        return QStringLiteral("Plus anciens d’abord");
    case StockSortOrder::alphabetical:
        return QStringLiteral("Ordre alphabétique");
    }
    return {};
}

namespace StockListPreferences {

std::optional<StockLevel> levelFilter(const UserDefaults& defaults) {
    return stockLevelFromFilterRawName(defaults.value(levelKey).toString());
}

void setLevelFilter(UserDefaults& defaults, std::optional<StockLevel> level) {
    if (level)
        defaults.setValue(levelKey, stockLevelFilterRawName(*level));
    else
        defaults.remove(levelKey);
}

StockSortOrder sortOrder(const UserDefaults& defaults) {
    const QByteArray raw = defaults.value(sortKey).toString().toUtf8();
    return enumFromRaw<StockSortOrder>(std::string_view(raw.constData(), size_t(raw.size())))
        .value_or(StockSortOrder::recentFirst);
}

void setSortOrder(UserDefaults& defaults, StockSortOrder order) {
    const std::string_view raw = rawName(order);
    defaults.setValue(sortKey, QString::fromUtf8(raw.data(), qsizetype(raw.size())));
}

} // namespace StockListPreferences

} // namespace velmora
