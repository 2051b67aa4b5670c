#pragma once

#include "gui/common/RecordSectionPage.h"

namespace velmora {
class WishlistListModel;
}

namespace velmora::gui {

class ChoiceMenuButton;
class RecordCard;

// The "Liste d'achats": the items to buy, searched like the stock, filtered
// by tags and by status; "Marquer comme acheté" moves an item into the
// stock, where the window then shows it.
class WishlistPage : public RecordSectionPage {
    Q_OBJECT

public:
    explicit WishlistPage(const SectionServices& services, QWidget* parent = nullptr);

signals:
    // A bought item became this stock item.
    void movedToStock(const QUuid& stockItemID);

protected:
    void showRecord(const QUuid& id) override;
    void createRecord() override;
    void editRecord(const QUuid& id) override;
    void removeRecord(const QUuid& id) override;
    void clearOwnFilters() override;

private:
    void refresh();
    void markBought(const QUuid& id);

    WishlistListModel* m_model = nullptr;
    RecordCard* m_card = nullptr;
    ChoiceMenuButton* m_status = nullptr;
};

} // namespace velmora::gui
