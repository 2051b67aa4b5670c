#include "core/activities/ActivityAttachments.h"

#include "core/activities/ActivityTexts.h"
#include "core/store/SessionEdit.h"

#include <QFileInfo>
#include <QMimeDatabase>

#include <algorithm>

namespace velmora {
namespace {

const ProjectItem* findProject(const AppDatabase& session, const QUuid& projectID) {
    const auto found = std::find_if(session.projects.cbegin(), session.projects.cend(),
                                    [&](const ProjectItem& p) { return p.id == projectID; });
    return found == session.projects.cend() ? nullptr : &*found;
}

} // namespace

ProjectAttachmentKind attachmentKind(const QString& localPath) {
    const QMimeType type = QMimeDatabase().mimeTypeForFile(localPath);
    return type.name().startsWith(QLatin1String("image/")) ? ProjectAttachmentKind::image
                                                           : ProjectAttachmentKind::document;
}

Result<> attachFiles(SessionEdit& edit, const QUuid& projectID, const QList<QUrl>& files) {
    if (!findProject(edit.session(), projectID))
        return Result<>::notFound(ActivityTexts::notFoundMessage());
    if (files.isEmpty())
        return Result<>::unchanged();

    QList<ProjectAttachment> attached;
    for (const QUrl& url : files) {
        const QFileInfo info(url.toLocalFile());
        const QString name = url.isLocalFile() ? info.fileName() : url.fileName();
        const bool readable = url.isLocalFile() && info.isFile() && info.isReadable();
        const Result<QUrl> copy = readable
                                      ? edit.importMedia(url, false, QStringLiteral("attachment"))
                                      : Result<QUrl>::failure(QString());
        // The copies already made go with the failed edit.
        if (!copy)
            return Result<>::failure(
                attachmentFailedMessage(name.isEmpty() ? url.toDisplayString() : name));
        attached.append(ProjectAttachment{QUuid::createUuid(), name, copy.value(),
                                          attachmentKind(info.absoluteFilePath())});
    }
    edit.project(projectID)->attachments.append(attached);
    return Result<>();
}

Alert removeAttachmentConfirmation(const ProjectAttachment& attachment) {
    return Alert{Alert::Kind::warning,
                 QStringLiteral("Supprimer la pièce jointe ?"),
                 QStringLiteral("La pièce jointe « ") + attachment.originalFileName +
                     QStringLiteral(" » sera supprimée définitivement."),
                 {AlertButton{QStringLiteral("Annuler"), AlertRole::cancel},
                  AlertButton{QStringLiteral("Supprimer"), AlertRole::destructive}}};
}

Result<> removeAttachment(SessionEdit& edit, const QUuid& projectID, const QUuid& attachmentID) {
    const ProjectItem* project = findProject(edit.session(), projectID);
    if (!project)
        return Result<>::notFound(ActivityTexts::notFoundMessage());
    const QList<ProjectAttachment>& attachments = project->attachments;
    const auto found =
        std::find_if(attachments.cbegin(), attachments.cend(),
                     [&](const ProjectAttachment& a) { return a.id == attachmentID; });
    if (found == attachments.cend())
        return Result<>::notFound(attachmentNotFoundMessage());
    // The copy goes only once no saved session refers to it any more.
    edit.releaseMedia(found->storedFileURL);
    const qsizetype index = found - attachments.cbegin();
    edit.project(projectID)->attachments.removeAt(index);
    return Result<>();
}

bool filePathExists(const ProjectFilePath& shortcut) {
    const QString path = shortcut.path.trimmed();
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return shortcut.type == ProjectFilePathType::folder ? info.isDir() : info.isFile();
}

QString missingFilePathMessage(const ProjectFilePath& shortcut) {
    return QStringLiteral("Le chemin « ") + shortcut.path +
           QStringLiteral(" » est introuvable : le fichier ou le dossier a peut-être été "
                          "déplacé ou supprimé.");
}

} // namespace velmora
