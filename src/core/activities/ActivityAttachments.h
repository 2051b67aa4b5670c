#pragma once

#include "core/Alert.h"
#include "core/Result.h"
#include "core/model/ProjectItem.h"

#include <QList>
#include <QString>
#include <QUrl>
#include <QUuid>

namespace velmora {

class SessionEdit;

// The files of an activity: attachments are copies embedded in the
// session's media; working-file shortcuts only point at the user's disk.

inline QString attachmentFailedMessage(const QString& fileName) {
    return QStringLiteral("Le fichier « ") + fileName +
           QStringLiteral(" » n'a pas pu être joint : il est introuvable ou illisible.");
}
inline QString attachmentNotFoundMessage() {
    return QStringLiteral("Cette pièce jointe n'existe plus.");
}

// `image` for a file of an image type, else `document`.
ProjectAttachmentKind attachmentKind(const QString& localPath);

// Copies the files into the session's media and appends them to the
// activity. All or nothing: when one file cannot be copied the edit fails,
// and the copies it made go with it. `unchanged` for no file.
Result<> attachFiles(SessionEdit& edit, const QUuid& projectID, const QList<QUrl>& files);

// "Supprimer la pièce jointe ?" with "Annuler" and "Supprimer".
Alert removeAttachmentConfirmation(const ProjectAttachment& attachment);
// Removes the attachment from the activity, then, once saved, its copy.
Result<> removeAttachment(SessionEdit& edit, const QUuid& projectID, const QUuid& attachmentID);

// Whether the shortcut leads to a folder (type folder) or a file (type file).
bool filePathExists(const ProjectFilePath& shortcut);
QString missingFilePathMessage(const ProjectFilePath& shortcut);

} // namespace velmora
