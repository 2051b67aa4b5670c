#pragma once

namespace velmora::gui {

class SectionRegistry;

void registerAccountingSection(SectionRegistry& registry);

} // namespace velmora::gui
