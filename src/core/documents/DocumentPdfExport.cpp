#include "core/documents/DocumentPdfExport.h"

#include "core/documents/DocumentPageContent.h"
#include "core/documents/DocumentStatus.h"
#include "core/platform/FileSystem.h"

#include <QDir>
#include <QFileInfo>

namespace velmora {
namespace {

bool isImported(const CommercialDocumentItem& document) {
    return document.sourceKind == CommercialDocumentSourceKind::importedPDF;
}

Alert errorAlert(QString title, QString message) {
    return okAlert(std::move(title), std::move(message), Alert::Kind::error);
}

} // namespace

MediaReader mediaFolderReader(const FileSystem& fs, const QString& mediaFolder) {
    const QString folder = QDir::cleanPath(mediaFolder) + QLatin1Char('/');
    return [&fs, folder](const QUrl& url) -> std::optional<QByteArray> {
        if (!url.isLocalFile())
            return std::nullopt;
        const QString path = QDir::cleanPath(url.toLocalFile());
        if (!path.startsWith(folder) || !fs.exists(path) || fs.isDirectory(path))
            return std::nullopt;
        Result<QByteArray> bytes = fs.readFile(path);
        if (!bytes)
            return std::nullopt;
        return std::move(bytes).value();
    };
}

MediaReader embeddedMediaReader(const QMap<QString, Base64Data>& embeddedMedia) {
    return [&embeddedMedia](const QUrl& url) -> std::optional<QByteArray> {
        const QString name = url.fileName();
        if (name.isEmpty())
            return std::nullopt;
        for (auto it = embeddedMedia.cbegin(); it != embeddedMedia.cend(); ++it) {
            if (QFileInfo(it.key()).fileName() == name)
                return it.value().decoded();
        }
        return std::nullopt;
    };
}

DocumentPdf documentPdf(const CommercialDocumentItem& document,
                        const std::function<QByteArray()>& renderPage, const MediaReader& media) {
    if (isImported(document)) {
        std::optional<QByteArray> file;
        if (document.importedPDFURL)
            file = media(*document.importedPDFURL);
        if (!file)
            return {{},
                    errorAlert(QStringLiteral("Fichier introuvable"),
                               QStringLiteral("Le fichier PDF est introuvable. Il a peut-être été "
                                              "déplacé ou supprimé."))};
        return {std::move(*file), std::nullopt};
    }
    QByteArray bytes = renderPage();
    if (bytes.isEmpty())
        return {{}, errorAlert(pdfFailureTitle(), pdfFailureMessage())};
    return {std::move(bytes), std::nullopt};
}

FilePanel documentPdfSavePanel(const CommercialDocumentItem& document) {
    FilePanel panel;
    panel.mode = FilePanel::Mode::saveFile;
    panel.title = isImported(document) ? QStringLiteral("Enregistrer le fichier")
                                       : QStringLiteral("Enregistrer le PDF");
    panel.prompt = QStringLiteral("Enregistrer");
    panel.proposedName = documentPdfFileName(document);
    panel.extension = QStringLiteral("pdf");
    panel.canCreateFolders = true;
    return panel;
}

std::optional<Alert> saveDocumentPdf(FileSystem& fs, const CommercialDocumentItem& document,
                                     const QString& destination,
                                     const std::function<QByteArray()>& renderPage,
                                     const MediaReader& media) {
    const DocumentPdf pdf = documentPdf(document, renderPage, media);
    if (pdf.failure)
        return pdf.failure;
    const Result<> written = fs.writeFileAtomically(destination, pdf.bytes);
    if (written)
        return std::nullopt;
    if (isImported(document))
        return errorAlert(QStringLiteral("Erreur d'enregistrement"),
                          QStringLiteral("Impossible d'enregistrer le fichier : ") +
                              written.error());
    return errorAlert(QStringLiteral("Erreur d'enregistrement"), written.error());
}

} // namespace velmora
