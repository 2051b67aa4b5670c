// The open session as it first shows.

#include "Tour.h"

#include "gui/main/MainWindow.h"
#include "gui/main/Workspace.h"

using namespace Qt::StringLiterals;

namespace velmora::tour {

void shootDashboard(Tour& tour) {
    // The open session.
    tour.shoot(tour.window, u"dashboard"_s);
    tour.window.workspace().showSection(u"documents"_s);
    tour.shoot(tour.window, u"section"_s);
}

} // namespace velmora::tour
