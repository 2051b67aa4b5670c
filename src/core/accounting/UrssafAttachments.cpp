#include "core/accounting/UrssafAttachments.h"

#include "core/accounting/UrssafDeclarationForm.h"
#include "core/documents/DocumentPdfExport.h"
#include "core/platform/FileSystem.h"

#include <QFileInfo>

namespace velmora {

QList<UrssafAttachment> urssafAttachments(const URSSAFDeclaration& declaration) {
    QList<UrssafAttachment> files;
    if (declaration.declarationFileURL)
        files.append(
            {UrssafDeclarationForm::declarationFileLabel(), *declaration.declarationFileURL});
    if (declaration.paymentFileURL)
        files.append({UrssafDeclarationForm::paymentFileLabel(), *declaration.paymentFileURL});
    return files;
}

FilePanel urssafAttachmentPickPanel(const QString& label) {
    FilePanel panel;
    panel.title = label;
    panel.prompt = QStringLiteral("Joindre");
    panel.extension = QStringLiteral("pdf png jpg jpeg heic");
    return panel;
}

FilePanel urssafAttachmentSavePanel(const UrssafAttachment& attachment) {
    FilePanel panel;
    panel.mode = FilePanel::Mode::saveFile;
    panel.title = QStringLiteral("Enregistrer le fichier");
    panel.prompt = QStringLiteral("Enregistrer");
    panel.proposedName = attachment.file.fileName();
    panel.extension = QFileInfo(panel.proposedName).suffix();
    panel.canCreateFolders = true;
    return panel;
}

std::optional<Alert> saveUrssafAttachment(FileSystem& fs, const QString& mediaFolder,
                                          const QUrl& file, const QString& destination) {
    const std::optional<QByteArray> bytes = mediaFolderReader(fs, mediaFolder)(file);
    if (!bytes)
        return okAlert(QStringLiteral("Erreur d'enregistrement"),
                       QStringLiteral("Le fichier joint est introuvable. Il a peut-être été "
                                      "déplacé ou supprimé."),
                       Alert::Kind::error);
    const Result<> written = fs.writeFileAtomically(destination, *bytes);
    if (written)
        return std::nullopt;
    return okAlert(QStringLiteral("Erreur d'enregistrement"),
                   QStringLiteral("Impossible d'enregistrer le fichier : ") + written.error(),
                   Alert::Kind::error);
}

} // namespace velmora
