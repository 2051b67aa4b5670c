#pragma once

#include "core/stock/StockLevels.h"
#include "gui/common/RecordSectionPage.h"

namespace velmora {
class StockListModel;
}

namespace velmora::gui {

class ChoiceMenuButton;
class RecordCard;

// The stock: the items searched by title, notes, order address and
// characteristics, filtered by level, categories, sub-categories, tags and
// sub-tags, in the order the user chose (kept with the level filter for
// the account); the card steps the quantity and saves it at once.
class StockItemsPage : public RecordSectionPage {
    Q_OBJECT

public:
    explicit StockItemsPage(const SectionServices& services, QWidget* parent = nullptr);

protected:
    void showRecord(const QUuid& id) override;
    void createRecord() override;
    void editRecord(const QUuid& id) override;
    void removeRecord(const QUuid& id) override;
    void sortChosen(int index) override;
    void clearOwnFilters() override;
    // A tag or sub-tag opens the classification where it is kept.
    bool holdsTag(const QUuid& id) const override;
    void showTag(const QUuid& id) override;

private:
    QWidget* filterBar();
    void showClassification();
    void setLevelFilter(std::optional<StockLevel> level);
    void refresh();
    void filtersChanged();
    void step(const QUuid& id, int delta, const QString& button);
    StockFilter currentFilter() const;

    StockListModel* m_model = nullptr;
    RecordCard* m_card = nullptr;
    ChoiceMenuButton* m_level = nullptr;
    ChoiceMenuButton* m_categories = nullptr;
    ChoiceMenuButton* m_subCategories = nullptr;
    ChoiceMenuButton* m_tags = nullptr;
    ChoiceMenuButton* m_subTags = nullptr;
    StockFilter m_filter;
};

} // namespace velmora::gui
