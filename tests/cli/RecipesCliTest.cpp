// velmora-cli recipes: the book as JSON, its CSV byte for byte, its PDF, and
// an empty period that writes nothing.

#include "CliRun.h"

#include "core/accounting/RecipeBookFixture.h"
#include "core/model/SessionFile.h"

#include <QJsonArray>
#include <QTemporaryDir>

using namespace velmora;
using namespace velmora::test;

namespace {

TEST(RecipesCli, JsonCsvAndEmptyPeriod) {
    QTemporaryDir dir;
    const AppDatabase db = referenceBook();
    const QString file = dir.filePath(u"s.cdb"_s);
    ASSERT_TRUE(writeSessionFile(db, SessionFormat::Compact, file).ok());
    const auto run = [&](QStringList options) {
        return runCli(QStringList{u"recipes"_s, file} + options);
    };

    const QJsonObject book = parseOutput(run({u"--year"_s, u"2025"_s, u"--month"_s, u"6"_s}));
    const QJsonArray entries = book.value(u"entries"_s).toArray();
    ASSERT_EQ(entries.size(), 4);
    QJsonObject cheque = entries[1].toObject();
    EXPECT_NEAR(cheque.take(u"ht"_s).toDouble(), 33.3333, 1e-4);
    EXPECT_NEAR(cheque.take(u"tva"_s).toDouble(), 6.6667, 1e-4);
    EXPECT_EQ(
        cheque,
        (QJsonObject{{u"id"_s, db.documents[0].encaissements[0].id.toString(QUuid::WithoutBraces)},
                     {u"number"_s, u"F-2025-001"_s},
                     {u"date"_s, u"12/06/25"_s},
                     {u"client"_s, u"Dupont; Fils"_s},
                     {u"nature"_s, u"Audit \"express\""_s},
                     {u"settlement"_s, u"Chèque"_s},
                     {u"amount"_s, 40}}));
    EXPECT_EQ(entries[0].toObject().value(u"id"_s).toString(),
              db.documents[1].id.toString(QUuid::WithoutBraces));
    EXPECT_EQ(book.value(u"total"_s).toDouble(), 1464.5);

    const QString csv = dir.filePath(u"livre.csv"_s);
    const CliRun written = run({u"--csv"_s, csv});
    ASSERT_EQ(written.exitCode, 0) << written.err.constData();
    EXPECT_TRUE(written.out.isEmpty());
    EXPECT_EQ(contentsOf(csv), contentsOf(QStringLiteral(VELMORA_TEST_DATA "/recipe-book.csv")));

    const QString pdf = dir.filePath(u"livre.pdf"_s);
    const CliRun printed = run({u"--year"_s, u"2025"_s, u"--pdf"_s, pdf});
    ASSERT_EQ(printed.exitCode, 0) << printed.err.constData();
    EXPECT_TRUE(printed.out.isEmpty());
    EXPECT_TRUE(contentsOf(pdf).startsWith("%PDF-"));

    const QString none = dir.filePath(u"vide.csv"_s);
    for (const QStringList& options : {QStringList{u"--year"_s, u"2024"_s, u"--csv"_s, none},
                                       QStringList{u"--year"_s, u"2024"_s, u"--pdf"_s, none},
                                       QStringList{u"--month"_s, u"5"_s}}) {
        const CliRun empty = run(options);
        EXPECT_EQ(empty.exitCode, 1);
        EXPECT_EQ(empty.err, "Aucune recette trouvée\n");
        EXPECT_TRUE(empty.out.isEmpty());
    }
    EXPECT_EQ(entriesOf(dir.path()), (QStringList{u"livre.csv"_s, u"livre.pdf"_s, u"s.cdb"_s}));
    EXPECT_EQ(run({u"--csv"_s, none, u"--pdf"_s, none}).exitCode, 2);
    EXPECT_EQ(run({u"--month"_s, u"13"_s}).exitCode, 2);
    EXPECT_EQ(run({u"--year"_s, u"deux"_s}).exitCode, 2);
}

} // namespace
