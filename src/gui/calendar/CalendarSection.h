#pragma once

namespace velmora::gui {

class SectionRegistry;

void registerCalendarSection(SectionRegistry& registry);

} // namespace velmora::gui
