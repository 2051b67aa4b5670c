#pragma once

#include "Result.h"
#include "model/SessionEncoder.h"

#include <QByteArray>
#include <QString>

namespace velmora {

// Reads a whole file into a buffer that the decoder can parse in place.
Result<QByteArray> readSessionBytes(const QString& path);

// Writes atomically: the previous file stays whole until the new one is
// complete on disk.
Status writeSessionFile(const AppDatabase& db, SessionFormat format, const QString& path);

} // namespace velmora
