#pragma once

namespace velmora::gui {

class SectionRegistry;

void registerClientsSection(SectionRegistry& registry);

} // namespace velmora::gui
