#pragma once

#include "core/session/SessionWizard.h"

#include <QWidget>

#include <optional>

class QLabel;
class QVBoxLayout;

namespace velmora::gui {

// One page of the creation wizard: the step's title and text from the
// wizard model, then the step's own content. The navigation under the pages
// belongs to the view; a page says what its buttons read and what they do.
class WizardStepPage : public QWidget {
    Q_OBJECT

public:
    WizardStepPage(SessionWizard& wizard, SessionWizard::Step step, QWidget* parent = nullptr);

    SessionWizard::Step step() const { return m_step; }

    // Shows what the models hold now; called each time the page comes up.
    virtual void refresh() {}
    // Forgets what was typed: a new creation starts.
    virtual void reset() {}
    // The field that takes the keyboard when the page comes up.
    virtual QWidget* focusTarget() const { return nullptr; }

    // Empty for a page that shows its own button to go on.
    virtual QString continueText() const;
    virtual bool canContinue() const { return true; }
    virtual void proceed() = 0;
    // The second action beside "continue" ("Continuer sans code", "Passer
    // cette étape"); none when the text is empty.
    virtual QString secondaryText() const { return {}; }
    // The object name of that button.
    virtual QString secondaryName() const { return {}; }
    virtual void proceedSecondary() {}

    // Symbols are painted in the colours of the moment: they are drawn again
    // when the appearance changes.
    virtual void updateSymbols() {}
    // What the step's rules say of the input as it is now (empty when it
    // would pass); nothing for a step whose messages come only from going on.
    virtual std::optional<QString> validationMessage() const { return std::nullopt; }

    // The view's messages of the step sit right under the page's content.
    void placeFeedback(QWidget* feedback);
    void releaseFeedback(QWidget* feedback);
    bool feedbackCentred() const { return m_feedbackCentred; }

signals:
    void canContinueChanged();
    // Return was pressed in a field: the same as the continue button.
    void continueRequested();
    // The user changed something the step's message may be about.
    void inputEdited();
    // A save that succeeded without reaching the user's own file.
    void warningRaised(const QString& warning);

protected:
    void changeEvent(QEvent* event) override;

    SessionWizard& wizard() const { return m_wizard; }
    // Where the step's content goes, under the header.
    QVBoxLayout* content() const { return m_content; }
    // Sends the page's content into a scroll area, for steps that can grow
    // taller than the window.
    void makeScrollable();
    // Gives the content the page's whole height, for content that places
    // itself with stretches.
    void fillHeight();
    // Puts the step's messages elsewhere than under the whole content.
    void setFeedbackSlot(QVBoxLayout* slot) { m_feedbackSlot = slot; }
    // Centred messages, for a page laid out around its middle.
    void setFeedbackCentred(bool centred) { m_feedbackCentred = centred; }

private:
    SessionWizard& m_wizard;
    SessionWizard::Step m_step;
    QVBoxLayout* m_outer = nullptr;
    QVBoxLayout* m_content = nullptr;
    QWidget* m_contentHost = nullptr;
    QVBoxLayout* m_feedbackSlot = nullptr;
    bool m_feedbackCentred = false;
};

} // namespace velmora::gui
