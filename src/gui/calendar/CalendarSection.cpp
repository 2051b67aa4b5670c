#include "gui/calendar/CalendarSection.h"

#include "gui/calendar/CalendarPage.h"
#include "gui/calendar/CalendarSyncService.h"

namespace velmora::gui {

SectionPage* calendarPage(const SectionServices& services) {
    return new CalendarPage(services);
}

SessionService* calendarSyncService(const SectionServices& services, QObject* parent) {
    return new CalendarSyncService(services.store, services.userDefaults, parent);
}

} // namespace velmora::gui
