#include "core/model/SectionDescriptor.h"
#include "gui/accounting/AccountingSection.h"
#include "gui/calendar/CalendarSection.h"
#include "gui/clients/ClientsSection.h"
#include "gui/dashboard/DashboardSection.h"
#include "gui/documents/DocumentsSection.h"
#include "gui/externalTools/ExternalToolsSection.h"
#include "gui/main/SectionRegistry.h"
#include "gui/notifications/NotificationsPanel.h"
#include "gui/projects/ProjectsSection.h"
#include "gui/search/SearchPanel.h"
#include "gui/services/ServicesSection.h"
#include "gui/stock/StockSection.h"

namespace velmora::gui {

namespace {

// Each section of core's table by its key: the factory of its page and the
// session services its folder contributes, if any.
struct SectionBinding {
    const char* key;
    SectionRegistry::Factory page;
    QList<SectionRegistry::ServiceFactory> services = {};
};

QList<SectionBinding> sectionBindings() {
    return {
        {"dashboard", dashboardPage},
        {"clients", clientsPage},
        {"projects", projectsPage},
        {"documents", documentsPage},
        {"services", servicesPage},
        {"stock", stockPage},
        {"accounting", accountingPage, {urssafEstimateService, subscriptionEndService}},
        {"calendar", calendarPage, {calendarSyncService}},
        {"externalTools", externalToolsPage, {vaultSession}},
    };
}

} // namespace

void registerSections(SectionRegistry& registry) {
    const QList<SectionBinding> bindings = sectionBindings();
    for (const SectionDescriptor& section : sectionDescriptors()) {
        for (const SectionBinding& binding : bindings) {
            if (section.key != QLatin1String(binding.key))
                continue;
            registry.add(section.key, binding.page);
            for (const SectionRegistry::ServiceFactory& service : binding.services)
                registry.addSessionService(service);
        }
    }
    registry.addSessionService(notificationCentreService);
    registry.addSessionService(spotlightIndexService);
    registry.addWindowTool([&registry](const SectionServices& services, QWidget& window) {
        SearchTool tool = searchTool(services, window);
        registry.setGlobalSearch(std::move(tool.open));
        return tool.button;
    });
    registry.addWindowTool(notificationBell);
    // The forms of other sections create a client with the clients' own sheet.
    registry.services().newClient = [&registry](QWidget* parent,
                                                std::function<void(const QUuid&)> created) {
        openNewClientSheet(registry.services(), parent, std::move(created));
    };
}

} // namespace velmora::gui
