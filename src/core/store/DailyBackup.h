#pragma once

#include "core/platform/Clock.h"
#include "core/platform/FileSystem.h"

#include <QString>

namespace velmora {

// How many daily backups are kept.
inline constexpr int kKeptDailyBackups = 5;

// "database-2025-06-10.cdb" for the local calendar day of `moment`.
QString dailyBackupFileName(const QDateTime& moment);

// Copies the working copy of rootFolder into Backups/ once per local calendar
// day, then keeps the five newest backups by modification date. Failures are
// only logged: a backup never stops the start.
void runDailyBackup(FileSystem& fs, const QString& rootFolder, const Clock& clock);

} // namespace velmora
