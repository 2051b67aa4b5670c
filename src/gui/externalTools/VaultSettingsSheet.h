#pragma once

#include "core/security/VaultCodeSettings.h"

#include <QDialog>

class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace velmora {
class AppDataStore;
} // namespace velmora

namespace velmora::gui {

// "Paramètres outils externes": the section's access code set, changed or
// removed, with the messages of VaultCodeSettings under the fields.
class VaultSettingsSheet : public QDialog {
    Q_OBJECT

public:
    VaultSettingsSheet(AppDataStore& store, QWidget* parent);

private:
    void refresh();
    void run(bool remove);

    AppDataStore& m_store;
    VaultCodeSettings m_settings;
    QLabel* m_state = nullptr;
    QFormLayout* m_form = nullptr;
    QLineEdit* m_old = nullptr;
    QLineEdit* m_new = nullptr;
    QLineEdit* m_confirmation = nullptr;
    QLabel* m_error = nullptr;
    QLabel* m_success = nullptr;
    QPushButton* m_submit = nullptr;
    QPushButton* m_remove = nullptr;
};

} // namespace velmora::gui
