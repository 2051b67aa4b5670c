#pragma once

#include <QString>

namespace velmora {

// The failures of the file system a user can act on; everything else is
// `other`, described by the system itself (in the log).
enum class FileErrorKind { notFound, isDirectory, permissionDenied, noSpace, readOnly, other };

// The French sentence shown to the user for a failed file operation.
QString fileErrorSentence(FileErrorKind kind);

// Whether a failure message says the disk is full, whichever layer wrote it.
bool saysDiskIsFull(const QString& message);

} // namespace velmora
