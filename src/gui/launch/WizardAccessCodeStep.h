#pragma once

#include "core/security/WizardSecuritySteps.h"
#include "gui/launch/WizardStepPage.h"

class QLineEdit;

namespace velmora::gui {

// Step 4: the access code and its confirmation, or going on without one.
class WizardAccessCodeStep : public WizardStepPage {
    Q_OBJECT

public:
    WizardAccessCodeStep(SessionWizard& wizard, AppDataStore& store, QWidget* parent = nullptr);

    void refresh() override;
    void reset() override;
    QWidget* focusTarget() const override;
    std::optional<QString> validationMessage() const override;
    void proceed() override;
    QString secondaryText() const override;
    QString secondaryName() const override { return QStringLiteral("skipCodeButton"); }
    void proceedSecondary() override;

private:
    void finish(const Result<>& result, bool withCode);

    AppDataStore& m_store;
    AccessCodeStep m_model;
    QLineEdit* m_code = nullptr;
    QLineEdit* m_confirmation = nullptr;
};

} // namespace velmora::gui
