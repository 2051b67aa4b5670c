#include "gui/accounting/AccountingSection.h"

#include "gui/accounting/ExpensesTab.h"
#include "gui/accounting/RecipeBookTab.h"
#include "gui/accounting/SubscriptionEndWatcher.h"
#include "gui/accounting/SubscriptionsTab.h"
#include "gui/accounting/SummaryTab.h"
#include "gui/accounting/UrssafEstimateRunner.h"
#include "gui/accounting/UrssafTab.h"
#include "gui/common/TabbedSectionPage.h"

namespace velmora::gui {

SectionPage* accountingPage(const SectionServices& services) {
    auto* page = new TabbedSectionPage(QStringLiteral("accountingTabs"));
    page->addTab(new RecipeBookTab(services), QStringLiteral("Livre de recettes"));
    page->addTab(new UrssafTab(services), QStringLiteral("URSSAF"));
    page->addTab(new SubscriptionsTab(services), QStringLiteral("Abonnements"));
    page->addTab(new ExpensesTab(services), QStringLiteral("Dépenses"));
    page->addTab(new SummaryTab(services), QStringLiteral("Synthèse"));
    // Each further tab is its own widget, added here in the order shown.
    return page;
}

SessionService* urssafEstimateService(const SectionServices& services, QObject* parent) {
    return new UrssafEstimateRunner(services.store, services.notifications, parent);
}

SessionService* subscriptionEndService(const SectionServices& services, QObject* parent) {
    return new SubscriptionEndWatcher(services.store, parent);
}

} // namespace velmora::gui
