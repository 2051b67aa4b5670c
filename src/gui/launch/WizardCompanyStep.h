#pragma once

#include "gui/launch/WizardStepPage.h"

#include <QUrl>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace velmora::gui {

class Dialogs;
class PaymentMethodsField;

// Step 7, which may be skipped: the company shown on documents.
class WizardCompanyStep : public WizardStepPage {
    Q_OBJECT

public:
    WizardCompanyStep(SessionWizard& wizard, Dialogs& dialogs, QWidget* parent = nullptr);

    // What the fields hold now, as the wizard stores it.
    WizardCompanyIdentity identity() const;

    void refresh() override;
    void updateSymbols() override;
    void reset() override;
    QWidget* focusTarget() const override;
    QString continueText() const override;
    void proceed() override;
    std::optional<QString> validationMessage() const override;
    QString secondaryText() const override;
    QString secondaryName() const override { return QStringLiteral("skipCompanyButton"); }
    void proceedSecondary() override;

private:
    void chooseLogo();
    void showLogo();

    Dialogs& m_dialogs;
    QLineEdit* m_displayName = nullptr;
    QLineEdit* m_owner = nullptr;
    QLineEdit* m_legalStatus = nullptr;
    QLineEdit* m_siret = nullptr;
    QLineEdit* m_address1 = nullptr;
    QLineEdit* m_address2 = nullptr;
    QLabel* m_logoPreview = nullptr;
    QLabel* m_logoError = nullptr;
    QPushButton* m_removeLogo = nullptr;
    std::optional<QUrl> m_logo;
    PaymentMethodsField* m_methods = nullptr;
};

} // namespace velmora::gui
