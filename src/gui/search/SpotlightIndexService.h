#pragma once

#include "core/search/SpotlightIndex.h"
#include "gui/common/SectionServices.h"

#include <QFutureWatcher>
#include <QTimer>

#include <memory>

namespace velmora::gui {

// The global search's index of the session on screen. It is built on a
// worker thread when the session appears and again after each change of the
// store, once a burst of changes is over; a build that a newer change made
// stale never replaces the index. Queries run on the interface thread
// against the latest index, which costs a few milliseconds.
class SpotlightIndexService : public SessionService {
    Q_OBJECT

public:
    static constexpr int coalesceMs = 150;

    SpotlightIndexService(const SectionServices& services, QObject* parent);
    ~SpotlightIndexService() override;

    void start() override;
    void stop() override;

    // Empty until the first build is in.
    SpotlightResult search(const QString& query, qsizetype hitLimit) const;
    bool isReady() const { return bool(m_index); }
    // Whether tools are listed by their name only: the vault has a code
    // and is not open.
    bool vaultLocked() const;

signals:
    // A newer index is in, or the vault's lock changed: results may differ.
    void indexChanged();

private:
    void build();
    void finish();

    SectionServices m_services;
    QTimer m_timer;
    QFutureWatcher<std::shared_ptr<const SpotlightIndex>> m_watcher;
    std::shared_ptr<const SpotlightIndex> m_index;
    bool m_active = false;
    // Bumped by every change; a build carries the value it started from.
    int m_generation = 0;
    int m_runGeneration = 0;
};

} // namespace velmora::gui
