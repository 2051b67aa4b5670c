// The stock listed with its form, the "Liste d'achats", then the sheet of
// its categories, sub-categories, tags and sub-tags.

#include "SampleData.h"
#include "Tour.h"

#include "gui/app/Application.h"
#include "gui/common/FormSheet.h"
#include "gui/main/MainWindow.h"
#include "gui/main/SectionRegistry.h"
#include "gui/stock/StockClassificationSheet.h"

#include <QListView>
#include <QTabWidget>

using namespace Qt::StringLiterals;

namespace velmora::tour {

void shootStock(Tour& tour) {
    addSampleStock(tour.app.store());
    tour.shootRecordSection(u"stock"_s);
    if (auto* tabs = tour.window.findChild<QTabWidget*>(u"stockTabs"_s)) {
        tabs->setCurrentIndex(1);
        tour.settle();
        tour.shoot(tour.window, u"stock-wishlist"_s);
        tabs->setCurrentIndex(0);
        tour.settle();
    }
    // The four levels filled, one entry chosen so its buttons are live.
    StockClassificationSheet sheet(tour.window.sections().services(), &tour.window);
    sheet.show();
    if (auto* list = sheet.findChild<QListView*>(u"stockClassList_subCategory"_s))
        list->setCurrentIndex(list->model()->index(2, 0));
    tour.shoot(sheet, u"stock-categories"_s);
    // A sub-category with two parents, in its own sheet.
    const QList<StockSubCategoryItem>& subCategories = tour.app.store().stockSubCategories();
    if (subCategories.size() > 2) {
        sheet.editEntry(StockClassLevel::subCategory, subCategories[2].id);
        tour.shootDialog<FormSheet>(sheet, u"stock-categories-form"_s);
    }
}

} // namespace velmora::tour
