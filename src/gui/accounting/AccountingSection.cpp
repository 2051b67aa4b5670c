#include "gui/accounting/AccountingSection.h"

#include "gui/main/SectionRegistry.h"

namespace velmora::gui {

void registerAccountingSection(SectionRegistry& registry) {
    registry.add(QStringLiteral("accounting"),
                 placeholderSection(
                     QStringLiteral("Cet écran accueillera votre comptabilité : livre des "
                                    "recettes, dépenses, abonnements et déclarations URSSAF.")));
}

} // namespace velmora::gui
