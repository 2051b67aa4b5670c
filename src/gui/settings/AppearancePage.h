#pragma once

#include <QWidget>

class QRadioButton;

namespace velmora {
class AppDataStore;
}

namespace velmora::gui {

class Dialogs;

// "Apparence": dark or light, saved as soon as it is chosen; the application
// object repaints every window when the preference changes.
class AppearancePage : public QWidget {
    Q_OBJECT

public:
    AppearancePage(AppDataStore& store, Dialogs& dialogs, QWidget* parent = nullptr);

signals:
    void saveRescueRequested();

private:
    void choose(bool light);
    void showStored();

    AppDataStore& m_store;
    Dialogs& m_dialogs;
    QRadioButton* m_dark = nullptr;
    QRadioButton* m_light = nullptr;
};

} // namespace velmora::gui
