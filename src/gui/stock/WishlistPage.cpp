#include "gui/stock/WishlistPage.h"

#include "core/lists/RecordFilterModel.h"
#include "core/lists/TagRoles.h"
#include "core/stock/StockActions.h"
#include "core/stock/StockListModel.h"
#include "core/stock/StockListPreferences.h"
#include "core/stock/WishlistListModel.h"
#include "gui/common/ChoiceMenuButton.h"
#include "gui/common/PictureField.h"
#include "gui/common/RecordCard.h"
#include "gui/common/SessionFollower.h"
#include "gui/common/TagChips.h"
#include "gui/stock/StockCard.h"
#include "gui/stock/StockItemFormSheet.h"

#include <QPushButton>

namespace velmora::gui {

namespace {

// The status menu's choices: "Tous", then the two statuses.
QUuid statusChoice(std::optional<PurchaseWishlistStatus> status) {
    return QUuid(0x5a7u, 0, 0, 0, 0, 0, 0, 0, 0, 0, status ? uchar(int(*status) + 1) : uchar(0));
}

} // namespace

WishlistPage::WishlistPage(const SectionServices& services, QWidget* parent)
    : RecordSectionPage(services, QStringLiteral("wishlist"), parent) {
    m_model = new WishlistListModel(this);
    m_card = new RecordCard(QStringLiteral("wishlistCard"), this);
    setCard(m_card);
    setCountText(&WishlistListModel::countText);
    m_status = new ChoiceMenuButton(QStringLiteral("Statut"), true, this);
    m_status->setObjectName(QStringLiteral("wishlistStatusFilter"));
    m_status->setChoices({{statusChoice(std::nullopt), QStringLiteral("Tous")},
                          {statusChoice(PurchaseWishlistStatus::toBuy),
                           wishlistStatusText(PurchaseWishlistStatus::toBuy)},
                          {statusChoice(PurchaseWishlistStatus::bought),
                           wishlistStatusText(PurchaseWishlistStatus::bought)}});
    connect(m_status, &ChoiceMenuButton::changed, this, [this] {
        filter().refilter();
        recordsChanged();
    });
    addFilterRow(m_status);
    filter().setAccept([this](int row) {
        const PurchaseWishlistItem& item = *m_model->record(row);
        const QUuid status = m_status->checked().value(0);
        return (status == statusChoice(std::nullopt) || status == statusChoice(item.status)) &&
               hasAnyTag(item.tagIDs, filterChips()->checked()) && stockItemMatches(item, query());
    });
    refresh();
    setRecords(m_model,
               {{stockSortOrderText(StockSortOrder::recentFirst), WishlistListModel::orderColumn,
                 Qt::DescendingOrder},
                {stockSortOrderText(StockSortOrder::oldestFirst), WishlistListModel::orderColumn,
                 Qt::AscendingOrder},
                {stockSortOrderText(StockSortOrder::alphabetical), WishlistListModel::titleColumn,
                 Qt::AscendingOrder}},
               {QStringLiteral("shippingbox"),
                QStringLiteral("Aucun achat prévu. Notez ce qu’il vous faudra acheter."),
                QStringLiteral("Ajouter un achat prévu")},
               QStringLiteral("Rechercher dans la liste d’achats"));
    followSession(this, services.store,
                  {SessionField::purchaseWishlistItems, SessionField::stockTags,
                   SessionField::stockCategories, SessionField::stockSettings},
                  [this] { refresh(); });
}

void WishlistPage::refresh() {
    const AppDataStore& store = services().store;
    m_model->setTags(store.stockTags());
    m_model->setRecords(store.purchaseWishlistItems());
    recordsChanged(store.stockTags());
}

void WishlistPage::clearOwnFilters() {
    m_status->setChecked({statusChoice(std::nullopt)});
}

void WishlistPage::showRecord(const QUuid& id) {
    const PurchaseWishlistItem& item = *m_model->record(m_model->rowOf(id));
    m_card->start(stockItemPicture(PictureField::bytesOf(item.photoURL), item.iconName, 56),
                  item.title.trimmed(), wishlistStatusText(item.status));
    connect(m_card->addAction(QStringLiteral("Marquer comme acheté"), QStringLiteral("Bought"),
                              "primary"),
            &QPushButton::clicked, this, [this, id] { markBought(id); });
    connect(m_card->addAction(QStringLiteral("Modifier"), QStringLiteral("Edit")),
            &QPushButton::clicked, this, [this, id] { editRecord(id); });
    connect(m_card->addAction(QStringLiteral("Supprimer"), QStringLiteral("Delete"), "destructive"),
            &QPushButton::clicked, this, [this, id] { removeRecord(id); });
    if (item.quantity) {
        m_card->addSection(QStringLiteral("Achat"));
        m_card->addRow(QStringLiteral("Quantité à acheter"),
                       StockListModel::quantityText(item.quantity));
    }
    addStockDetails(*m_card, services().store, StockDetails::of(item));
}

void WishlistPage::markBought(const QUuid& id) {
    const Result<QUuid> moved =
        services().store.edit([&](SessionEdit& edit) { return markWishlistItemBought(edit, id); });
    if (report(moved) && moved.ok())
        emit movedToStock(moved.value());
}

void WishlistPage::createRecord() {
    auto* sheet =
        new StockItemFormSheet(services(), StockItemForm(StockItemForm::Kind::wishlist), this);
    connect(sheet, &StockItemFormSheet::saved, this, &RecordSectionPage::select);
    sheet->open();
}

void WishlistPage::editRecord(const QUuid& id) {
    const PurchaseWishlistItem* item = m_model->record(m_model->rowOf(id));
    if (!item)
        return;
    auto* sheet = new StockItemFormSheet(services(), StockItemForm(*item), this);
    connect(sheet, &StockItemFormSheet::saved, this, &RecordSectionPage::select);
    sheet->open();
}

void WishlistPage::removeRecord(const QUuid& id) {
    if (const PurchaseWishlistItem* item = m_model->record(m_model->rowOf(id)))
        removeAfter(wishlistItemDeletion(*item),
                    [id](SessionEdit& edit) { return deleteWishlistItem(edit, id); });
}

} // namespace velmora::gui
