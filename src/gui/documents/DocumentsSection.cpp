#include "gui/documents/DocumentsSection.h"

#include "gui/documents/DocumentsPage.h"
#include "gui/main/SectionRegistry.h"

namespace velmora::gui {

void registerDocumentsSection(SectionRegistry& registry) {
    registry.add(QStringLiteral("documents"),
                 [](const SectionServices& services) { return new DocumentsPage(services); });
}

} // namespace velmora::gui
