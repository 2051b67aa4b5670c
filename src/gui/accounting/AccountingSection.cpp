#include "gui/accounting/AccountingSection.h"

#include "gui/accounting/AccountingPage.h"
#include "gui/accounting/RecipeBookTab.h"
#include "gui/accounting/UrssafTab.h"
#include "gui/main/SectionRegistry.h"

namespace velmora::gui {

void registerAccountingSection(SectionRegistry& registry) {
    registry.add(QStringLiteral("accounting"), [](const SectionServices& services) {
        auto* page = new AccountingPage;
        page->addTab(new RecipeBookTab(services), QStringLiteral("Livre de recettes"));
        page->addTab(new UrssafTab(services), QStringLiteral("URSSAF"));
        // Each further tab is its own widget, added here in the order shown.
        return page;
    });
}

} // namespace velmora::gui
