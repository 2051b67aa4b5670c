#pragma once

#include "gui/launch/WizardStepPage.h"

class QLabel;

namespace velmora::gui {

class Dialogs;
class ElidedLabel;

// Step 3: where the session file is written.
class WizardLocationStep : public WizardStepPage {
    Q_OBJECT

public:
    WizardLocationStep(SessionWizard& wizard, Dialogs& dialogs, QWidget* parent = nullptr);

    // What the save panel proposes: the session's name as a file of the
    // documents folder (the home folder when there is none).
    static QString proposedFile(const QString& sessionName);

    void refresh() override;
    bool canContinue() const override;
    void proceed() override;

private:
    void chooseLocation();

    Dialogs& m_dialogs;
    QLabel* m_fileName = nullptr;
    ElidedLabel* m_folder = nullptr;
};

} // namespace velmora::gui
