#pragma once

#include "core/Alert.h"
#include "core/documents/DocumentPageContent.h"
#include "core/documents/DocumentPdfExport.h"
#include "core/platform/MailComposer.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace velmora {

class SessionEdit;
class Clock;
class FileSystem;

// The company's name and owner, one per line, or "Votre prestataire".
QString emailSignature(const CompanySettings& company);

// "Envoyer par email": the document with its PDF attached.
struct DocumentEmail {
    QString subject;
    QString body;
    QStringList recipients;
};
DocumentEmail composeDocumentEmail(const CommercialDocumentItem& document,
                                   const DocumentParties& parties);

// "Envoyer une relance": an invoice's outstanding balance, opened as a
// mailto: link. A reminder never changes the invoice's status.
struct PaymentReminder {
    QString subject;
    QString body;
    QString url;
};
PaymentReminder composeReminder(const CommercialDocumentItem& invoice, qint64 daysLate,
                                const DocumentParties& parties);

// "mailto:" + recipient + "?subject=…&body=…". Besides what a URL query
// cannot hold raw, "&", "=", "+", "#" and "%" are encoded, so that a company
// named "Dupont & Fils" does not cut the body short.
QString mailtoUrl(const QString& recipient, const QString& subject, const QString& body);

// Opens the reminder with the default mail handler; false when the link is
// not a valid URL or nothing opened it.
bool openReminder(UrlOpener& opener, const PaymentReminder& reminder);

// What sending a document by e-mail needs from the platform.
struct MailServices {
    MailComposer& composer;
    UrlOpener& opener;
    FileSystem& fileSystem;
    // Where the attached PDF is written for the mail program to read.
    QString temporaryFolder;
};

struct EmailOutcome {
    // The message reached the mail program; a draft then took the sent
    // status.
    bool handedOver = false;
    // What the window shows: the reason nothing was sent, or the fallback.
    std::optional<Alert> alert;
    QString attachmentPath;
};

// The alert's text when no mail program took the message: what failed (the
// mail program's reason when it gave one), whether the PDF could be opened
// instead, and where it was saved.
QString mailFallbackMessage(const QString& mailFailure, bool pdfOpened, const QString& pdfPath);

// Renders (or, for an imported document, copies) the PDF into the temporary
// folder, composes the message from the document's parties and hands it to
// the mail program; without one able to take it the PDF is opened instead.
// Only a message handed over moves a draft to "envoyé"; when that cannot be
// saved the result is `notSaved`, with its alert.
Result<EmailOutcome> sendDocumentByEmail(
    SessionEdit& edit, const QUuid& documentID, const MailServices& services,
    const std::function<QByteArray(const CommercialDocumentItem&, const DocumentParties&)>&
        renderPage,
    const MediaReader& media, const Clock& clock);

} // namespace velmora
