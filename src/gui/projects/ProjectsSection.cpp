#include "gui/projects/ProjectsSection.h"

#include "gui/main/SectionRegistry.h"

namespace velmora::gui {

void registerProjectsSection(SectionRegistry& registry) {
    registry.add(QStringLiteral("projects"),
                 placeholderSection(QStringLiteral(
                     "Cet écran accueillera vos activités : client, devis et factures liés, "
                     "jalons, pièces jointes et raccourcis vers vos fichiers.")));
}

} // namespace velmora::gui
