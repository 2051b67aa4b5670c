#pragma once

#include "core/Alert.h"
#include "core/accounting/RecipeBook.h"
#include "core/model/SessionSettings.h"

#include <QByteArray>
#include <QDateTime>
#include <QStringList>

#include <functional>
#include <optional>

namespace velmora {

class FileSystem;

// The greys of the printed book, 0 (black) to 255 (white).
struct LivreRecettesGreys {
    int headerBackground = 21;
    int headerStroke = 42;
    int innerBackground = 30;
    int innerStroke = 55;
    int periodBackground = 28;
    int periodStroke = 50;
    int tableHeadBackground = 35;
    int tableText = 35;
    int alternateRow = 247;
    int tableLines = 210;
    int footerStroke = 70;
    int footerText = 235;
    int subtitleText = 245;

    friend bool operator==(const LivreRecettesGreys&, const LivreRecettesGreys&) = default;
};

// One A4 page of the printed book: the header on the first page only, the
// total on the last only, the footer on all.
struct LivreRecettesPDFPage {
    AccountingRecipeSettings recipeSettings;
    QString periodText;
    QList<LivreRecettesRow> rows;
    bool showHeader = false;
    bool showTotal = false;
    double totalEncaisse = 0; // of the whole export, not of this page
    int pageIndex = 0;
    int totalPages = 1;
    QString generationDate; // "dd/MM/yy"
    // The shading alternates across pages: the first row of a page is shaded
    // when its index in the whole export is odd.
    bool firstRowIsAlt = false;
    LivreRecettesGreys greys;
    QList<double> colWidthsMm{38, 22, 28, 34, 30, 34};
    QStringList headers{QStringLiteral("Date d'encaissement"),
                        QStringLiteral("N° facture"),
                        QStringLiteral("Client"),
                        QStringLiteral("Nature"),
                        QStringLiteral("Règlement"),
                        QStringLiteral("Montant")};

    // The title in capitals, "LIVRE DES RECETTES" when the settings have none.
    QString printedTitle() const;
    // The company lines under the name, those with a value only.
    QStringList companyLines() const;
    QString footerDate() const;
    QString footerPage() const;
    QString totalText() const;

    friend bool operator==(const LivreRecettesPDFPage&, const LivreRecettesPDFPage&) = default;
};

// The first page holds 18 rows (the header takes the rest), the others 30.
inline constexpr int kRecipeRowsOnFirstPage = 18;
inline constexpr int kRecipeRowsPerPage = 30;

// The book cut into pages; `today` gives the generation date in the local
// time zone. No page for an empty book.
QList<LivreRecettesPDFPage> recipeBookPages(const QList<LivreRecettesRow>& rows,
                                            const AccountingRecipeSettings& settings,
                                            const RecipePeriod& period, const QDateTime& today);

// Told before each page is painted, from 1 to the page count; answering false
// stops the rendering, which then produces nothing.
using RecipePageProgress = std::function<bool(int page, int pageCount)>;
// Paints the pages into one PDF document; empty when it failed or was stopped.
using RecipeBookRenderer = std::function<QByteArray(const QList<LivreRecettesPDFPage>&)>;

FilePanel recipeBookPdfSavePanel(const RecipePeriod& period);

// "Erreur de génération" / "Impossible de générer le PDF."
Alert recipeBookPdfFailureAlert();

// Writes rendered bytes atomically to `destination`; the alert of an empty
// rendering or of a failed write, nothing written then.
std::optional<Alert> writeRecipeBookPdf(FileSystem& fs, const QByteArray& pdf,
                                        const QString& destination);
// Renders the book and writes it; the alert of an empty book as well.
std::optional<Alert> saveRecipeBookPdf(FileSystem& fs, const QList<LivreRecettesPDFPage>& pages,
                                       const QString& destination,
                                       const RecipeBookRenderer& render);

} // namespace velmora
