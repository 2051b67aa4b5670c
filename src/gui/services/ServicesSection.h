#pragma once

namespace velmora::gui {

class SectionRegistry;

void registerServicesSection(SectionRegistry& registry);

} // namespace velmora::gui
