// The recipe book as CSV: the exact bytes, and a write that leaves nothing
// behind when there is nothing to export or the disk refuses.

#include "RecipeBookFixture.h"

#include "core/accounting/RecipeBookCsv.h"
#include "support/FaultyFileSystem.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>

using namespace velmora;
using namespace velmora::test;

namespace {

TEST(RecipeBookCsv, MatchesTheReferenceFile) {
    const AppDatabase db = referenceBook();
    const QByteArray csv = recipeBookCsv(recipeEntries(db), db.clients);
    EXPECT_EQ(csv, readFile(QStringLiteral(VELMORA_TEST_DATA "/recipe-book.csv")));
}

TEST(RecipeBookCsv, SavesAtomicallyOrSaysWhy) {
    QTemporaryDir dir;
    const QString target = dir.filePath(u"livre.csv"_s);
    const AppDatabase db = referenceBook();
    const QList<RecipeEntry> entries = recipeEntries(db);
    FaultyFileSystem fs;

    EXPECT_EQ(saveRecipeBookCsv(fs, {}, db.clients, target), noRecipeAlert());
    EXPECT_EQ(noRecipeAlert().message,
              u"Aucune facture ne correspond à la période sélectionnée."_s);
    fs.failOn(FaultyFileSystem::Op::Write);
    const std::optional<Alert> failed = saveRecipeBookCsv(fs, entries, db.clients, target);
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->title, u"Erreur d'enregistrement"_s);
    EXPECT_TRUE(failed->message.contains(u"No space left on device"_s));
    EXPECT_TRUE(QDir(dir.path()).isEmpty());

    fs.heal();
    EXPECT_EQ(saveRecipeBookCsv(fs, entries, db.clients, target), std::nullopt);
    EXPECT_EQ(readFile(target), recipeBookCsv(entries, db.clients));
    EXPECT_EQ(recipeBookCsvSavePanel({{}, 3}).proposedName,
              u"livre-recettes-toutes-annees-03.csv"_s);
}

} // namespace
