// Walks through every screen of the application in both appearances and
// saves each one as a PNG, for looking at the layout and for the README:
//   velmora-screenshots OUTPUT_FOLDER
// Run it with a display (Xvfb) or QT_QPA_PLATFORM=offscreen. Each folder of
// src/gui has its shots in the file of its name beside this one.

#include "Tour.h"

#include "SampleData.h"
#include "core/accounting/UrssafContributions.h"
#include "core/accounting/UrssafPeriod.h"
#include "core/activities/ActivityLifecycle.h"
#include "core/documents/DocumentCreation.h"
#include "core/documents/DocumentWorkflow.h"
#include "core/platform/MemoryUserDefaults.h"
#include "desktop/LocalFileSystem.h"
#include "desktop/PathBookmarks.h"
#include "gui/app/Application.h"
#include "gui/common/AnimatedStack.h"
#include "gui/common/Resources.h"
#include "gui/common/WidgetDialogs.h"
#include "gui/main/MainWindow.h"
#include "gui/main/SectionRegistry.h"
#include "gui/main/Workspace.h"
#include "support/DesktopStubs.h"
#include "support/FakeMailServices.h"
#include "support/FakeUserNotifications.h"
#include "support/SampleDocuments.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QMessageBox>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace velmora::tour {

Tour::Tour(QString out, QString suffix, Application& app, gui::test::ScriptedDialogs& dialogs,
           QString folder)
    : app(app), window(app.window()), dialogs(dialogs), folder(std::move(folder)),
      m_out(std::move(out)), m_suffix(std::move(suffix)) {}

void Tour::settle() {
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        QTest::qWait(20);
    }
}

void Tour::dismissToasts() {
    // Changes just made may still be toasted: a few rounds, until none comes.
    for (int round = 0; round < 5; ++round) {
        settle();
        const auto shown = window.findChildren<QAbstractButton*>(u"notificationToastDismiss"_s);
        if (std::none_of(shown.cbegin(), shown.cend(),
                         [](const QAbstractButton* dismiss) { return dismiss->isVisible(); }))
            return;
        for (auto* dismiss : shown)
            dismiss->click();
    }
}

void Tour::shoot(QWidget& widget, const QString& name) {
    settle();
    const QString path = u"%1/%2-%3.png"_s.arg(m_out, name, m_suffix);
    if (!widget.grab().save(path))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

void Tour::shootAlert(QWidget& host, const Alert& alert, const QString& name) {
    QTimer::singleShot(0, &host, [this, name] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shoot(*box, name);
            box->reject();
        }
    });
    WidgetDialogs().ask(&host, alert);
}

void Tour::shootRecordSection(const QString& key) {
    window.workspace().showSection(key);
    shoot(window, key);
    SectionPage* page = window.sections().page(key);
    if (QAction* edit = page->command(SectionCommand::edit))
        edit->trigger();
    if (auto* sheet = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        shoot(*sheet, key + u"-form"_s);
        sheet->reject();
    }
    // A document is written over the whole section, beside its page.
    if (auto* editor = window.findChild<QWidget*>(u"documentEditor"_s)) {
        shoot(window, key + u"-editor"_s);
        for (auto* cancel : editor->findChildren<QAbstractButton*>(u"documentEditorCancel"_s))
            cancel->click();
    }
}

void scrollTo(QWidget& root, const QString& name) {
    for (QWidget* widget : root.findChildren<QWidget*>(name)) {
        if (!widget->isVisibleTo(&root))
            continue;
        for (QWidget* w = widget->parentWidget(); w; w = w->parentWidget())
            if (auto* area = qobject_cast<QScrollArea*>(w)) {
                area->ensureWidgetVisible(widget, 50, 240);
                return;
            }
    }
}

namespace {

// One appearance, from the wizard of a new session to the list of sessions.
bool walk(const QString& out, AppAppearanceMode mode) {
    QTemporaryDir dir;
    LocalFileSystem fs;
    MemoryUserDefaults defaults;
    PathBookmarks bookmarks;
    velmora::test::StubFreeSpace freeSpace;
    velmora::test::SilentHttp http;
    SystemClock clock;
    gui::test::ScriptedDialogs dialogs;
    velmora::test::FakeMailComposer mail;
    velmora::test::FakeUrlOpener urls;
    velmora::test::FakeUserNotifications notifications;
    auto folder = StoreFolder::prepare(fs, dir.path() + u"/data"_s);
    if (!folder)
        return false;
    Application app(Environment{fs, defaults, bookmarks, freeSpace, http, clock, dialogs, mail,
                                urls, notifications, folder.value(), dir.path() + u"/cache"_s,
                                false});
    app.start();
    app.window().resize(1180, 780);
    Tour tour(out, mode == AppAppearanceMode::dark ? u"dark"_s : u"light"_s, app, dialogs,
              dir.path());

    shootWizard(tour, mode);
    shootDashboard(tour);
    // The sections of records, empty then filled, with their forms.
    shootEmptyClients(tour);
    addSampleRecords(app.store());
    shootClients(tour);
    shootServices(tour);
    shootStock(tour);
    shootProjects(tour);
    shootDocumentList(tour);
    shootRecipeBook(tour);
    shootDocumentCards(tour);
    shootProjectCancelAlert(tour);
    shootSettings(tour);
    shootProjectStatuses(tour);
    if (!shootUrssaf(tour))
        return false;
    if (!shootSubscriptions(tour))
        return false;
    if (!shootExpenses(tour))
        return false;
    if (!shootSummary(tour))
        return false;
    shootFilledDashboard(tour);
    shootCalendar(tour);
    shootNotifications(tour);
    shootSearch(tour);
    shootVault(tour);
    shootLock(tour);
    shootSessionList(tour);
    return true;
}

} // namespace

} // namespace velmora::tour

int main(int argc, char* argv[]) {
    QApplication qtApp(argc, argv);
    velmora::gui::initResources();
    if (argc != 2) {
        std::fputs("Usage : velmora-screenshots DOSSIER\n", stderr);
        return 2;
    }
    velmora::gui::AnimatedStack::setAnimationsEnabled(false);
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    for (velmora::AppAppearanceMode mode :
         {velmora::AppAppearanceMode::dark, velmora::AppAppearanceMode::light})
        if (!velmora::tour::walk(out, mode))
            return 1;
    return 0;
}
