#pragma once

#include "gui/common/SectionServices.h"

#include <QTimer>

namespace velmora {
class AppDataStore;
}

namespace velmora::gui {

// Makes subscriptions whose end date passes while the session is on screen
// inactive, as their form would: once when the session appears, then at the
// next end date (one timer, re-aimed when the subscriptions change).
class SubscriptionEndWatcher : public SessionService {
    Q_OBJECT

public:
    explicit SubscriptionEndWatcher(AppDataStore& store, QObject* parent = nullptr);

    void start() override;
    void stop() override;
    bool isWaiting() const { return m_timer.isActive(); }

private:
    void settle();
    void aim();

    AppDataStore& m_store;
    QTimer m_timer;
    bool m_active = false;
};

} // namespace velmora::gui
