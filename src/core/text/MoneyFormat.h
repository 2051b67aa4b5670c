#pragma once

#include <QString>

namespace velmora {

// The one money format of the screens, texts and alerts: the euro currency
// format of the French locale, rounded to cents ("1 234,50 €"). The spaces
// are the locale's own: a narrow no-break space between thousands and a
// no-break space before the euro sign, so an amount never wraps.
QString formatMoney(double amount);

} // namespace velmora
