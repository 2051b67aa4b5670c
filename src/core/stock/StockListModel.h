#pragma once

#include "core/lists/TaggedListModel.h"
#include "core/model/SessionSettings.h"
#include "core/model/StockRecords.h"
#include "core/stock/StockLevels.h"

namespace velmora {

// The stock list: one row per item with its quantity and categories under
// the title, its level as a coloured badge (red, orange, green) and the dots
// of its tags. `orderColumn` sorts by the stored order, `titleColumn` by the
// French order of the titles.
class StockListModel final : public TaggedListModel<StockItem> {
    Q_OBJECT

public:
    enum Column { orderColumn, titleColumn, columnTotal };

    explicit StockListModel(QObject* parent = nullptr) : TaggedListModel(parent) {}

    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : columnTotal;
    }

    // The thresholds and the category names the rows show; call before
    // setRecords.
    void setContext(const StockSettings& settings, const QList<StockCategoryItem>& categories);
    const StockSettings& settings() const { return m_settings; }

    // "Aucun article", "1 article", "N articles".
    static QString countText(int count);
    // "12 unités", "1 unité", "Quantité non suivie" when absent.
    static QString quantityText(const std::optional<qint64>& quantity);
    static TagColorOption levelColor(StockLevel level);

private:
    QVariant recordData(const StockItem& item, int column, int role) const override;

    StockSettings m_settings;
    QList<StockCategoryItem> m_categories;
};

// Whether every word of the query is in the title, notes, order address or
// a characteristic, case and accents aside.
bool stockItemMatches(const StockItem& item, const QString& query);
bool stockItemMatches(const PurchaseWishlistItem& item, const QString& query);

} // namespace velmora
