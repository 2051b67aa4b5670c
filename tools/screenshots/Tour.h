#pragma once

#include "ScriptedDialogs.h"
#include "core/Alert.h"
#include "core/model/AppPreferences.h"

#include <QApplication>
#include <QCheckBox>
#include <QString>
#include <QWidget>

namespace velmora::gui {
class Application;
class MainWindow;
} // namespace velmora::gui

namespace velmora::tour {

using namespace velmora::gui;

// One appearance's walk through the application, and the shots it writes:
// OUT/NAME-dark.png or OUT/NAME-light.png.
class Tour {
public:
    Tour(QString out, QString suffix, Application& app, gui::test::ScriptedDialogs& dialogs,
         QString folder);

    Application& app;
    MainWindow& window;
    gui::test::ScriptedDialogs& dialogs;
    // The run's temporary folder.
    QString folder;

    void settle();
    // The toasts of the notifications taken away, so a shot shows its screen.
    void dismissToasts();
    void shoot(QWidget& widget, const QString& name);
    // The dialog of this kind just opened over `host`, shot with one box
    // set as given (when named), then closed; the closed dialog goes before
    // the next one is looked for.
    template <class Dialog>
    void shootDialog(QWidget& host, const QString& name, const QString& box = QString(),
                     bool checked = false) {
        if (auto* dialog = host.findChild<Dialog*>()) {
            if (!box.isEmpty())
                for (auto* check : dialog->template findChildren<QCheckBox*>(box))
                    check->setChecked(checked);
            shoot(*dialog, name);
            dialog->reject();
        }
        settle();
    }
    // The alert as the window shows it, answered once shot.
    void shootAlert(QWidget& host, const Alert& alert, const QString& name);
    // A section of records as listed, then its form (or its editor, for a
    // document) on the selected record.
    void shootRecordSection(const QString& key);

private:
    QString m_out;
    QString m_suffix;
};

// Scrolls the first visible widget of that name into view, with what follows
// it, for a shot of the lower part of a long page.
void scrollTo(QWidget& root, const QString& name);

// Each folder's shots, in the order the walk takes them: each starts from
// the state the one before left.
void shootWizard(Tour& tour, AppAppearanceMode mode); // launch
void shootDashboard(Tour& tour);                      // dashboard
void shootFilledDashboard(Tour& tour);                // dashboard
void shootCalendar(Tour& tour);                       // calendar
void shootNotifications(Tour& tour);                  // notifications
void shootSearch(Tour& tour);                         // search
void shootVault(Tour& tour);                          // externalTools
void shootEmptyClients(Tour& tour);                   // clients
void shootClients(Tour& tour);                        // clients
void shootServices(Tour& tour);                       // services
void shootStock(Tour& tour);                          // stock
void shootProjects(Tour& tour);                       // projects
void shootDocumentList(Tour& tour);                   // documents
void shootRecipeBook(Tour& tour);                     // accounting
void shootDocumentCards(Tour& tour);                  // documents
void shootProjectCancelAlert(Tour& tour);             // projects
void shootSettings(Tour& tour);                       // settings
void shootProjectStatuses(Tour& tour);                // projects
bool shootUrssaf(Tour& tour);                         // accounting
bool shootSubscriptions(Tour& tour);                  // accounting
bool shootExpenses(Tour& tour);                       // accounting
bool shootSummary(Tour& tour);                        // accounting
void shootLock(Tour& tour);                           // launch
void shootSessionList(Tour& tour);                    // launch

} // namespace velmora::tour
