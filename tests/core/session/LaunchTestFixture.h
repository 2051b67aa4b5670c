#pragma once

#include "core/model/NewSession.h"
#include "core/session/LaunchPhase.h"
#include "core/session/SessionFlows.h"
#include "core/session/SessionWizard.h"
#include "core/store/RecentFilesStore.h"
#include "support/DesktopStubs.h"
#include "support/QtPrinters.h"
#include "support/StoreFixture.h"

namespace velmora::test {

// A started store with the launch screen, the wizard and the main-window
// flows around it, as the application wires them.
class LaunchFixture : public StoreFixture {
protected:
    void SetUp() override {
        StoreFixture::SetUp();
        store = startStore();
        recent = std::make_unique<RecentFilesStore>(m_defaults, m_bookmarks, m_fs);
        wizard = std::make_unique<SessionWizard>(
            SessionWizard::Services{*store, *recent, m_defaults, m_freeSpace});
        launch = std::make_unique<LaunchPhase>(
            LaunchPhase::Services{*store, *recent, m_defaults, *wizard});
        flows = std::make_unique<SessionFlows>(
            SessionFlows::Services{*store, *recent, *wizard, *launch});
    }

    // A session file on disk with a name and, when given, an access code.
    QUrl sessionFile(const QString& fileName, const QString& sessionName,
                     const QString& code = QString()) {
        AppDatabase db = newSessionContents();
        db.sessionName = sessionName;
        db.preferences.appPassword = code;
        const QString file = path(QStringLiteral("Sessions/") + fileName);
        writeSession(file, db);
        return QUrl::fromLocalFile(file);
    }
    RecentEntry listed(const QUrl& url) {
        recent->add(url);
        return *recent->entry(RecentFilesStore::urlText(url));
    }

    StubFreeSpace m_freeSpace;
    std::unique_ptr<AppDataStore> store;
    std::unique_ptr<RecentFilesStore> recent;
    std::unique_ptr<SessionWizard> wizard;
    std::unique_ptr<LaunchPhase> launch;
    std::unique_ptr<SessionFlows> flows;
};

} // namespace velmora::test
