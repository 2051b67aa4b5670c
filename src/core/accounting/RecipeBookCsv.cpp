#include "core/accounting/RecipeBookCsv.h"

#include "core/platform/FileSystem.h"

#include <cmath>

namespace velmora {
namespace {

QString csvAmount(double amount) {
    // A negative amount that rounds to nothing would print "-0,00".
    if (std::abs(amount) < 0.005)
        amount = 0;
    return QString::asprintf("%.2f", amount).replace(QLatin1Char('.'), QLatin1Char(','));
}

QString csvField(const QString& field) {
    if (!field.contains(QLatin1Char(';')) && !field.contains(QLatin1Char('"')) &&
        !field.contains(QLatin1Char('\n')) && !field.contains(QLatin1Char('\r')))
        return field;
    QString quoted = field;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString csvRow(const QStringList& fields) {
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString& field : fields)
        quoted << csvField(field);
    return quoted.join(QLatin1Char(';'));
}

} // namespace

Alert noRecipeAlert() {
    return okAlert(QStringLiteral("Aucune recette trouvée"),
                   QStringLiteral("Aucune facture ne correspond à la période sélectionnée."),
                   Alert::Kind::information);
}

QByteArray recipeBookCsv(const QList<RecipeEntry>& entries, const QList<ClientItem>& clients) {
    const QList<LivreRecettesRow> rows = recipeRows(entries, clients);
    QStringList lines;
    lines.reserve(rows.size() + 2);
    lines << QStringLiteral("Date d'encaissement;N° facture;Client;Nature;Règlement;Montant HT;"
                            "TVA;Montant TTC");
    double total = 0;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const LivreRecettesRow& row = rows[i];
        const RecipeSplit split = recipeEntrySplit(entries[i]);
        total += split.ttc;
        lines << csvRow({row.date, row.number, row.client, row.nature, row.settlement,
                         csvAmount(split.ht), csvAmount(split.tva), csvAmount(split.ttc)});
    }
    lines << csvRow({{}, {}, {}, {}, QStringLiteral("TOTAL"), {}, {}, csvAmount(total)});
    const QString crlf = QStringLiteral("\r\n");
    return QByteArray("\xEF\xBB\xBF") + (lines.join(crlf) + crlf).toUtf8();
}

FilePanel recipeBookCsvSavePanel(const RecipePeriod& period) {
    FilePanel panel;
    panel.mode = FilePanel::Mode::saveFile;
    panel.title = QStringLiteral("Exporter le livre de recettes en CSV");
    panel.prompt = QStringLiteral("Exporter");
    panel.proposedName = recipeBookFileName(period, QStringLiteral("csv"));
    panel.extension = QStringLiteral("csv");
    panel.canCreateFolders = true;
    return panel;
}

std::optional<Alert> saveRecipeBookCsv(FileSystem& fs, const QList<RecipeEntry>& entries,
                                       const QList<ClientItem>& clients,
                                       const QString& destination) {
    if (entries.isEmpty())
        return noRecipeAlert();
    const Result<> written = fs.writeFileAtomically(destination, recipeBookCsv(entries, clients));
    if (written)
        return std::nullopt;
    return okAlert(QStringLiteral("Erreur d'enregistrement"), written.error(), Alert::Kind::error);
}

} // namespace velmora
