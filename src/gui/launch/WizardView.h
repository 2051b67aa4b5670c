#pragma once

#include "core/session/SessionWizard.h"

#include <QHash>
#include <QList>
#include <QWidget>

class QLabel;
class QPushButton;

namespace velmora {
class AppDataStore;
}

namespace velmora::gui {

class AnimatedStack;
class Dialogs;
class WizardStepPage;

// The creation wizard: one page per step of the model, a step indicator,
// the error of the step and the navigation. The view follows the model's
// step; every rule and message is the model's.
class WizardView : public QWidget {
    Q_OBJECT

public:
    static constexpr int transitionMs = 350;
    static constexpr int columnWidth = 600;

    WizardView(SessionWizard& wizard, AppDataStore& store, Dialogs& dialogs,
               QWidget* parent = nullptr);

    // Clears what the pages hold for a new creation, shows the new session's
    // appearance and the model's current step without animation. Done by
    // itself when the wizard starts.
    void resetForNewRun();

    WizardStepPage* currentPage() const;
    WizardStepPage* page(SessionWizard::Step step) const;

protected:
    // Return goes on to the next step from anywhere in a page.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void resetPages();
    void onInProgressChanged(bool inProgress);
    void showStep();
    void updateNavigation();
    void proceed();
    void updateError();
    void focusPage();
    void clearFixedError();

    SessionWizard& m_wizard;
    AnimatedStack* m_stack = nullptr;
    QList<WizardStepPage*> m_pages;
    QLabel* m_stepLabel = nullptr;
    QWidget* m_dots = nullptr;
    QWidget* m_feedback = nullptr;
    QLabel* m_error = nullptr;
    QLabel* m_warning = nullptr;
    QPushButton* m_back = nullptr;
    QHash<WizardStepPage*, QPushButton*> m_secondaries;
    QPushButton* m_continue = nullptr;
    bool m_proceeding = false;
};

} // namespace velmora::gui
