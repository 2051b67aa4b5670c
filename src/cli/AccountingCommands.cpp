#include "cli/Command.h"

#include "core/accounting/RecipeBook.h"
#include "core/accounting/RecipeBookCsv.h"
#include "core/accounting/RecipeBookPdfExport.h"
#include "render/RecipeBookPdf.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

namespace velmora::cli {
namespace {

int recipes(CliContext& ctx) {
    RecipePeriod period;
    if (const auto year = ctx.value(QStringLiteral("year"))) {
        period.year = boundedNumber(*year, 1, 9999);
        if (!period.year)
            return usage(QStringLiteral("L'option --year attend une année (par exemple 2025)."));
    }
    if (const auto month = ctx.value(QStringLiteral("month"))) {
        period.month = boundedNumber(*month, 1, 12);
        if (!period.month)
            return usage(QStringLiteral("L'option --month attend un mois de 1 à 12."));
    }
    const std::optional<QString> csv = ctx.value(QStringLiteral("csv"));
    const std::optional<QString> pdf = ctx.value(QStringLiteral("pdf"));
    if (csv && pdf)
        return usage(QStringLiteral("Les options --csv et --pdf s'excluent : choisissez-en une."));
    const auto db = ctx.loadSession(ctx.args[0]);
    if (!db)
        return fail(db.error());
    const QList<RecipeEntry> entries = recipeEntries(db.value(), period);
    if (entries.isEmpty())
        return fail(noRecipeAlert().title);

    if (const std::optional<QString> out = csv ? csv : pdf) {
        const QFileInfo target(*out);
        ctx.fileSystem.removeWriteLeftovers(target.absolutePath(), target.fileName());
        const std::optional<Alert> failure =
            csv ? saveRecipeBookCsv(ctx.fileSystem, entries, db->clients, *out)
                : saveRecipeBookPdf(ctx.fileSystem,
                                    recipeBookPages(recipeRows(entries, db->clients),
                                                    db->accountingRecipeSettings, period,
                                                    ctx.clock->now()),
                                    *out, [](const QList<LivreRecettesPDFPage>& pages) {
                                        return renderRecipeBookPDF(pages);
                                    });
        return failure ? fail(failure->message) : Success;
    }

    const QList<LivreRecettesRow> rows = recipeRows(entries, db->clients);
    QJsonArray list;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const LivreRecettesRow& row = rows[i];
        const RecipeSplit split = recipeEntrySplit(entries[i]);
        list.append(QJsonObject{
            {QStringLiteral("id"), entries[i].id.toString(QUuid::WithoutBraces)},
            {QStringLiteral("number"), row.number},
            {QStringLiteral("date"), row.date},
            {QStringLiteral("client"), row.client},
            {QStringLiteral("nature"), row.nature},
            {QStringLiteral("settlement"), row.settlement},
            {QStringLiteral("amount"), row.amount},
            {QStringLiteral("ht"), split.ht},
            {QStringLiteral("tva"), split.tva},
        });
    }
    printJson(QJsonObject{{QStringLiteral("entries"), list},
                          {QStringLiteral("total"), recipeTotal(entries)}});
    return Success;
}

} // namespace

QList<Command> accountingCommands() {
    return {
        {.name = QStringLiteral("recipes"),
         .arguments = {QStringLiteral("FICHIER")},
         .options = {{.name = QStringLiteral("year"),
                      .valueName = QStringLiteral("ANNÉE"),
                      .valueKind = QStringLiteral("une année"),
                      .help = QStringLiteral("l'année des encaissements")},
                     {.name = QStringLiteral("month"),
                      .valueName = QStringLiteral("MOIS"),
                      .valueKind = QStringLiteral("un mois"),
                      .help = QStringLiteral("le mois des encaissements, de 1 à 12")},
                     {.name = QStringLiteral("csv"),
                      .valueName = QStringLiteral("SORTIE"),
                      .valueKind = QStringLiteral("un fichier"),
                      .help = QStringLiteral("écrit le livre en CSV au lieu de l'afficher")},
                     {.name = QStringLiteral("pdf"),
                      .valueName = QStringLiteral("SORTIE"),
                      .valueKind = QStringLiteral("un fichier"),
                      .help = QStringLiteral("écrit le livre en PDF au lieu de l'afficher")}},
         .help =
             QStringLiteral("Le livre de recettes de la période : {\"entries\": [{\"id\", "
                            "\"number\", \"date\", \"client\", \"nature\", \"settlement\", "
                            "\"amount\", \"ht\", \"tva\"}], \"total\"}, ou son CSV ou son PDF."),
         .run = recipes},
    };
}

} // namespace velmora::cli
