#pragma once

#include <QString>

namespace velmora {

// Quantities and rates as a French document prints them: a decimal comma,
// at most two decimals, no trailing zeros ("100", "2,5", "0,75", "12,5").
QString formatQuantity(double value);
// "20 %", "5,5 %", with a no-break space before the sign.
QString formatPercent(double value);

} // namespace velmora
