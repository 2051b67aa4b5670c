#pragma once

#include "core/store/SessionFields.h"

namespace velmora {

// The parts of the session the event list is built from, and its filters:
// a change of any of them changes the calendar.
inline SessionFields calendarSources() {
    return {SessionField::documents,
            SessionField::clients,
            SessionField::projects,
            SessionField::projectStatuses,
            SessionField::invoiceStatuses,
            SessionField::quoteStatuses,
            SessionField::recurringPurchases,
            SessionField::urssafDeclarations,
            SessionField::accountingPurchases,
            SessionField::stockItems,
            SessionField::customCalendarEvents,
            SessionField::customCalendarTags,
            SessionField::preferences};
}

} // namespace velmora
