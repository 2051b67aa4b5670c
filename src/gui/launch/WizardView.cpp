#include "gui/launch/WizardView.h"

#include "gui/common/AnimatedStack.h"
#include "gui/common/Icons.h"
#include "gui/common/Theme.h"
#include "gui/launch/WizardAccessCodeStep.h"
#include "gui/launch/WizardAppearanceStep.h"
#include "gui/launch/WizardCompanyStep.h"
#include "gui/launch/WizardEndStep.h"
#include "gui/launch/WizardIdentityStep.h"
#include "gui/launch/WizardLocationStep.h"
#include "gui/launch/WizardModulesStep.h"
#include "gui/launch/WizardQuestionsStep.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

namespace velmora::gui {

namespace {

constexpr int stepCount = int(SessionWizard::Step::end);

// Eight dots: done steps and the current one in the accent colour, the
// current one drawn longer.
class StepDots : public QWidget {
public:
    explicit StepDots(QWidget* parent) : QWidget(parent) { setFixedSize(sizeHint()); }
    QSize sizeHint() const override { return {(stepCount - 1) * 14 + 26, 8}; }
    void setStep(int step) {
        m_step = step;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        qreal x = 0;
        for (int i = 1; i <= stepCount; ++i) {
            const qreal width = i == m_step ? 20 : 8;
            QColor color = theme::accent();
            if (i > m_step)
                color = palette().color(QPalette::Mid);
            else if (i < m_step)
                color.setAlphaF(0.55);
            p.setBrush(color);
            p.drawRoundedRect(QRectF(x, 0, width, 8), 4, 4);
            x += width + 6;
        }
    }

private:
    int m_step = 1;
};

QString stepText(int step) {
    return QStringLiteral("Étape %1 sur %2").arg(step).arg(stepCount);
}

} // namespace

WizardView::WizardView(SessionWizard& wizard, AppDataStore& store, Dialogs& dialogs,
                       QWidget* parent)
    : QWidget(parent), m_wizard(wizard) {
    setObjectName(QStringLiteral("wizardView"));

    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(32, 36, 32, 28);
    outer->addStretch(1);
    auto* column = new QWidget(this);
    column->setObjectName(QStringLiteral("wizardColumn"));
    column->setMaximumWidth(columnWidth);
    column->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    outer->addWidget(column, 100);
    outer->addStretch(1);

    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* indicator = new QHBoxLayout;
    indicator->setSpacing(12);
    m_dots = new StepDots(column);
    indicator->addWidget(m_dots, 0, Qt::AlignVCenter);
    m_stepLabel = theme::label(QString(), "hint", column);
    m_stepLabel->setObjectName(QStringLiteral("wizardStepIndicator"));
    m_stepLabel->setWordWrap(false);
    indicator->addWidget(m_stepLabel, 0, Qt::AlignVCenter);
    indicator->addStretch(1);
    layout->addLayout(indicator);
    layout->addSpacing(28);

    m_stack = new AnimatedStack(column);
    m_stack->setObjectName(QStringLiteral("wizardPages"));
    m_pages = {
        new WizardAppearanceStep(wizard, store, m_stack),
        new WizardIdentityStep(wizard, dialogs, m_stack),
        new WizardLocationStep(wizard, dialogs, m_stack),
        new WizardAccessCodeStep(wizard, store, m_stack),
        new WizardQuestionsStep(wizard, store, m_stack),
        new WizardModulesStep(wizard, m_stack),
        new WizardCompanyStep(wizard, dialogs, m_stack),
        new WizardEndStep(wizard, store, m_stack),
    };
    for (WizardStepPage* page : m_pages) {
        m_stack->addWidget(page);
        connect(page, &WizardStepPage::canContinueChanged, this, &WizardView::updateNavigation);
        connect(page, &WizardStepPage::continueRequested, this, [this, page] {
            if (page == currentPage())
                proceed();
        });
        connect(page, &WizardStepPage::inputEdited, this, [this, page] {
            if (page == currentPage())
                clearFixedError();
        });
        connect(page, &WizardStepPage::warningRaised, this, [this](const QString& warning) {
            m_warning->setText(warning);
            m_warning->setVisible(!warning.isEmpty());
        });
    }
    layout->addWidget(m_stack, 1);

    // The step's messages, moved under the content of the page shown.
    m_feedback = new QWidget(column);
    auto* feedback = new QVBoxLayout(m_feedback);
    feedback->setContentsMargins(0, 14, 0, 0);
    feedback->setSpacing(4);
    m_error = theme::label(QString(), "error", m_feedback);
    m_error->setObjectName(QStringLiteral("wizardError"));
    m_error->hide();
    feedback->addWidget(m_error);
    m_warning = theme::label(QString(), "hint", m_feedback);
    m_warning->setObjectName(QStringLiteral("wizardWarning"));
    m_warning->hide();
    feedback->addWidget(m_warning);
    layout->addSpacing(20);

    auto* navigation = new QHBoxLayout;
    navigation->setSpacing(10);
    m_back = theme::button(QStringLiteral("Retour"), "", column);
    m_back->setObjectName(QStringLiteral("wizardBack"));
    navigation->addWidget(m_back);
    navigation->addStretch(1);
    // The second actions ("Continuer sans code", "Passer cette étape"), one
    // button each, so that each keeps its own name.
    for (WizardStepPage* page : m_pages) {
        const QString text = page->secondaryText();
        if (text.isEmpty())
            continue;
        QPushButton* button = theme::button(text, "", column);
        button->setObjectName(page->secondaryName());
        button->setMinimumHeight(36);
        button->setAutoDefault(true);
        button->hide();
        navigation->addWidget(button);
        m_secondaries.insert(page, button);
        connect(button, &QPushButton::clicked, this, [this, page] {
            if (page != currentPage() || m_stack->isAnimating())
                return;
            m_warning->hide();
            const QScopedValueRollback proceeding(m_proceeding, true);
            page->proceedSecondary();
        });
    }
    m_continue = theme::button(QString(), "primary", column);
    m_continue->setObjectName(QStringLiteral("wizardContinue"));
    m_continue->setMinimumWidth(140);
    m_continue->setMinimumHeight(36);
    m_back->setMinimumHeight(36);
    // Return on a focused navigation button presses it; anywhere else in a
    // page (after "Choisir…", on a picture or a switch) it goes on.
    m_back->setAutoDefault(true);
    m_continue->setAutoDefault(true);
    navigation->addWidget(m_continue);
    layout->addLayout(navigation);

    m_back->setIcon(symbolIcon(QStringLiteral("chevron.left")));
    connect(m_back, &QPushButton::clicked, this, [this] {
        if (m_stack->isAnimating())
            return;
        m_warning->hide();
        m_wizard.back();
    });
    connect(m_continue, &QPushButton::clicked, this, &WizardView::proceed);
    connect(m_stack, &AnimatedStack::transitionFinished, this, &WizardView::focusPage);

    connect(&m_wizard, &SessionWizard::stepChanged, this, &WizardView::showStep);
    connect(&m_wizard, &SessionWizard::errorChanged, this, &WizardView::updateError);
    connect(&m_wizard, &SessionWizard::inProgressChanged, this, &WizardView::onInProgressChanged);

    resetPages();
    m_stack->setCurrentIndex(m_wizard.stepNumber() - 1);
    showStep();
}

WizardStepPage* WizardView::page(SessionWizard::Step step) const {
    const int index = int(step) - 1;
    return index >= 0 && index < m_pages.size() ? m_pages[index] : nullptr;
}

WizardStepPage* WizardView::currentPage() const {
    return page(m_wizard.step());
}

void WizardView::resetPages() {
    for (WizardStepPage* page : m_pages)
        page->reset();
    m_warning->hide();
}

void WizardView::resetForNewRun() {
    resetPages();
    static_cast<WizardAppearanceStep*>(page(SessionWizard::Step::appearance))->showOnScreen();
    m_stack->setCurrentIndex(m_wizard.stepNumber() - 1);
    showStep();
}

void WizardView::onInProgressChanged(bool inProgress) {
    // A failed "Commencer" puts the creation back in progress: it goes on
    // where it was, with everything typed.
    if (!inProgress || m_proceeding)
        return;
    resetPages();
    static_cast<WizardAppearanceStep*>(page(SessionWizard::Step::appearance))->showOnScreen();
    // start() announces the new run before it moves to the first step: that
    // page is shown at once rather than sliding back through the others.
    m_stack->setCurrentIndex(0);
    if (m_wizard.step() == SessionWizard::Step::appearance)
        showStep();
}

void WizardView::showStep() {
    const int index = m_wizard.stepNumber() - 1;
    WizardStepPage* page = currentPage();
    if (page == nullptr)
        return;
    page->refresh();
    if (m_feedback->parentWidget() != page) {
        if (auto* previous = qobject_cast<WizardStepPage*>(m_feedback->parentWidget()))
            previous->releaseFeedback(m_feedback);
        page->placeFeedback(m_feedback);
    }
    const Qt::Alignment align = page->feedbackCentred() ? Qt::AlignHCenter : Qt::AlignLeft;
    m_error->setAlignment(align);
    m_warning->setAlignment(align);
    const bool backwards = index < m_stack->currentIndex();
    m_stack->slideTo(index, transitionMs, backwards);
    m_stepLabel->setText(stepText(m_wizard.stepNumber()));
    static_cast<StepDots*>(m_dots)->setStep(m_wizard.stepNumber());
    updateNavigation();
    updateError();
    if (!m_stack->isAnimating())
        focusPage();
}

void WizardView::updateNavigation() {
    WizardStepPage* page = currentPage();
    if (page == nullptr)
        return;
    m_back->setVisible(m_wizard.step() != SessionWizard::Step::appearance);
    // A page with its own button to go on (the last one) leaves none here.
    const QString text = page->continueText();
    m_continue->setText(text);
    m_continue->setVisible(!text.isEmpty());
    m_continue->setEnabled(page->canContinue());
    for (auto it = m_secondaries.cbegin(); it != m_secondaries.cend(); ++it)
        it.value()->setVisible(it.key() == page);
}

void WizardView::proceed() {
    WizardStepPage* page = currentPage();
    // A second click while the page slides in would act on a page not yet
    // seen: the next step's answers would be taken empty.
    if (page == nullptr || !page->canContinue() || m_stack->isAnimating())
        return;
    m_warning->hide();
    const QScopedValueRollback proceeding(m_proceeding, true);
    page->proceed();
}

void WizardView::updateError() {
    m_error->setText(m_wizard.error());
    m_error->setVisible(!m_wizard.error().isEmpty());
}

// A message stays while what is typed still deserves it, and goes as soon
// as it no longer does.
void WizardView::clearFixedError() {
    const std::optional<QString> problem = currentPage()->validationMessage();
    if (problem && *problem != m_wizard.error())
        m_error->hide();
}

void WizardView::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QWidget::keyPressEvent(event);
        return;
    }
    // A field goes on by itself; a navigation button takes Return itself.
    if (auto* field = qobject_cast<QLineEdit*>(focusWidget()); field && field->isVisible())
        return;
    proceed();
}

void WizardView::focusPage() {
    if (WizardStepPage* page = currentPage(); page && page->isVisible())
        if (QWidget* target = page->focusTarget())
            target->setFocus(Qt::OtherFocusReason);
}

} // namespace velmora::gui
