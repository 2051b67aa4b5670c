#include "gui/search/SpotlightIndexService.h"

#include "core/security/VaultLock.h"
#include "core/store/AppDataStore.h"
#include "gui/common/VaultSession.h"

#include <QtConcurrent/QtConcurrentRun>

namespace velmora::gui {

SpotlightIndexService::SpotlightIndexService(const SectionServices& services, QObject* parent)
    : SessionService(parent), m_services(services) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &SpotlightIndexService::build);
    connect(&m_services.store, &AppDataStore::sessionChanged, this, [this] {
        if (!m_active)
            return;
        ++m_generation;
        m_timer.start(coalesceMs);
    });
    connect(&m_watcher, &QFutureWatcher<std::shared_ptr<const SpotlightIndex>>::finished, this,
            &SpotlightIndexService::finish);
}

// The build reads a copy of the session; it is let finish rather than left
// running once the window is gone.
SpotlightIndexService::~SpotlightIndexService() {
    m_watcher.waitForFinished();
}

void SpotlightIndexService::start() {
    m_active = true;
    ++m_generation;
    // The vault's lock is a service of its own, found once all are made.
    if (auto* vault = sessionService<VaultSession>(m_services))
        connect(vault, &VaultSession::changed, this, &SpotlightIndexService::indexChanged,
                Qt::UniqueConnection);
    build();
}

void SpotlightIndexService::stop() {
    m_active = false;
    ++m_generation;
    m_timer.stop();
    m_index.reset();
    emit indexChanged();
}

SpotlightResult SpotlightIndexService::search(const QString& query, qsizetype hitLimit) const {
    if (!m_index)
        return {};
    return m_index->search(query, {.vaultLocked = vaultLocked(), .hitLimit = hitLimit});
}

// A vault without a code has nothing to hide.
bool SpotlightIndexService::vaultLocked() const {
    if (!hasVaultCode(m_services.store.session().preferences))
        return false;
    const auto* vault = sessionService<VaultSession>(m_services);
    return !vault || !vault->isUnlocked();
}

void SpotlightIndexService::build() {
    // A running build is followed by another when it comes back stale.
    if (!m_active || m_watcher.isRunning())
        return;
    m_runGeneration = m_generation;
    m_watcher.setFuture(QtConcurrent::run([session = m_services.store.session()] {
        return std::make_shared<const SpotlightIndex>(session);
    }));
}

void SpotlightIndexService::finish() {
    if (!m_active)
        return;
    if (m_runGeneration != m_generation) {
        if (!m_timer.isActive())
            build();
        return;
    }
    m_index = m_watcher.result();
    emit indexChanged();
}

} // namespace velmora::gui
