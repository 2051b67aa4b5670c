#pragma once

#include "gui/settings/SettingsPanel.h"

class QRadioButton;

namespace velmora {
class AppDataStore;
}

namespace velmora::gui {

// "Apparence": dark or light, saved as soon as it is chosen; the application
// object repaints every window when the preference changes.
class AppearancePage : public SettingsPanel {
    Q_OBJECT

public:
    AppearancePage(AppDataStore& store, Dialogs& dialogs, QWidget* parent = nullptr);

private:
    void choose(bool light);
    void showStored();

    AppDataStore& m_store;
    QRadioButton* m_dark = nullptr;
    QRadioButton* m_light = nullptr;
};

} // namespace velmora::gui
