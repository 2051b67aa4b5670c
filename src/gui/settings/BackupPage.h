#pragma once

#include "core/app/BackupSettingsForm.h"

#include "gui/settings/SettingsPanel.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace velmora {
class AppDataStore;
}

namespace velmora::gui {

// "Sauvegarde": the folder that receives a copy of the session at every
// save, and its switch; each change is saved at once.
class BackupPage : public SettingsPanel {
    Q_OBJECT

public:
    BackupPage(AppDataStore& store, Dialogs& dialogs, QWidget* parent = nullptr);

private:
    void chooseFolder();
    void clearFolder();
    void setEnabled(bool enabled);
    void applyForm();
    void showStored();
    void showForm();

    AppDataStore& m_store;
    BackupSettingsForm m_form;
    QLabel* m_folder = nullptr;
    QPushButton* m_clear = nullptr;
    QCheckBox* m_enabled = nullptr;
    QLabel* m_error = nullptr;
    bool m_applying = false;
};

} // namespace velmora::gui
