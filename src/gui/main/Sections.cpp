#include "gui/accounting/AccountingSection.h"
#include "gui/calendar/CalendarSection.h"
#include "gui/clients/ClientsSection.h"
#include "gui/dashboard/DashboardSection.h"
#include "gui/documents/DocumentsSection.h"
#include "gui/externalTools/ExternalToolsSection.h"
#include "gui/main/SectionRegistry.h"
#include "gui/projects/ProjectsSection.h"
#include "gui/services/ServicesSection.h"
#include "gui/stock/StockSection.h"

namespace velmora::gui {

void registerSections(SectionRegistry& registry) {
    registerDashboardSection(registry);
    registerClientsSection(registry);
    registerProjectsSection(registry);
    registerDocumentsSection(registry);
    registerServicesSection(registry);
    registerStockSection(registry);
    registerAccountingSection(registry);
    registerCalendarSection(registry);
    registerExternalToolsSection(registry);
}

} // namespace velmora::gui
