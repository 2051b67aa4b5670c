#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace velmora {
class AppDataStore;
} // namespace velmora

namespace velmora::gui {

class CalendarSyncService;
class Dialogs;

// The synchronisation panel: where it stands (to connect, creating,
// synchronising, connected with the calendar and the last run), the last
// run's counts, the recorded error, the store's folder with "Changer…", and
// the button that connects or synchronises now.
class CalendarSyncSheet : public QDialog {
    Q_OBJECT

public:
    CalendarSyncSheet(AppDataStore& store, CalendarSyncService& sync, Dialogs& dialogs,
                      QWidget* parent);

private:
    void refresh();
    void chooseFolder();

    AppDataStore& m_store;
    CalendarSyncService& m_sync;
    Dialogs& m_dialogs;
    QLabel* m_headline = nullptr;
    QLabel* m_details = nullptr;
    QLabel* m_counts = nullptr;
    QLabel* m_error = nullptr;
    QLabel* m_folder = nullptr;
    QPushButton* m_action = nullptr;
};

} // namespace velmora::gui
