// The global search over the window: a query with hits in several sections,
// then one that finds nothing.

#include "Tour.h"

#include "gui/main/MainWindow.h"
#include "gui/main/Workspace.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>

using namespace Qt::StringLiterals;

namespace velmora::tour {

void shootSearch(Tour& tour) {
    tour.window.workspace().showSection(u"dashboard"_s);
    auto* button = tour.window.findChild<QAbstractButton*>(u"spotlightButton"_s);
    if (!button)
        return;
    // The index is built in the background as the session appears.
    QTest::qWait(300);
    button->click();
    tour.settle();
    auto* field = tour.window.findChild<QLineEdit*>(u"spotlightField"_s);
    for (const auto& [query, name] : {std::pair{u"photo"_s, u"search-results"_s},
                                      std::pair{u"aquarelle"_s, u"search-empty"_s}}) {
        field->setText(query);
        tour.settle();
        tour.shoot(tour.window, name);
    }
    button->click();
    tour.settle();
}

} // namespace velmora::tour
