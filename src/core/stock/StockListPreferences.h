#pragma once

#include "core/stock/StockLevels.h"

#include <optional>

namespace velmora {

class UserDefaults;

// The order of the stock list. Items carry no date: the recent ones are
// those added last to the stored list.
enum class StockSortOrder { recentFirst, oldestFirst, alphabetical };

// "Plus récents d’abord", "Plus anciens d’abord", "Ordre alphabétique".
QString stockSortOrderText(StockSortOrder order);

// The stock list's level filter and order kept for the user account, under
// "stockLevelFilter" (its raw text, absent for "Tous") and "stockSortOrder".
namespace StockListPreferences {
std::optional<StockLevel> levelFilter(const UserDefaults& defaults);
void setLevelFilter(UserDefaults& defaults, std::optional<StockLevel> level);
// recentFirst when nothing readable is stored.
StockSortOrder sortOrder(const UserDefaults& defaults);
void setSortOrder(UserDefaults& defaults, StockSortOrder order);
} // namespace StockListPreferences

} // namespace velmora
