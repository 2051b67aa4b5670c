#include "core/documents/DocumentMail.h"

#include "core/documents/DocumentStatus.h"
#include "core/documents/DocumentTotals.h"
#include "core/documents/DocumentWorkflow.h"
#include "core/platform/FileSystem.h"
#include "core/store/SessionEdit.h"
#include "core/text/FrenchDates.h"
#include "core/text/MoneyFormat.h"

#include <QUrl>

namespace velmora {
namespace {

bool isInvoice(const CommercialDocumentItem& document) {
    return document.kind == CommercialDocumentKind::invoice;
}

QString recipientOf(const DocumentParties& parties) {
    return parties.client ? parties.client->email.trimmed() : QString();
}

Alert errorAlert(QString title, QString message) {
    return okAlert(std::move(title), std::move(message), Alert::Kind::error);
}

// One line per payment: "• 1 juin 2025 : 300,00 € (Virement)".
QString paymentsParagraph(const CommercialDocumentItem& invoice) {
    if (invoice.encaissements.isEmpty())
        return QString();
    QStringList lines;
    for (const Encaissement& payment : invoice.encaissements) {
        QString line = QStringLiteral("• ") + formatMediumDate(payment.date) +
                       QStringLiteral(" : ") + formatMoney(payment.amount);
        if (const QString method = payment.paymentMethod.trimmed(); !method.isEmpty())
            line += QStringLiteral(" (") + method + QLatin1Char(')');
        lines << line;
    }
    return QStringLiteral("\nRèglements déjà reçus :\n") + lines.join(QLatin1Char('\n'));
}

// Characters of a URL query that stay raw: the unreserved ones (never
// encoded) and these, which the query allows but whose meaning is harmless
// inside a value.
const QByteArray kRawInQuery = "!$'()*,;:@/?";

QByteArray encodedQueryValue(const QString& text) {
    return QUrl::toPercentEncoding(text, kRawInQuery);
}

} // namespace

QString emailSignature(const CompanySettings& company) {
    QStringList lines;
    for (const QString& part : {company.displayName, company.ownerName}) {
        if (const QString trimmed = part.trimmed(); !trimmed.isEmpty())
            lines << trimmed;
    }
    return lines.isEmpty() ? QStringLiteral("Votre prestataire") : lines.join(QLatin1Char('\n'));
}

DocumentEmail composeDocumentEmail(const CommercialDocumentItem& document,
                                   const DocumentParties& parties) {
    const bool invoice = isInvoice(document);
    const QString number = document.number.trimmed();
    DocumentEmail email;
    // The subject names the document and who sends it, as a client's inbox
    // lists it.
    email.subject = (invoice ? QStringLiteral("Facture") : QStringLiteral("Devis"));
    if (!number.isEmpty())
        email.subject += QLatin1Char(' ') + number;
    QString sender = parties.company.displayName.trimmed();
    if (sender.isEmpty())
        sender = parties.company.ownerName.trimmed();
    if (!sender.isEmpty())
        email.subject += QStringLiteral(" — ") + sender;

    email.body = QStringLiteral("Bonjour,\n\nVeuillez trouver ci-joint ") +
                 (invoice ? QStringLiteral("la facture") : QStringLiteral("le devis")) +
                 QLatin1Char(' ') + number + QStringLiteral(".\n\nCordialement,\n") +
                 emailSignature(parties.company);
    if (const QString recipient = recipientOf(parties); !recipient.isEmpty())
        email.recipients << recipient;
    return email;
}

PaymentReminder composeReminder(const CommercialDocumentItem& invoice, qint64 daysLate,
                                const DocumentParties& parties) {
    const QString number = invoice.number;
    const QString total = formatMoney(netDue(invoice));
    const QString remaining = formatMoney(remainingDue(invoice));
    const QString payments = paymentsParagraph(invoice);
    const QString closing = QStringLiteral("\n\nCordialement,\n") + emailSignature(parties.company);

    PaymentReminder reminder;
    reminder.subject =
        QStringLiteral("Relance : facture ") + number + QStringLiteral(" — solde restant à régler");
    if (daysLate < 1) {
        reminder.body =
            QStringLiteral("Bonjour,\n\nNous vous contactons concernant votre facture ") + number +
            QStringLiteral(" d'un montant total de ") + total + QStringLiteral(".\n") + payments +
            QStringLiteral("\nUn solde de ") + remaining +
            QStringLiteral(" reste à régler. Pourriez-vous nous confirmer la date de "
                           "règlement prévue ?") +
            closing;
    } else {
        reminder.body =
            QStringLiteral("Bonjour,\n\nSauf erreur de notre part, votre facture ") + number +
            QStringLiteral(" d'un montant total de ") + total +
            QStringLiteral(" présente un solde impayé de ") + remaining +
            QStringLiteral(" depuis ") + QString::number(daysLate) + QStringLiteral(" jour") +
            (daysLate == 1 ? QString() : QStringLiteral("s")) + QStringLiteral(".\n") + payments +
            QStringLiteral("\nNous vous serions reconnaissants de bien vouloir procéder au "
                           "règlement du solde de ") +
            remaining +
            QStringLiteral(" dans les meilleurs délais.\n\nPassé ce délai, des pénalités de "
                           "retard pourront être appliquées conformément à nos conditions "
                           "générales de vente.") +
            closing;
    }
    reminder.url = mailtoUrl(recipientOf(parties), reminder.subject, reminder.body);
    return reminder;
}

QString mailtoUrl(const QString& recipient, const QString& subject, const QString& body) {
    const QByteArray url = "mailto:" + QUrl::toPercentEncoding(recipient, "@!$'()*,;:+") +
                           "?subject=" + encodedQueryValue(subject) +
                           "&body=" + encodedQueryValue(body);
    return QString::fromLatin1(url);
}

bool openReminder(UrlOpener& opener, const PaymentReminder& reminder) {
    const QUrl url = QUrl::fromEncoded(reminder.url.toLatin1(), QUrl::StrictMode);
    if (!url.isValid() || url.scheme() != QLatin1String("mailto"))
        return false;
    return opener.openUrl(url);
}

QString mailFallbackMessage(const QString& mailFailure, bool pdfOpened, const QString& pdfPath) {
    QString text = QStringLiteral("Aucun client de messagerie n'a pu être lancé");
    if (const QString reason = mailFailure.trimmed(); !reason.isEmpty())
        text += QStringLiteral("\u00a0: ") + reason;
    else
        text += QLatin1Char('.');
    const QString where = QStringLiteral("Il est enregistré ici\u00a0: «\u00a0") + pdfPath +
                          QStringLiteral("\u00a0»");
    if (pdfOpened)
        return text +
               QStringLiteral(" Le PDF a été ouvert — vous pouvez le glisser dans votre email "
                              "manuellement.\n\n") +
               where + QLatin1Char('.');
    return text + QStringLiteral(" Le PDF n'a pas pu être ouvert non plus.\n\n") + where +
           QStringLiteral(" — vous pouvez le joindre à votre email manuellement.");
}

Result<EmailOutcome> sendDocumentByEmail(
    SessionEdit& edit, const QUuid& documentID, const MailServices& services,
    const std::function<QByteArray(const CommercialDocumentItem&, const DocumentParties&)>&
        renderPage,
    const MediaReader& media, const Clock& clock) {
    EmailOutcome outcome;
    const QList<CommercialDocumentItem>& documents = edit.session().documents;
    const auto found =
        std::find_if(documents.cbegin(), documents.cend(),
                     [&](const CommercialDocumentItem& d) { return d.id == documentID; });
    if (found == documents.cend()) {
        outcome.alert = errorAlert(QStringLiteral("Envoi impossible"), documentNotFoundMessage());
        return outcome;
    }
    const CommercialDocumentItem document = *found;
    const DocumentParties parties = DocumentParties::of(document, edit.session());

    // 1. The PDF, where the mail program can read it.
    QByteArray pdf;
    if (document.sourceKind == CommercialDocumentSourceKind::importedPDF) {
        std::optional<QByteArray> file;
        if (document.importedPDFURL)
            file = media(*document.importedPDFURL);
        if (!file) {
            outcome.alert = errorAlert(QStringLiteral("PDF manquant"),
                                       QStringLiteral("Aucun PDF n'est associé à ce document."));
            return outcome;
        }
        pdf = std::move(*file);
    } else {
        pdf = renderPage(document, parties);
        if (pdf.isEmpty()) {
            outcome.alert = errorAlert(pdfFailureTitle(), pdfFailureMessage());
            return outcome;
        }
    }
    FileSystem& fs = services.fileSystem;
    const QString path =
        services.temporaryFolder + QLatin1Char('/') + documentPdfFileName(document);
    Result<> written = fs.createDirectories(services.temporaryFolder);
    if (written)
        written = fs.writeFileAtomically(path, pdf);
    if (!written) {
        outcome.alert =
            errorAlert(QStringLiteral("Fichier temporaire impossible"), written.error());
        return outcome;
    }
    outcome.attachmentPath = path;

    // 2. A machine without any mail service.
    if (!services.composer.isAvailable()) {
        outcome.alert = errorAlert(
            QStringLiteral("Service email indisponible"),
            QStringLiteral("Aucun client de messagerie n'est configuré sur cet ordinateur."));
        return outcome;
    }

    // 3–5. The message.
    const DocumentEmail email = composeDocumentEmail(document, parties);
    const MailMessage message{email.recipients, email.subject, email.body, path};

    // 6. No mail program took it: the PDF opens, for a manual attachment.
    // The alert says what failed and where the PDF is, since neither the
    // mail program nor, perhaps, the PDF viewer will show it.
    Result<> composed = Result<>::failure(QString());
    if (services.composer.canCompose(message))
        composed = services.composer.compose(message);
    if (!composed) {
        const bool opened = services.opener.openUrl(QUrl::fromLocalFile(path));
        outcome.alert = okAlert(QStringLiteral("Envoi automatique impossible"),
                                mailFallbackMessage(composed.error(), opened, path));
        return outcome;
    }

    // 7. Handed over: a draft is now sent.
    outcome.handedOver = true;
    markAsSentIfDraft(edit, documentID, clock);
    edit.setFailureTitle(QStringLiteral("Enregistrement impossible"));
    return outcome;
}

} // namespace velmora
