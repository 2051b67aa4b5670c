#pragma once

#include <QStringView>

#include <optional>

namespace velmora {

// The one parser of amounts typed by the user. It reads back what the program
// prints: a comma or a point as decimal mark, digit groups of three separated
// by a space, a no-break or a narrow no-break space ("1 450,00"), an optional
// trailing euro sign with or without a space ("1 450,00 €", "12,5€").
// Surrounding white space is ignored; anything else must be a complete,
// finite decimal number ("-3.25e2" parses; "1 45,00", "12,5,0", "€12", "nan",
// "inf", "1e999", "0x10" and "" do not). A non-finite amount would make every
// later save of the session unreadable, which is why this is the only way in.
std::optional<double> parseAmount(QStringView text);

} // namespace velmora
