// The clients: empty, then listed with their form.

#include "Tour.h"

#include "gui/main/MainWindow.h"
#include "gui/main/Workspace.h"

using namespace Qt::StringLiterals;

namespace velmora::tour {

void shootEmptyClients(Tour& tour) {
    tour.window.workspace().showSection(u"clients"_s);
    tour.shoot(tour.window, u"clients-empty"_s);
}

void shootClients(Tour& tour) {
    tour.shootRecordSection(u"clients"_s);
}

} // namespace velmora::tour
