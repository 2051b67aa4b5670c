#include "gui/dashboard/DashboardSection.h"

#include "core/store/AppDataStore.h"
#include "gui/common/SessionFollower.h"
#include "gui/common/SessionPicture.h"
#include "gui/main/PlaceholderPage.h"

namespace velmora::gui {

namespace {

// Until the indicators are built: the session's picture, name and company
// over what the dashboard will hold.
class DashboardPage : public PlaceholderPage {
public:
    explicit DashboardPage(AppDataStore& store)
        : PlaceholderPage(
              QStringLiteral("Le tableau de bord réunira ici vos indicateurs : chiffre d’affaires, "
                             "encaissements, cotisations URSSAF et prochaines échéances.")),
          m_store(store) {
        followSession(this, m_store,
                      {SessionField::sessionName, SessionField::companySettings,
                       SessionField::sessionProfileImageName,
                       SessionField::sessionProfilePhotoData},
                      [this] { refresh(); });
    }

    void showEntry(const SidebarMenuItemConfig& entry) override {
        m_entryName = entry.displayName;
        refresh();
    }

private:
    void refresh() {
        const QString name = m_store.sessionName().value_or(QString()).trimmed();
        setPicture(sessionPicture(m_store, 96));
        setTitle(name.isEmpty() ? m_entryName : name);
        setSubtitle(m_store.companySettings().displayName.trimmed());
    }

    AppDataStore& m_store;
    QString m_entryName;
};

} // namespace

SectionPage* dashboardPage(const SectionServices& services) {
    return new DashboardPage(services.store);
}

} // namespace velmora::gui
