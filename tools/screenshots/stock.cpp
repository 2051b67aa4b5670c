// The stock listed with its form, then the "Liste d'achats".

#include "SampleData.h"
#include "Tour.h"

#include "gui/app/Application.h"
#include "gui/main/MainWindow.h"

#include <QTabWidget>

using namespace Qt::StringLiterals;

namespace velmora::tour {

void shootStock(Tour& tour) {
    addSampleStock(tour.app.store());
    tour.shootRecordSection(u"stock"_s);
    auto* tabs = tour.window.findChild<QTabWidget*>(u"stockTabs"_s);
    if (!tabs)
        return;
    tabs->setCurrentIndex(1);
    tour.settle();
    tour.shoot(tour.window, u"stock-wishlist"_s);
    tabs->setCurrentIndex(0);
    tour.settle();
}

} // namespace velmora::tour
