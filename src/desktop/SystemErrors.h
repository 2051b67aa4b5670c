#pragma once

#include "core/platform/FileErrors.h"

#include <QString>

namespace velmora {

FileErrorKind fileErrorKindOf(int errnum);

// The French sentence for a failed system call; the system's own text goes to
// the log, with what was being done.
QString describeSystemError(int errnum, const QString& what);

} // namespace velmora
