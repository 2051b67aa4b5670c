#include "desktop/SystemErrors.h"

#include <QtGlobal>

#include <cerrno>
#include <cstring>

namespace velmora {

FileErrorKind fileErrorKindOf(int errnum) {
    switch (errnum) {
    case ENOENT:
    case ENOTDIR:
        return FileErrorKind::notFound;
    case EISDIR:
        return FileErrorKind::isDirectory;
    case EACCES:
    case EPERM:
        return FileErrorKind::permissionDenied;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return FileErrorKind::noSpace;
    case EROFS:
        return FileErrorKind::readOnly;
    default:
        return FileErrorKind::other;
    }
}

QString describeSystemError(int errnum, const QString& what) {
    qWarning("%s : %s", qUtf8Printable(what), std::strerror(errnum));
    return fileErrorSentence(fileErrorKindOf(errnum));
}

} // namespace velmora
