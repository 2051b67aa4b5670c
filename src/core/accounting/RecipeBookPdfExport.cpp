#include "core/accounting/RecipeBookPdfExport.h"

#include "core/accounting/RecipeBookCsv.h"
#include "core/platform/FileSystem.h"
#include "core/text/MoneyFormat.h"
#include "core/text/SiretFormat.h"

#include <QTimeZone>

namespace velmora {

QString LivreRecettesPDFPage::printedTitle() const {
    const QString title = recipeSettings.title.trimmed();
    return title.isEmpty() ? QStringLiteral("LIVRE DES RECETTES") : title.toUpper();
}

QStringList LivreRecettesPDFPage::companyLines() const {
    QStringList lines;
    for (const QString& line : {recipeSettings.ownerName, recipeSettings.legalStatus,
                                recipeSettings.addressLine1, recipeSettings.addressLine2}) {
        if (!line.trimmed().isEmpty())
            lines << line.trimmed();
    }
    if (!recipeSettings.siret.trimmed().isEmpty())
        lines << QStringLiteral("SIRET : ") + formatSiret(recipeSettings.siret);
    return lines;
}

QString LivreRecettesPDFPage::footerDate() const {
    return QStringLiteral("Document généré le ") + generationDate;
}

QString LivreRecettesPDFPage::footerPage() const {
    return QStringLiteral("Page %1 / %2").arg(pageIndex + 1).arg(totalPages);
}

QString LivreRecettesPDFPage::totalText() const {
    return QStringLiteral("Total encaissé : ") + formatMoney(totalEncaisse);
}

QList<LivreRecettesPDFPage> recipeBookPages(const QList<LivreRecettesRow>& rows,
                                            const AccountingRecipeSettings& settings,
                                            const RecipePeriod& period, const QDateTime& today) {
    if (rows.isEmpty())
        return {};
    // The first page takes everything up to 18 rows; then pages of 30.
    QList<qsizetype> starts{0};
    if (rows.size() > kRecipeRowsOnFirstPage) {
        for (qsizetype start = kRecipeRowsOnFirstPage; start < rows.size();
             start += kRecipeRowsPerPage)
            starts << start;
    }
    double total = 0;
    for (const LivreRecettesRow& row : rows)
        total += row.amount;
    const QString generated =
        today.toTimeZone(QTimeZone::systemTimeZone()).date().toString(QStringLiteral("dd/MM/yy"));

    QList<LivreRecettesPDFPage> pages;
    pages.reserve(starts.size());
    for (qsizetype i = 0; i < starts.size(); ++i) {
        const qsizetype end = i + 1 < starts.size() ? starts[i + 1] : rows.size();
        LivreRecettesPDFPage page;
        page.recipeSettings = settings;
        page.periodText = recipePeriodLabel(period);
        page.rows = rows.mid(starts[i], end - starts[i]);
        page.showHeader = i == 0;
        page.showTotal = i + 1 == starts.size();
        page.totalEncaisse = total;
        page.pageIndex = int(i);
        page.totalPages = int(starts.size());
        page.generationDate = generated;
        page.firstRowIsAlt = starts[i] % 2 == 1;
        pages.append(std::move(page));
    }
    return pages;
}

FilePanel recipeBookPdfSavePanel(const RecipePeriod& period) {
    FilePanel panel;
    panel.mode = FilePanel::Mode::saveFile;
    panel.title = QStringLiteral("Enregistrer le livre de recettes");
    panel.prompt = QStringLiteral("Enregistrer");
    panel.proposedName = recipeBookFileName(period, QStringLiteral("pdf"));
    panel.extension = QStringLiteral("pdf");
    panel.canCreateFolders = true;
    return panel;
}

Alert recipeBookPdfFailureAlert() {
    return okAlert(QStringLiteral("Erreur de génération"),
                   QStringLiteral("Impossible de générer le PDF."), Alert::Kind::error);
}

std::optional<Alert> writeRecipeBookPdf(FileSystem& fs, const QByteArray& pdf,
                                        const QString& destination) {
    if (pdf.isEmpty())
        return recipeBookPdfFailureAlert();
    const Result<> written = fs.writeFileAtomically(destination, pdf);
    if (written)
        return std::nullopt;
    return okAlert(QStringLiteral("Erreur d'enregistrement"), written.error(), Alert::Kind::error);
}

std::optional<Alert> saveRecipeBookPdf(FileSystem& fs, const QList<LivreRecettesPDFPage>& pages,
                                       const QString& destination,
                                       const RecipeBookRenderer& render) {
    if (pages.isEmpty())
        return noRecipeAlert();
    return writeRecipeBookPdf(fs, render(pages), destination);
}

} // namespace velmora
