#pragma once

namespace velmora::gui {

class SectionRegistry;

void registerExternalToolsSection(SectionRegistry& registry);

} // namespace velmora::gui
