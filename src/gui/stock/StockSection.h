#pragma once

namespace velmora::gui {

class SectionRegistry;

void registerStockSection(SectionRegistry& registry);

} // namespace velmora::gui
