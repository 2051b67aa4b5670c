#include "gui/externalTools/ExternalToolsSection.h"

#include "gui/main/SectionRegistry.h"

namespace velmora::gui {

void registerExternalToolsSection(SectionRegistry& registry) {
    registry.add(QStringLiteral("externalTools"),
                 placeholderSection(
                     QStringLiteral("Cet écran accueillera le coffre de vos outils externes et de "
                                    "leurs identifiants, protégé par son propre code.")));
}

} // namespace velmora::gui
