#include "core/platform/UrlOpening.h"

#include <QFileInfo>

namespace velmora {

Alert openFailedAlert(const QUrl& url) {
    const bool file = url.isLocalFile();
    const QString shown =
        file ? QFileInfo(url.toLocalFile()).fileName() : url.toDisplayString(QUrl::RemoveUserInfo);
    Alert alert =
        okAlert(QStringLiteral("Ouverture impossible"),
                QStringLiteral("Aucun programme n’a pu ouvrir «\u00a0%1\u00a0».").arg(shown));
    if (file)
        alert.informativeText =
            QStringLiteral("Le fichier est ici\u00a0: %1").arg(url.toLocalFile());
    return alert;
}

} // namespace velmora
