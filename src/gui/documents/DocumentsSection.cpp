#include "gui/documents/DocumentsSection.h"

#include "gui/main/SectionRegistry.h"

namespace velmora::gui {

void registerDocumentsSection(SectionRegistry& registry) {
    registry.add(QStringLiteral("documents"),
                 placeholderSection(
                     QStringLiteral("Cet écran accueillera vos devis et factures : lignes et "
                                    "totaux, statuts, paiements, acomptes, relances et PDF.")));
}

} // namespace velmora::gui
