// The accounting section: the recipe book and the URSSAF tab.

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

void shootRecipeBook(Tour& tour) {
    // The recipe book: empty, then a year of receipts, one of them taken
    // out; the confirmation of taking one out; the exported PDF shown.
    tour.window.workspace().showSection(u"accounting"_s);
    tour.shoot(tour.window, u"accounting-empty"_s);
    addSampleReceipts(tour.app.store());
    tour.shoot(tour.window, u"accounting-recipe-book"_s);
    if (auto* tab = tour.window.findChild<RecipeBookTab*>()) {
        const RecipeBookLine line = *tab->model()->record(0);
        const RecipeEntry removed = tab->model()->record(3)->entry;
        (void)tour.app.store().edit(
            [&](SessionEdit& edit) { return excludeRecipeEntry(edit, removed); });
        if (auto* show = tab->findChild<QCheckBox*>(u"recipeBookShowRemoved"_s))
            show->setChecked(true);
        tour.shoot(tour.window, u"accounting-recipe-book-removed"_s);
        tour.shootAlert(tour.window, recipeExclusionConfirmation(line),
                        u"accounting-recipe-exclude-alert"_s);
        tour.dialogs.chooseNext(QUrl::fromLocalFile(tour.folder + u"/livre.pdf"_s));
        tab->exportPdf();
        if (auto* preview = tab->findChild<QDialog*>(u"recipeBookPreview"_s)) {
            tour.shoot(*preview, u"accounting-recipe-pdf"_s);
            preview->close();
        }
        // The header the book prints, edited from the tab.
        if (auto* header = tab->findChild<QPushButton*>(u"recipeBookHeaderButton"_s)) {
            header->click();
            tour.shootDialog<RecipeBookHeaderSheet>(*tab, u"accounting-recipe-header"_s);
        }
    }
}

bool shootUrssaf(Tour& tour) {

    // The URSSAF tab of the accounting section: empty, filled,
    // then its sheets.
    tour.window.workspace().showSection(u"accounting"_s);
    auto* tab = tour.window.findChild<UrssafTab*>();
    auto* tabs = tour.window.findChild<QTabWidget*>();
    if (!tab || !tabs)
        return false;
    tabs->setCurrentIndex(tabs->count() - 1);
    QWidget& host = tour.window;
    (void)tour.app.store().edit([](SessionEdit& e) {
        e.urssafDeclarations().clear();
        return Result<>();
    });
    tour.shoot(host, u"accounting-urssaf-empty"_s);
    addSampleDeclarations(tour.app.store());
    tab->select(tour.app.store().urssafDeclarations()[1].id);
    tour.shoot(host, u"accounting-urssaf"_s);
    tab->editSelected();
    tour.shootDialog<UrssafDeclarationSheet>(host, u"accounting-urssaf-form"_s);
    tab->newDeclaration();
    tour.shootDialog<UrssafDeclarationSheet>(host, u"accounting-urssaf-form-manual"_s,
                                             u"urssafAutoCompute"_s, false);
    tab->showSettings();
    tour.shootDialog<UrssafSettingsSheet>(host, u"accounting-urssaf-settings"_s,
                                          u"urssafVersementLiberatoire"_s, true);
    tab->showAttachments();
    tour.shootDialog<UrssafAttachmentsViewer>(host, u"accounting-urssaf-files-none"_s);
    attachSampleReceipts(tour.app.store(), tour.folder);
    tab->select(tour.app.store().urssafDeclarations()[1].id);
    tab->showAttachments();
    tour.shootDialog<UrssafAttachmentsViewer>(host, u"accounting-urssaf-files"_s);
    // The quarter of the estimate declared by hand: the estimate is
    // covered and the year no longer counts it.
    (void)tour.app.store().edit([](SessionEdit& e) {
        for (const URSSAFDeclaration& d : e.session().urssafDeclarations)
            if (d.isAutoGenerated) {
                URSSAFDeclaration quarter = d;
                quarter.id = QUuid::createUuid();
                quarter.isAutoGenerated = false;
                quarter.frequency = URSSAFDeclarationFrequency::trimestrial;
                quarter.periodIndex = (d.periodIndex - 1) / 3 + 1;
                e.urssafDeclarations().append(quarter);
                break;
            }
        return Result<>();
    });
    tour.shoot(host, u"accounting-urssaf-covered"_s);
    return true;
}

} // namespace velmora::tour
