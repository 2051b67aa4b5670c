#pragma once

#include <QDateTime>
#include <QString>

#include <optional>
#include <string_view>

namespace velmora {

// Dates in session files are "YYYY-MM-DDThh:mm:ssZ": UTC, whole seconds, no
// fraction. Anything else is refused.
std::optional<QDateTime> parseIsoDate(std::string_view text);

// Writes exactly 20 characters into out. Sub-second parts are dropped; years
// outside 0000-9999 are clamped so that what is written always reads back.
void formatIsoDate(const QDateTime& date, char out[20]);
QString isoDateString(const QDateTime& date);

// Drops the milliseconds, as writing and reading back would.
QDateTime truncatedToSeconds(const QDateTime& date);

} // namespace velmora
