#include "gui/calendar/CalendarSection.h"

#include "gui/main/SectionRegistry.h"

namespace velmora::gui {

void registerCalendarSection(SectionRegistry& registry) {
    registry.add(
        QStringLiteral("calendar"),
        placeholderSection(QStringLiteral("Cet écran accueillera votre calendrier : échéances, "
                                          "paiements, déclarations et vos propres événements.")));
}

} // namespace velmora::gui
