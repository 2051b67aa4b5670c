// The activities: listed with their form, the cancelling confirmation and
// the statuses sheet.

#include "Tour.h"

#include "core/activities/ActivityLifecycle.h"
#include "core/activities/ProjectStatusSettings.h"
#include "gui/app/Application.h"
#include "gui/main/MainWindow.h"
#include "gui/projects/ProjectStatusesSheet.h"

using namespace Qt::StringLiterals;

namespace velmora::tour {

void shootProjects(Tour& tour) {
    tour.shootRecordSection(u"projects"_s);
}

void shootProjectCancelAlert(Tour& tour) {
    // Cancelling an activity: the confirmation says what becomes of its invoices.
    const ProjectItem& first = tour.app.store().projects().first();
    tour.shootAlert(tour.window, cancelConfirmation(first, {2, 1}), u"projects-cancel-alert"_s);
}

void shootProjectStatuses(Tour& tour) {

    // The activity statuses, one of the user's own among the locked ones.
    ProjectStatusesSheet statuses(tour.app.store(), tour.dialogs, &tour.window);
    (void)tour.app.store().edit([](SessionEdit& e) {
        return ProjectStatusSettings::add(e, u"En pause"_s, TagColorOption::orange);
    });
    statuses.show();
    tour.shoot(statuses, u"projects-statuses"_s);
}

} // namespace velmora::tour
