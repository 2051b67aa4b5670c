#pragma once

#include "gui/launch/WizardStepPage.h"

namespace velmora::gui {

class AppearanceOption;

// Step 1: dark or light, applied to the whole application at once so the
// user sees the choice before going on.
class WizardAppearanceStep : public WizardStepPage {
    Q_OBJECT

public:
    WizardAppearanceStep(SessionWizard& wizard, AppDataStore& store, QWidget* parent = nullptr);

    void refresh() override;
    void reset() override;
    void proceed() override;
    // Puts the whole application in the appearance the session holds.
    void showOnScreen();

private:
    void choose(AppAppearanceMode mode);

    AppDataStore& m_store;
    AppearanceOption* m_dark = nullptr;
    AppearanceOption* m_light = nullptr;
};

} // namespace velmora::gui
