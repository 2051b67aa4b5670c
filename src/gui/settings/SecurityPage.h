#pragma once

#include "gui/settings/SettingsPanel.h"

class QLabel;

namespace velmora {
class AppDataStore;
}

namespace velmora::gui {

class ChangeCodeSheet;

// "Sécurité": whether the session has a code, the sheet that changes it, and
// the security questions kept for recovery.
class SecurityPage : public SettingsPanel {
    Q_OBJECT

public:
    SecurityPage(AppDataStore& store, Dialogs& dialogs, QWidget* parent = nullptr);

    // The sheet, created on first use and kept for the next.
    ChangeCodeSheet* changeCodeSheet();
    void openChangeCodeSheet();

private:
    void showStored();

    AppDataStore& m_store;
    QLabel* m_code = nullptr;
    QLabel* m_questions = nullptr;
    ChangeCodeSheet* m_sheet = nullptr;
};

} // namespace velmora::gui
