// The clients: empty, then listed with their form.

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

void shootEmptyClients(Tour& tour) {
    tour.window.workspace().showSection(u"clients"_s);
    tour.shoot(tour.window, u"clients-empty"_s);
}

void shootClients(Tour& tour) {
    tour.shootRecordSection(u"clients"_s);
}

} // namespace velmora::tour
