#pragma once

#include "core/Result.h"
#include "core/model/AppDatabase.h"
#include "core/platform/Clock.h"

#include <QByteArray>

namespace velmora {

// Spare bytes after the data that let the decoder read a buffer in place; a
// buffer without them is copied first.
inline constexpr qsizetype kDecodePadding = 64;

// Reads a whole session. Any fault refuses the whole file with a French
// message naming where it failed. Keys missing from older files take their
// fallback; fresh ids and "now" come from the clock's moment of reading.
Result<AppDatabase> decodeSession(const QByteArray& bytes, const Clock& clock);

// Reads only preferences.appPassword, for the launch screen.
Result<CDBPreview> decodePreview(const QByteArray& bytes);

} // namespace velmora
