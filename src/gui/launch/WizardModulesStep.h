#pragma once

#include "gui/launch/WizardStepPage.h"

#include <QHash>

class QAbstractButton;

namespace velmora::gui {

// Step 6: which sections the session shows.
class WizardModulesStep : public WizardStepPage {
    Q_OBJECT

public:
    explicit WizardModulesStep(SessionWizard& wizard, QWidget* parent = nullptr);

    // The colour of a module's symbol on its card.
    static QColor moduleColor(const QString& id);

    void refresh() override;
    void proceed() override;

private:
    QHash<QString, QAbstractButton*> m_switches;
};

} // namespace velmora::gui
