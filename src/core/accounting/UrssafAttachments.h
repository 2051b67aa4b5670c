#pragma once

#include "core/Alert.h"
#include "core/model/AccountingRecords.h"

#include <QList>
#include <QString>
#include <QUrl>

#include <optional>

namespace velmora {

class FileSystem;

// An attached file of a declaration with what it is.
struct UrssafAttachment {
    QString label; // "Déclaration URSSAF", "Justificatif de paiement"
    QUrl file;
};

// The declaration's files, the declaration receipt first; empty when none.
QList<UrssafAttachment> urssafAttachments(const URSSAFDeclaration& declaration);

// Choosing a receipt to attach: a PDF or a picture.
FilePanel urssafAttachmentPickPanel(const QString& label);
// Saving a copy of an attached file elsewhere, under its own name.
FilePanel urssafAttachmentSavePanel(const UrssafAttachment& attachment);

// Copies the attached file, read only inside the session's media folder, to
// the destination; the alert says why it could not be done.
std::optional<Alert> saveUrssafAttachment(FileSystem& fs, const QString& mediaFolder,
                                          const QUrl& file, const QString& destination);

} // namespace velmora
