#pragma once

#include "gui/launch/WizardStepPage.h"

class QLabel;

namespace velmora::gui {

// Step 8: everything is ready; "Commencer" creates the session for good.
class WizardEndStep : public WizardStepPage {
    Q_OBJECT

public:
    WizardEndStep(SessionWizard& wizard, AppDataStore& store, QWidget* parent = nullptr);

    void refresh() override;
    QString continueText() const override;
    QWidget* focusTarget() const override;
    void proceed() override;

private:
    AppDataStore& m_store;
    QLabel* m_picture = nullptr;
    QLabel* m_name = nullptr;
    QLabel* m_file = nullptr;
    QWidget* m_start = nullptr;
};

} // namespace velmora::gui
