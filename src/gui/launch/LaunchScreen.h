#pragma once

#include "core/session/LaunchPhase.h"

#include <QWidget>

class QLabel;
class QStackedWidget;

namespace velmora::gui {

class Application;
class LockView;
class SessionListView;
class WizardView;

// Everything before a session is open: the session list, the loading of a
// session, its lock screen and the creation wizard, following LaunchPhase.
class LaunchScreen : public QWidget {
    Q_OBJECT

public:
    explicit LaunchScreen(Application& app, QWidget* parent = nullptr);

    SessionListView& sessionList() { return *m_sessionList; }
    LockView& lockView() { return *m_lock; }
    WizardView& wizardView() { return *m_wizard; }

private:
    void showPhase();

    Application& m_app;
    QStackedWidget* m_pages = nullptr;
    SessionListView* m_sessionList = nullptr;
    QWidget* m_loading = nullptr;
    QLabel* m_loadingText = nullptr;
    LockView* m_lock = nullptr;
    WizardView* m_wizard = nullptr;
};

} // namespace velmora::gui
