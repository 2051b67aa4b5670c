#pragma once

#include "core/security/VaultLock.h"
#include "gui/common/SectionServices.h"

namespace velmora::gui {

// The external tools vault's lock while a session is on screen: opened by
// its section, closed again whenever the session leaves the screen (locked,
// switched or closed). The global search reads it to list a locked vault's
// tools by name only.
class VaultSession : public SessionService {
    Q_OBJECT

public:
    using SessionService::SessionService;

    VaultLock& lock() { return m_lock; }
    bool isUnlocked() const { return m_lock.isUnlocked(); }
    // After the section changed the lock.
    void announce() { emit changed(); }

    void start() override {}
    void stop() override {
        m_lock.lock();
        emit changed();
    }

signals:
    void changed();

private:
    VaultLock m_lock;
};

} // namespace velmora::gui
