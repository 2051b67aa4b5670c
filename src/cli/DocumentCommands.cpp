#include "cli/Command.h"

#include "core/documents/DocumentDeadlines.h"
#include "core/documents/DocumentMail.h"
#include "core/documents/DocumentNumbering.h"
#include "core/documents/DocumentStatus.h"
#include "core/documents/DocumentTotals.h"
#include "render/DocumentRenderer.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

namespace velmora::cli {
namespace {

// By number first (the first in list order wins), then by id.
const CommercialDocumentItem* findDocument(const AppDatabase& db, const QString& name) {
    for (const CommercialDocumentItem& document : db.documents) {
        if (document.number == name)
            return &document;
    }
    const QUuid id = QUuid::fromString(name);
    if (id.isNull())
        return nullptr;
    for (const CommercialDocumentItem& document : db.documents) {
        if (document.id == id)
            return &document;
    }
    return nullptr;
}

int totals(CliContext& ctx) {
    auto db = ctx.loadSession(ctx.args[0]);
    if (!db)
        return fail(db.error());
    const CommercialDocumentItem* document = findDocument(db.value(), ctx.args[1]);
    if (!document)
        return fail(QStringLiteral("Document introuvable : « %1 ».").arg(ctx.args[1]));
    const StatusLists lists = StatusLists::of(db.value());
    const QDateTime now = ctx.clock->now();
    const QList<CommercialDocumentLine>& lines = document->lines;
    const qint64 late = daysLate(*document, lists, now);
    printJson(QJsonObject{
        {QStringLiteral("number"), document->number},
        {QStringLiteral("kind"), QString::fromLatin1(rawName(document->kind).data(),
                                                     qsizetype(rawName(document->kind).size()))},
        {QStringLiteral("statusKey"), statusKey(*document, lists)},
        {QStringLiteral("servicesTotalHT"), servicesTotalHT(lines)},
        {QStringLiteral("servicesTotalTVA"), servicesTotalTVA(lines)},
        {QStringLiteral("servicesTotalTTC"), servicesTotalTTC(lines)},
        {QStringLiteral("offeredTotalTTC"), offeredTotalTTC(lines)},
        {QStringLiteral("grossServicesTTC"), grossServicesTTC(lines)},
        {QStringLiteral("discountTotal"), discountTotal(lines)},
        {QStringLiteral("depositTotal"), depositTotal(lines)},
        {QStringLiteral("netDue"), netDue(*document)},
        {QStringLiteral("remainingDue"), remainingDue(*document)},
        {QStringLiteral("isFullyPaid"), isFullyPaid(*document)},
        {QStringLiteral("isLate"), late >= 1},
        {QStringLiteral("daysLate"), late},
        {QStringLiteral("isExpiredQuote"), isExpiredQuote(*document, lists, now)},
        {QStringLiteral("isInCancelledActivity"),
         isInCancelledActivity(*document, lists, db->projects)},
    });
    return Success;
}

int nextNumber(CliContext& ctx) {
    const auto kind = enumFromRaw<CommercialDocumentKind>(ctx.args[1].toStdString());
    if (!kind)
        return usage(QStringLiteral("Type de document inconnu : « %1 » (invoice ou quote attendu).")
                         .arg(ctx.args[1]));
    auto db = ctx.loadSession(ctx.args[0]);
    if (!db)
        return fail(db.error());
    const QDate today = localDay(ctx.clock->now());
    printJson(
        QJsonObject{{QStringLiteral("number"), nextDocumentNumber(*kind, db->documents, today)}});
    return Success;
}

// The session and one of its documents, or the exit of a command that found
// neither.
struct FoundDocument {
    std::optional<AppDatabase> db;
    const CommercialDocumentItem* document = nullptr;
    int failure = Success;
};

FoundDocument loadDocument(const CliContext& ctx) {
    FoundDocument found;
    auto db = ctx.loadSession(ctx.args[0]);
    if (!db) {
        found.failure = fail(db.error());
        return found;
    }
    found.db = std::move(db).value();
    found.document = findDocument(*found.db, ctx.args[1]);
    if (!found.document)
        found.failure = fail(QStringLiteral("Document introuvable : « %1 ».").arg(ctx.args[1]));
    return found;
}

int pdf(CliContext& ctx) {
    const FoundDocument found = loadDocument(ctx);
    if (!found.document)
        return found.failure;
    const CommercialDocumentItem& document = *found.document;
    const DocumentParties parties = DocumentParties::of(document, *found.db);
    const MediaReader media = embeddedMediaReader(found.db->embeddedMedia);
    const QFileInfo target(ctx.args[2]);
    ctx.fileSystem.removeWriteLeftovers(target.absolutePath(), target.fileName());
    const std::optional<Alert> failure = saveDocumentPdf(
        ctx.fileSystem, document, ctx.args[2],
        [&] { return renderDocumentPDF(document, parties, media); }, media);
    return failure ? fail(failure->message) : Success;
}

int mail(CliContext& ctx) {
    const FoundDocument found = loadDocument(ctx);
    if (!found.document)
        return found.failure;
    const DocumentEmail email =
        composeDocumentEmail(*found.document, DocumentParties::of(*found.document, *found.db));
    printJson(
        QJsonObject{{QStringLiteral("subject"), email.subject},
                    {QStringLiteral("body"), email.body},
                    {QStringLiteral("recipients"), QJsonArray::fromStringList(email.recipients)}});
    return Success;
}

int reminder(CliContext& ctx) {
    const FoundDocument found = loadDocument(ctx);
    if (!found.document)
        return found.failure;
    const CommercialDocumentItem& invoice = *found.document;
    if (invoice.kind != CommercialDocumentKind::invoice)
        return fail(QStringLiteral("Une relance ne concerne qu'une facture : « %1 » est un devis.")
                        .arg(ctx.args[1]));
    const qint64 late = daysLate(invoice, StatusLists::of(*found.db), ctx.clock->now());
    const PaymentReminder composed =
        composeReminder(invoice, late, DocumentParties::of(invoice, *found.db));
    printJson(QJsonObject{{QStringLiteral("subject"), composed.subject},
                          {QStringLiteral("body"), composed.body},
                          {QStringLiteral("url"), composed.url}});
    return Success;
}

} // namespace

QList<Command> documentCommands() {
    return {
        {.name = QStringLiteral("totals"),
         .arguments = {QStringLiteral("FICHIER"), QStringLiteral("NUMÉRO")},
         .help = QStringLiteral("Montants et échéances d'un document, désigné par son numéro (le "
                                "premier de la liste) ou son identifiant."),
         .run = totals},
        {.name = QStringLiteral("next-number"),
         .arguments = {QStringLiteral("FICHIER"), QStringLiteral("invoice|quote")},
         .help = QStringLiteral("Numéro que l'éditeur proposerait aujourd'hui pour une facture ou "
                                "un devis : {\"number\"}."),
         .run = nextNumber},
        {.name = QStringLiteral("pdf"),
         .arguments = {QStringLiteral("FICHIER"), QStringLiteral("NUMÉRO"),
                       QStringLiteral("SORTIE.pdf")},
         .help = QStringLiteral("Écrit le PDF d'un document ; pour un document importé, son "
                                "propre fichier."),
         .run = pdf},
        {.name = QStringLiteral("mail"),
         .arguments = {QStringLiteral("FICHIER"), QStringLiteral("NUMÉRO")},
         .help = QStringLiteral("L'e-mail d'envoi d'un document : {\"subject\", \"body\", "
                                "\"recipients\"}."),
         .run = mail},
        {.name = QStringLiteral("reminder"),
         .arguments = {QStringLiteral("FICHIER"), QStringLiteral("NUMÉRO")},
         .help = QStringLiteral("La relance d'une facture, avec son lien mailto: : {\"subject\", "
                                "\"body\", \"url\"}."),
         .run = reminder},
    };
}

} // namespace velmora::cli
