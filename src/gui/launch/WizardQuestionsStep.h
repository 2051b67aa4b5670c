#pragma once

#include "core/security/WizardSecuritySteps.h"
#include "gui/launch/WizardStepPage.h"

class QPushButton;
class QVBoxLayout;

namespace velmora::gui {

// Step 5: one to three security questions with their answers.
class WizardQuestionsStep : public WizardStepPage {
    Q_OBJECT

public:
    WizardQuestionsStep(SessionWizard& wizard, AppDataStore& store, QWidget* parent = nullptr);

    const SecurityQuestionsStep& model() const { return m_model; }

    void refresh() override;
    void reset() override;
    QWidget* focusTarget() const override;
    std::optional<QString> validationMessage() const override;
    void proceed() override;

private:
    void rebuildRows();
    QWidget* makeRow(int index);

    AppDataStore& m_store;
    SecurityQuestionsStep m_model;
    QVBoxLayout* m_rows = nullptr;
    QPushButton* m_add = nullptr;
    QWidget* m_firstField = nullptr;
};

} // namespace velmora::gui
