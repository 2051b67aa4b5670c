#pragma once

#include "core/Alert.h"
#include "core/model/AppDatabase.h"

#include <QByteArray>
#include <QUrl>

#include <functional>
#include <optional>

namespace velmora {

class FileSystem;

// The bytes of one of the session's media files (a logo, an imported PDF):
// from the media folder in the application, from the session file's embedded
// media in velmora-cli. Nothing when the file is not there. A reader keeps a
// reference to its file system or media map, which must outlive it.
using MediaReader = std::function<std::optional<QByteArray>(const QUrl&)>;
// Reads only inside the media folder: a record never makes the application
// read a file elsewhere.
MediaReader mediaFolderReader(const FileSystem& fs, const QString& mediaFolder);
// Finds the file by its name among the embedded media, as opening the
// session would.
MediaReader embeddedMediaReader(const QMap<QString, Base64Data>& embeddedMedia);

// A document's PDF, or the alert saying why there is none.
struct DocumentPdf {
    QByteArray bytes;
    std::optional<Alert> failure;
};

// An editor document is rendered; an imported one is its imported file,
// never rendered.
DocumentPdf documentPdf(const CommercialDocumentItem& document,
                        const std::function<QByteArray()>& renderPage, const MediaReader& media);

// "Enregistrer le PDF" for an editor document, "Enregistrer le fichier"
// (the "Télécharger PDF" button) for an imported one.
FilePanel documentPdfSavePanel(const CommercialDocumentItem& document);

// Writes the document's PDF at the chosen place; the alert of a failure,
// nothing written then.
std::optional<Alert> saveDocumentPdf(FileSystem& fs, const CommercialDocumentItem& document,
                                     const QString& destination,
                                     const std::function<QByteArray()>& renderPage,
                                     const MediaReader& media);

} // namespace velmora
