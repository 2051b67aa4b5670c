#pragma once

#include "gui/common/SectionServices.h"

#include <QDate>
#include <QTimer>

namespace velmora {
class AppDataStore;
class UserNotifications;
} // namespace velmora

namespace velmora::gui {

// Keeps the automatic URSSAF declaration of the current month in line while
// a session is on screen: once when it appears, then a moment after its
// documents stop changing, so that typing in an invoice never waits for it,
// and again when the month turns while the application stays open.
// A failed save is reported by the store's saveFinished like any other.
class UrssafEstimateRunner : public SessionService {
    Q_OBJECT

public:
    static constexpr int debounceMs = 800;

    UrssafEstimateRunner(AppDataStore& store, UserNotifications& notifications,
                         QObject* parent = nullptr);

    // Whether the session is on screen; becoming shown runs the estimation
    // as soon as the window is idle.
    void setActive(bool active);
    bool isActive() const { return m_active; }
    void start() override { setActive(true); }
    void stop() override { setActive(false); }

signals:
    // After each run, whether it changed something or not.
    void refreshed();

private:
    void run();

    AppDataStore& m_store;
    UserNotifications& m_notifications;
    QTimer m_timer;
    QTimer m_monthCheck;
    QDate m_month; // the first day of the month last estimated
    bool m_active = false;
};

} // namespace velmora::gui
