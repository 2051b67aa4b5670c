#pragma once

namespace velmora::gui {

class SectionRegistry;

void registerProjectsSection(SectionRegistry& registry);

} // namespace velmora::gui
