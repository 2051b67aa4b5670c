#include "cli/CliContext.h"

#include "core/documents/DocumentDeadlines.h"
#include "core/documents/DocumentNumbering.h"
#include "core/documents/DocumentStatus.h"
#include "core/documents/DocumentTotals.h"
#include "core/model/SessionDecoder.h"
#include "core/model/SessionFile.h"

#include <QJsonObject>

namespace velmora::cli {
namespace {

Result<AppDatabase> loadSession(const QString& path, const Clock& clock) {
    auto bytes = readSessionBytes(path);
    if (!bytes)
        return Result<AppDatabase>::failure(bytes.error());
    return decodeSession(bytes.value(), clock);
}

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
    if (ctx.args.size() != 2)
        return usage(QStringLiteral("Usage : velmora-cli totals FICHIER NUMÉRO"));
    auto db = loadSession(ctx.args[0], *ctx.clock);
    if (!db)
        return fail(db.error());
    const CommercialDocumentItem* document = findDocument(db.value(), ctx.args[1]);
    if (!document)
        return fail(QStringLiteral("Document introuvable : « %1 ».").arg(ctx.args[1]));
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
    if (ctx.args.size() != 2)
        return usage(QStringLiteral("Usage : velmora-cli next-number FICHIER invoice|quote"));
    const auto kind = enumFromRaw<CommercialDocumentKind>(ctx.args[1].toStdString());
    if (!kind)
        return usage(QStringLiteral("Type de document inconnu : « %1 » (invoice ou quote attendu).")
                         .arg(ctx.args[1]));
    auto db = loadSession(ctx.args[0], *ctx.clock);
    if (!db)
        return fail(db.error());
    const QDate today = localDay(ctx.clock->now());
    printJson(
        QJsonObject{{QStringLiteral("number"), nextDocumentNumber(*kind, db->documents, today)}});
    return Success;
}

} // namespace

QList<Command> documentCommands() {
    return {
        {QStringLiteral("totals"), QStringLiteral("totals FICHIER NUMÉRO"), totals},
        {QStringLiteral("next-number"), QStringLiteral("next-number FICHIER invoice|quote"),
         nextNumber},
    };
}

} // namespace velmora::cli
