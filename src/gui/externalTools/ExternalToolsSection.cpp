#include "gui/externalTools/ExternalToolsSection.h"

namespace velmora::gui {

SectionPage* externalToolsPage(const SectionServices& services) {
    return placeholderSection(
        QStringLiteral("Cet écran accueillera le coffre de vos outils externes et de "
                       "leurs identifiants, protégé par son propre code."))(services);
}

} // namespace velmora::gui
