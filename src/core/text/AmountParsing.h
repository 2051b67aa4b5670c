#pragma once

#include <QStringView>

#include <optional>

namespace velmora {

// The one parser of amounts typed by the user. A comma is a decimal point;
// surrounding white space is ignored; anything else must be a complete, finite
// decimal number ("12,5" and "-3.25e2" parse; "12,5 €", "nan", "inf", "1e999",
// "0x10" and "" do not). A non-finite amount would make every later save of
// the session unreadable, which is why this is the only way in.
std::optional<double> parseAmount(QStringView text);

} // namespace velmora
