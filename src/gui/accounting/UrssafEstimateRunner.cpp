#include "gui/accounting/UrssafEstimateRunner.h"

#include "core/accounting/UrssafEstimation.h"
#include "core/platform/Clock.h"
#include "core/store/AppDataStore.h"

#include <QtDebug>

namespace velmora::gui {

namespace {

QDate currentMonth(const AppDataStore& store) {
    const QDate today = store.clock().now().toLocalTime().date();
    return QDate(today.year(), today.month(), 1);
}

} // namespace

UrssafEstimateRunner::UrssafEstimateRunner(AppDataStore& store, UserNotifications& notifications,
                                           QObject* parent)
    : SessionService(parent), m_store(store), m_notifications(notifications) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &UrssafEstimateRunner::run);
    connect(&m_store, &AppDataStore::sessionChanged, this, [this](const SessionFields& fields) {
        if (m_active && fields.contains(SessionField::documents))
            m_timer.start(debounceMs);
    });
    m_monthCheck.setInterval(std::chrono::hours(1));
    connect(&m_monthCheck, &QTimer::timeout, this, [this] {
        if (m_active && currentMonth(m_store) != m_month)
            run();
    });
}

void UrssafEstimateRunner::setActive(bool active) {
    if (active == m_active)
        return;
    m_active = active;
    if (active) {
        m_timer.start(0);
        m_monthCheck.start();
    } else {
        m_timer.stop();
        m_monthCheck.stop();
    }
}

void UrssafEstimateRunner::run() {
    if (!m_active)
        return;
    m_month = currentMonth(m_store);
    const Result<UrssafEstimate> outcome = m_store.edit([&](SessionEdit& edit) {
        return refreshCurrentMonthEstimate(edit, m_store.clock().now(), m_notifications);
    });
    if (!outcome.ok())
        qWarning("Estimation URSSAF impossible : %s", qUtf8Printable(outcome.error()));
    emit refreshed();
}

} // namespace velmora::gui
