#include "gui/launch/WizardStepPage.h"

#include "gui/common/Theme.h"
#include "gui/common/WheelGuard.h"

#include <QEvent>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

namespace velmora::gui {

WizardStepPage::WizardStepPage(SessionWizard& wizard, SessionWizard::Step step, QWidget* parent)
    : QWidget(parent), m_wizard(wizard), m_step(step) {
    m_outer = new QVBoxLayout(this);
    m_outer->setContentsMargins(0, 0, 0, 0);
    m_outer->setSpacing(0);

    const QString title = SessionWizard::title(step);
    if (!title.isEmpty()) {
        QLabel* heading = theme::label(title, "title", this);
        heading->setObjectName(QStringLiteral("wizardStepTitle"));
        m_outer->addWidget(heading);
        m_outer->addSpacing(8);
    }
    const QString text = SessionWizard::text(step);
    if (!text.isEmpty() && !title.isEmpty()) {
        QLabel* lead = theme::label(text, "subtitle", this);
        lead->setObjectName(QStringLiteral("wizardStepText"));
        m_outer->addWidget(lead);
        m_outer->addSpacing(24);
    }

    m_contentHost = new QWidget(this);
    m_content = new QVBoxLayout(m_contentHost);
    m_content->setContentsMargins(0, 0, 0, 0);
    m_content->setSpacing(24);
    m_outer->addWidget(m_contentHost);
    m_feedbackSlot = new QVBoxLayout;
    m_feedbackSlot->setContentsMargins(0, 0, 0, 0);
    m_outer->addLayout(m_feedbackSlot);
    m_outer->addStretch(1);
}

void WizardStepPage::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        updateSymbols();
}

void WizardStepPage::placeFeedback(QWidget* feedback) {
    m_feedbackSlot->addWidget(feedback);
    feedback->show();
}

void WizardStepPage::releaseFeedback(QWidget* feedback) {
    m_feedbackSlot->removeWidget(feedback);
}

QString WizardStepPage::continueText() const {
    return QStringLiteral("Continuer");
}

void WizardStepPage::fillHeight() {
    m_outer->setStretch(m_outer->indexOf(m_contentHost), 1);
    m_outer->setStretch(m_outer->count() - 1, 0);
}

void WizardStepPage::makeScrollable() {
    const int at = m_outer->indexOf(m_contentHost);
    m_outer->removeWidget(m_contentHost);
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("wizardStepScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The page's own background shows through, in both appearances.
    scroll->viewport()->setAutoFillBackground(false);
    m_contentHost->setAutoFillBackground(false);
    scroll->setWidget(m_contentHost);
    guardWheel(m_contentHost);
    m_outer->insertWidget(at, scroll, 1);
    // The scroll area takes the height; the messages follow it.
    m_outer->setStretch(m_outer->count() - 1, 0);
}

} // namespace velmora::gui
