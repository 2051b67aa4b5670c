#pragma once

#include "core/Result.h"
#include "core/model/SessionEncoder.h"
#include "core/platform/FileSystem.h"

#include <QByteArray>
#include <QString>

namespace velmora {

// Reads a whole file into a buffer that the decoder can parse in place.
// prepareBuffer, when given, sees the buffer's memory before it is filled
// (the platform layer uses it to ask for large pages).
Result<QByteArray> readSessionBytes(const QString& path,
                                    void (*prepareBuffer)(char* data, qsizetype size) = nullptr);

// Writes atomically: the previous file stays whole until the new one is
// complete on disk.
Result<> writeSessionFile(const AppDatabase& db, SessionFormat format, const QString& path);
Result<> writeSessionFile(FileSystem& fs, const AppDatabase& db, SessionFormat format,
                          const QString& path);

} // namespace velmora
