#include "gui/accounting/SubscriptionEndWatcher.h"

#include "core/accounting/SubscriptionActions.h"
#include "core/store/AppDataStore.h"

#include <QtDebug>

#include <algorithm>
#include <chrono>

namespace velmora::gui {

namespace {

// A timer waits at most this long; a later end is aimed at again then.
constexpr qint64 kLongestWaitMs = qint64(24) * 24 * 3600 * 1000;

} // namespace

SubscriptionEndWatcher::SubscriptionEndWatcher(AppDataStore& store, QObject* parent)
    : SessionService(parent), m_store(store) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &SubscriptionEndWatcher::settle);
    connect(&m_store, &AppDataStore::sessionChanged, this, [this](const SessionFields& fields) {
        if (m_active && fields.contains(SessionField::recurringPurchases))
            aim();
    });
}

void SubscriptionEndWatcher::start() {
    if (m_active)
        return;
    m_active = true;
    settle();
}

void SubscriptionEndWatcher::stop() {
    m_active = false;
    m_timer.stop();
}

void SubscriptionEndWatcher::settle() {
    if (!m_active)
        return;
    const QDateTime now = m_store.clock().now();
    // Nothing ended: nothing touched, nothing saved.
    const Result<> outcome =
        m_store.edit([&](SessionEdit& edit) { return settleEndedSubscriptions(edit, now); });
    if (!outcome.ok() && outcome.kind() != ResultKind::unchanged)
        qWarning("Fin d'abonnement non enregistrée : %s", qUtf8Printable(outcome.error()));
    // A change re-aims through sessionChanged; aiming again costs nothing.
    aim();
}

void SubscriptionEndWatcher::aim() {
    m_timer.stop();
    if (!m_active)
        return;
    const QDateTime now = m_store.clock().now();
    const std::optional<QDateTime> next =
        nextSubscriptionEnd(m_store.session().recurringPurchases, now);
    if (!next)
        return;
    // A moment after the end itself, so that it has passed when settled.
    const qint64 wait = std::clamp<qint64>(now.msecsTo(*next) + 1000, 0, kLongestWaitMs);
    m_timer.start(std::chrono::milliseconds(wait));
}

} // namespace velmora::gui
