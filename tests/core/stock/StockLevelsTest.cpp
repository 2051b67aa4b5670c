#include "core/stock/StockLevels.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace Qt::StringLiterals;

namespace {

StockItem item(std::optional<qint64> quantity, QList<QUuid> categories = {}) {
    StockItem i;
    i.id = QUuid::createUuid();
    i.quantity = quantity;
    i.categoryIDs = std::move(categories);
    return i;
}

StockFilter filter(QList<QUuid> categories, QList<QUuid> tags = {},
                   std::optional<StockLevel> level = std::nullopt) {
    StockFilter f;
    f.categoryIDs = std::move(categories);
    f.tagIDs = std::move(tags);
    f.level = level;
    return f;
}

TEST(StockLevels, ThresholdsDecideTheLevel) {
    const StockSettings defaults;
    StockSettings zero;
    zero.lowStockThreshold = 0;
    const struct {
        std::optional<qint64> quantity;
        const StockSettings& settings;
        StockLevel level;
    } cases[] = {
        {std::nullopt, defaults, StockLevel::out},
        {0, defaults, StockLevel::out},
        {-3, defaults, StockLevel::out},
        {1, defaults, StockLevel::low},
        {2, defaults, StockLevel::low},
        {3, defaults, StockLevel::ok},
        {1, zero, StockLevel::ok},
        {0, zero, StockLevel::out},
    };
    for (const auto& c : cases)
        EXPECT_EQ(stockLevel(item(c.quantity), c.settings), c.level)
            << c.quantity.value_or(-99) << " with low " << c.settings.lowStockThreshold;
}

TEST(StockLevels, TextsAndFilterRawNamesRoundTrip) {
    EXPECT_EQ(stockLevelText(StockLevel::low), u"Presque épuisé"_s);
    EXPECT_EQ(stockLevelFilterRawName(StockLevel::low), u"Presque épuisé(s)"_s);
    for (StockLevel level : {StockLevel::out, StockLevel::low, StockLevel::ok})
        EXPECT_EQ(stockLevelFromFilterRawName(stockLevelFilterRawName(level)), level);
    EXPECT_EQ(stockLevelFromFilterRawName(u"Tous"_s), std::nullopt);
}

TEST(StockLevels, FiltersCombineAndTheNoCategoryIdSelectsTheUnclassified) {
    const QUuid paint = QUuid::createUuid();
    const QList<StockItem> items{item(5, {paint}), item(0), item(1, {paint})};
    const StockSettings settings;
    const auto kept = [&](const StockFilter& filter) {
        QList<qint64> quantities;
        for (const StockItem& i : items)
            if (filter.passes(i, settings))
                quantities.append(*i.quantity);
        return quantities;
    };
    EXPECT_EQ(kept({}), (QList<qint64>{5, 0, 1})) << "an empty selection does not filter";
    EXPECT_EQ(kept(filter({StockFilterIds::noCategory()})), QList<qint64>{0});
    EXPECT_EQ(kept(filter({paint})), (QList<qint64>{5, 1}));
    EXPECT_EQ(kept(filter({paint, StockFilterIds::noCategory()}, {}, StockLevel::low)),
              QList<qint64>{1});
    EXPECT_EQ(kept(filter({}, {StockFilterIds::noTag()})), (QList<qint64>{5, 0, 1}));
}

} // namespace
