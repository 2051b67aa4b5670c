#pragma once

namespace velmora::gui {

class SectionRegistry;

void registerDocumentsSection(SectionRegistry& registry);

} // namespace velmora::gui
