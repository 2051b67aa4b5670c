#include "gui/calendar/CalendarSection.h"

namespace velmora::gui {

SectionPage* calendarPage(const SectionServices& services) {
    return placeholderSection(QStringLiteral("Cet écran accueillera votre calendrier : échéances, "
                                             "paiements, déclarations et vos propres événements."))(
        services);
}

} // namespace velmora::gui
