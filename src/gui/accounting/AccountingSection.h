#pragma once

#include "gui/main/SectionRegistry.h"

namespace velmora::gui {

SectionPage* accountingPage(const SectionServices& services);
// The month's URSSAF estimate, kept in line while the session is on screen.
SessionService* urssafEstimateService(const SectionServices& services, QObject* parent);
// Subscriptions whose end date passes become inactive while on screen.
SessionService* subscriptionEndService(const SectionServices& services, QObject* parent);

} // namespace velmora::gui
