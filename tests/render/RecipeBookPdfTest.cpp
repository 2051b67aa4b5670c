// The recipe book's PDF read back with QtPdf: its pages, what each one says
// and what only the first or the last one says.

#include "render/RecipeBookPdf.h"
#include "PdfFile.h"
#include "support/FaultyFileSystem.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPdfDocument>
#include <QTemporaryDir>
#include <QTimeZone>

using namespace Qt::StringLiterals;

using namespace velmora;

namespace {

// Rows numbered from 1, so that each page's first and last are known.
QList<LivreRecettesRow> rows(int count) {
    QList<LivreRecettesRow> list;
    for (int i = 1; i <= count; ++i)
        list.append({u"12/06/25"_s, u"F-%1"_s.arg(i, 3, 10, QLatin1Char('0')), u"Atelier Lumen"_s,
                     u"Audit"_s, u"Virement"_s, 10});
    return list;
}

AccountingRecipeSettings settings() {
    AccountingRecipeSettings s;
    s.companyName = u"Studio Nord"_s;
    s.ownerName = u"Nora Bensaïd"_s;
    s.siret = u"12345678900012"_s; // as the header sheet stores it
    s.addressLine2 = u"69002 Lyon"_s;
    return s;
}

const QDateTime kToday(QDate(2025, 6, 10), QTime(23, 30), QTimeZone::utc());

QList<LivreRecettesPDFPage> pagesOf(int count) {
    return recipeBookPages(rows(count), settings(), {2025, std::nullopt}, kToday);
}

using ReadPdf = velmora::test::PdfFile;

struct Pagination {
    int rows;
    QList<int> perPage;
};

class RecipeBookPagination : public ::testing::TestWithParam<Pagination> {};

TEST_P(RecipeBookPagination, HeaderFirstTotalLastFooterEverywhere) {
    const Pagination& p = GetParam();
    const QList<LivreRecettesPDFPage> pages = pagesOf(p.rows);
    QList<int> perPage;
    for (const LivreRecettesPDFPage& page : pages)
        perPage << int(page.rows.size());
    EXPECT_EQ(perPage, p.perPage);

    QList<int> progress;
    ReadPdf pdf(renderRecipeBookPDF(pages, [&](int page, int count) {
        EXPECT_EQ(count, p.perPage.size());
        progress << page;
        return true;
    }));
    ASSERT_EQ(pdf.pages(), p.perPage.size());
    EXPECT_EQ(progress.size(), p.perPage.size());
    int first = 1;
    for (int i = 0; i < pdf.pages(); ++i) {
        SCOPED_TRACE(i);
        const QString text = pdf.text(i);
        EXPECT_NEAR(pdf.pageSize(i).width(), 595.28, 0.5);
        EXPECT_NEAR(pdf.pageSize(i).height(), 841.89, 0.5);
        EXPECT_TRUE(text.contains(u"Document généré le 11/06/25"_s)) << text.toStdString();
        EXPECT_TRUE(text.contains(u"Page %1 / %2"_s.arg(i + 1).arg(pdf.pages())));
        EXPECT_TRUE(
            text.contains(u"Date d'encaissement N° facture Client Nature Règlement Montant"_s));
        const int last = first + p.perPage[i] - 1;
        EXPECT_TRUE(text.contains(u"F-%1"_s.arg(first, 3, 10, QLatin1Char('0'))));
        EXPECT_TRUE(text.contains(u"F-%1"_s.arg(last, 3, 10, QLatin1Char('0'))));
        EXPECT_FALSE(text.contains(u"F-%1"_s.arg(last + 1, 3, 10, QLatin1Char('0'))));
        first = last + 1;
        EXPECT_EQ(text.contains(u"LIVRE DES RECETTES"_s), i == 0);
        EXPECT_EQ(text.contains(u"Période : 2025 — année complète"_s), i == 0);
        EXPECT_EQ(text.contains(u"Total encaissé : "_s), i + 1 == pdf.pages());
    }
    EXPECT_TRUE(pdf.text(pdf.pages() - 1).contains(u"Total encaissé : %1,00 €"_s.arg(p.rows * 10)));
}

INSTANTIATE_TEST_SUITE_P(Boundaries, RecipeBookPagination,
                         ::testing::Values(Pagination{1, {1}}, Pagination{18, {18}},
                                           Pagination{19, {18, 1}}, Pagination{48, {18, 30}},
                                           Pagination{49, {18, 30, 1}}));

TEST(RecipeBookPdf, HeaderSaysOnlyWhatIsSet) {
    QList<LivreRecettesPDFPage> pages = pagesOf(1);
    pages[0].recipeSettings.title = u"Recettes de l'atelier"_s;
    ReadPdf pdf(renderRecipeBookPDF(pages));
    const QString text = pdf.text(0);
    for (const QString& part :
         {u"RECETTES DE L'ATELIER"_s, u"Studio Nord"_s, u"Nora Bensaïd"_s, u"69002 Lyon"_s,
          u"SIRET : 123 456 789 00012"_s, u"12/06/25 F-001 Atelier Lumen Audit Virement 10,00 €"_s})
        EXPECT_TRUE(text.contains(part)) << part.toStdString() << "\n" << text.toStdString();
    EXPECT_EQ(pages[0].companyLines(),
              (QStringList{u"Nora Bensaïd"_s, u"69002 Lyon"_s,
                           u"SIRET : 123\u00a0456\u00a0789\u00a000012"_s}));
}

// The shading goes on from one page to the next, whatever the page sizes.
TEST(RecipeBookPdf, ShadingContinuesAcrossPages) {
    QList<LivreRecettesRow> list = rows(20);
    QList<bool> firstAlt;
    for (const LivreRecettesPDFPage& page : recipeBookPages(list, settings(), {}, kToday))
        firstAlt << page.firstRowIsAlt;
    EXPECT_EQ(firstAlt, (QList<bool>{false, false}));

    LivreRecettesPDFPage page = pagesOf(2).first();
    const auto rowShade = [](LivreRecettesPDFPage p) {
        ReadPdf pdf(renderRecipeBookPDF({p}));
        const QImage image = pdf.image(0);
        // The middle of the date cell's right half, where no text is drawn.
        QList<int> greys;
        for (int y = 0; y < image.height(); ++y) {
            const int level = qGray(image.pixel(130, y));
            if (greys.isEmpty() || greys.last() != level)
                greys << level;
        }
        return greys;
    };
    const QList<int> normal = rowShade(page);
    page.firstRowIsAlt = true;
    const QList<int> shifted = rowShade(page);
    EXPECT_NE(normal, shifted);
    EXPECT_TRUE(normal.contains(247));
}

TEST(RecipeBookPdf, NothingWrittenWithoutPagesOrBytes) {
    QTemporaryDir dir;
    test::FaultyFileSystem fs;
    const QString target = dir.filePath(u"livre.pdf"_s);
    const auto render = [](const QList<LivreRecettesPDFPage>& pages) {
        return renderRecipeBookPDF(pages);
    };
    EXPECT_EQ(saveRecipeBookPdf(fs, {}, target, render)->title, u"Aucune recette trouvée"_s);
    const std::optional<Alert> failed =
        saveRecipeBookPdf(fs, pagesOf(1), target, [](const auto&) { return QByteArray(); });
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->title, u"Erreur de génération"_s);
    EXPECT_EQ(failed->message, u"Impossible de générer le PDF."_s);
    fs.failOn(test::FaultyFileSystem::Op::Write);
    EXPECT_EQ(saveRecipeBookPdf(fs, pagesOf(1), target, render)->title,
              u"Erreur d'enregistrement"_s);
    EXPECT_FALSE(QFile::exists(target));
    // A stopped rendering produces nothing.
    EXPECT_TRUE(renderRecipeBookPDF(pagesOf(49), [](int page, int) { return page < 2; }).isEmpty());
}

} // namespace
