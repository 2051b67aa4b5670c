// The activities: listed with their form, the cancelling confirmation and
// the statuses sheet.

#include "Tour.h"

#include "SampleData.h"
#include "core/accounting/RecipeBookExclusion.h"
#include "core/accounting/RecipeBookTableModel.h"
#include "core/accounting/UrssafContributions.h"
#include "core/accounting/UrssafPeriod.h"
#include "core/activities/ActivityLifecycle.h"
#include "core/activities/ProjectStatusSettings.h"
#include "core/app/SettingsPages.h"
#include "core/documents/DocumentCreation.h"
#include "core/documents/DocumentWorkflow.h"
#include "core/documents/ExpiredQuotes.h"
#include "core/model/NewSession.h"
#include "core/model/SessionEncoder.h"
#include "core/platform/MemoryUserDefaults.h"
#include "core/security/AccessCode.h"
#include "desktop/LocalFileSystem.h"
#include "desktop/PathBookmarks.h"
#include "gui/accounting/RecipeBookHeaderSheet.h"
#include "gui/accounting/RecipeBookTab.h"
#include "gui/accounting/UrssafAttachmentsViewer.h"
#include "gui/accounting/UrssafDeclarationSheet.h"
#include "gui/accounting/UrssafSettingsSheet.h"
#include "gui/accounting/UrssafTab.h"
#include "gui/app/Application.h"
#include "gui/common/AnimatedStack.h"
#include "gui/common/Resources.h"
#include "gui/common/WidgetDialogs.h"
#include "gui/documents/DocumentCardActions.h"
#include "gui/main/MainWindow.h"
#include "gui/main/SectionRegistry.h"
#include "gui/main/Workspace.h"
#include "gui/projects/ProjectStatusesSheet.h"
#include "gui/settings/SettingsWindow.h"
#include "support/DesktopStubs.h"
#include "support/FakeMailServices.h"
#include "support/FakeUserNotifications.h"
#include "support/SampleDocuments.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>

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
