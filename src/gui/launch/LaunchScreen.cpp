#include "gui/launch/LaunchScreen.h"

#include "gui/app/Application.h"
#include "gui/common/Theme.h"
#include "gui/launch/LockView.h"
#include "gui/launch/SessionListView.h"
#include "gui/launch/WizardView.h"

#include <QLabel>
#include <QProgressBar>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace velmora::gui {

LaunchScreen::LaunchScreen(Application& app, QWidget* parent) : QWidget(parent), m_app(app) {
    m_pages = new QStackedWidget(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pages);

    m_sessionList = new SessionListView(app.launch(), app.recentFiles(), m_pages);
    m_pages->addWidget(m_sessionList);

    m_loading = new QWidget(m_pages);
    auto* loading = new QVBoxLayout(m_loading);
    loading->addStretch(1);
    m_loadingText = theme::label(QString(), "subtitle", m_loading);
    m_loadingText->setObjectName(QStringLiteral("loadingText"));
    m_loadingText->setAlignment(Qt::AlignCenter);
    loading->addWidget(m_loadingText);
    auto* busy = new QProgressBar(m_loading);
    busy->setRange(0, 0);
    busy->setTextVisible(false);
    busy->setFixedWidth(220);
    busy->setMaximumHeight(6);
    loading->addWidget(busy, 0, Qt::AlignHCenter);
    loading->addStretch(1);
    m_pages->addWidget(m_loading);

    m_lock = new LockView(app.store(), m_pages);
    m_pages->addWidget(m_lock);
    connect(m_lock, &LockView::unlocked, &app.launch(), &LaunchPhase::unlocked);

    m_wizard = new WizardView(app.wizard(), app.store(), app.environment().dialogs, m_pages);
    m_pages->addWidget(m_wizard);

    connect(&app.launch(), &LaunchPhase::phaseChanged, this, &LaunchScreen::showPhase);
    showPhase();
}

void LaunchScreen::showPhase() {
    switch (m_app.launch().phase()) {
    case LaunchPhase::Phase::sessionPicker:
        m_pages->setCurrentWidget(m_sessionList);
        break;
    case LaunchPhase::Phase::loading:
        m_loadingText->setText(m_app.launch().statusText());
        m_pages->setCurrentWidget(m_loading);
        // Loading holds the event loop: paint the message now or never.
        if (isVisible())
            window()->repaint();
        break;
    case LaunchPhase::Phase::lockScreen:
        m_lock->reset();
        m_pages->setCurrentWidget(m_lock);
        break;
    case LaunchPhase::Phase::onboarding:
        m_pages->setCurrentWidget(m_wizard);
        break;
    case LaunchPhase::Phase::sessionOpen:
        break;
    }
}

} // namespace velmora::gui
