#include "gui/accounting/UrssafEstimateRunner.h"

#include "core/accounting/UrssafEstimation.h"
#include "core/store/AppDataStore.h"

#include <QtDebug>

namespace velmora::gui {

UrssafEstimateRunner::UrssafEstimateRunner(AppDataStore& store, UserNotifications& notifications,
                                           QObject* parent)
    : QObject(parent), m_store(store), m_notifications(notifications) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &UrssafEstimateRunner::run);
    connect(&m_store, &AppDataStore::documentsChanged, this, [this] {
        if (m_active)
            m_timer.start(debounceMs);
    });
}

void UrssafEstimateRunner::setActive(bool active) {
    if (active == m_active)
        return;
    m_active = active;
    if (active)
        m_timer.start(0);
    else
        m_timer.stop();
}

void UrssafEstimateRunner::run() {
    if (!m_active)
        return;
    const Result<UrssafEstimate> outcome = refreshCurrentMonthEstimate(m_store, m_notifications);
    if (!outcome.ok())
        qWarning("Estimation URSSAF impossible : %s", qUtf8Printable(outcome.error()));
    emit refreshed();
}

} // namespace velmora::gui
