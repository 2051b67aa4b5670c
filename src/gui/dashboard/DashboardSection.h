#pragma once

namespace velmora::gui {

class SectionRegistry;

void registerDashboardSection(SectionRegistry& registry);

} // namespace velmora::gui
