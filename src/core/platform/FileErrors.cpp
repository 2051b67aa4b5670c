#include "core/platform/FileErrors.h"

#include <system_error>

namespace velmora {

QString fileErrorSentence(FileErrorKind kind) {
    switch (kind) {
    case FileErrorKind::notFound:
        return QStringLiteral("le fichier ou le dossier est introuvable.");
    case FileErrorKind::isDirectory:
        return QStringLiteral("c'est un dossier.");
    case FileErrorKind::permissionDenied:
        return QStringLiteral("l'accès est refusé.");
    case FileErrorKind::noSpace:
        return QStringLiteral("le disque est plein.");
    case FileErrorKind::readOnly:
        return QStringLiteral("le disque est en lecture seule.");
    case FileErrorKind::other:
        break;
    }
    return QStringLiteral("erreur du système de fichiers.");
}

// Messages carry the French sentence; an older message, or one that a fake
// file system builds, may still carry the C library's text.
bool saysDiskIsFull(const QString& message) {
    const QString localized =
        QString::fromLocal8Bit(std::generic_category().message(int(std::errc::no_space_on_device)));
    return message.contains(fileErrorSentence(FileErrorKind::noSpace), Qt::CaseInsensitive) ||
           message.contains(QLatin1String("No space left on device"), Qt::CaseInsensitive) ||
           (!localized.isEmpty() && message.contains(localized, Qt::CaseInsensitive));
}

} // namespace velmora
