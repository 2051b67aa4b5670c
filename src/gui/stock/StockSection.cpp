#include "gui/stock/StockSection.h"

#include "gui/common/TabbedSectionPage.h"
#include "gui/stock/StockItemsPage.h"
#include "gui/stock/WishlistPage.h"

#include <QTabWidget>

namespace velmora::gui {

SectionPage* stockPage(const SectionServices& services) {
    auto* page = new TabbedSectionPage(QStringLiteral("stockTabs"));
    auto* items = new StockItemsPage(services);
    auto* wishlist = new WishlistPage(services);
    page->addTab(items, QStringLiteral("Articles"));
    page->addTab(wishlist, QStringLiteral("Liste d’achats"));
    // A bought item is shown where it now lives.
    QObject::connect(wishlist, &WishlistPage::movedToStock, page, [page, items](const QUuid& id) {
        page->tabs()->setCurrentWidget(items);
        items->select(id);
    });
    return page;
}

} // namespace velmora::gui
