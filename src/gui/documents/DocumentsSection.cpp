#include "gui/documents/DocumentsSection.h"

#include "gui/documents/DocumentsPage.h"

namespace velmora::gui {

SectionPage* documentsPage(const SectionServices& services) {
    return new DocumentsPage(services);
}

} // namespace velmora::gui
