// Runs the built velmora-cli as a user or a script would, and holds it to its
// contract: one JSON document on stdout, the French message on stderr, exit
// status 0, 1 or 2, and files written whole or not at all.

#include "CliRun.h"

#include "SessionGenerator.h"
#include "core/model/SessionDecoder.h"
#include "core/model/SessionFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace velmora;
using velmora::test::CliRun;
using velmora::test::parseOutput;
using velmora::test::runCli;

namespace {

const FixedClock& testClock() {
    static const FixedClock clock(QDateTime(QDate(2025, 6, 10), QTime(9, 0), Qt::UTC));
    return clock;
}

AppDatabase readBack(const QString& path) {
    const auto bytes = readSessionBytes(path);
    if (!bytes) {
        ADD_FAILURE() << bytes.error().toStdString();
        return {};
    }
    auto db = decodeSession(bytes.value(), testClock());
    if (!db) {
        ADD_FAILURE() << db.error().toStdString();
        return {};
    }
    return std::move(db).value();
}

// One count per list of the root record, named by its key.
QJsonObject countsOf(const AppDatabase& db) {
    return QJsonObject{
        {"projects", db.projects.size()},
        {"clients", db.clients.size()},
        {"services", db.services.size()},
        {"documents", db.documents.size()},
        {"stockItems", db.stockItems.size()},
        {"purchaseWishlistItems", db.purchaseWishlistItems.size()},
        {"accountingPurchases", db.accountingPurchases.size()},
        {"stockCategories", db.stockCategories.size()},
        {"stockSubCategories", db.stockSubCategories.size()},
        {"stockSubTags", db.stockSubTags.size()},
        {"stockTags", db.stockTags.size()},
        {"projectTags", db.projectTags.size()},
        {"clientProjectTags", db.clientProjectTags.size()},
        {"personalProjectTags", db.personalProjectTags.size()},
        {"clientTags", db.clientTags.size()},
        {"serviceTags", db.serviceTags.size()},
        {"quoteStatuses", db.quoteStatuses.size()},
        {"invoiceStatuses", db.invoiceStatuses.size()},
        {"projectStatusOptions", db.projectStatusOptions.size()},
        {"projectStatuses", db.projectStatuses.size()},
        {"protectedProjectStatusIDs", db.protectedProjectStatusIDs.size()},
        {"protectedQuoteStatusIDs", db.protectedQuoteStatusIDs.size()},
        {"protectedInvoiceStatusIDs", db.protectedInvoiceStatusIDs.size()},
        {"projectTypeOptions", db.projectTypeOptions.size()},
        {"externalTools", db.externalTools.size()},
        {"externalToolTags", db.externalToolTags.size()},
        {"urssafDeclarations", db.urssafDeclarations.size()},
        {"recurringPurchases", db.recurringPurchases.size()},
        {"recurringPurchaseTags", db.recurringPurchaseTags.size()},
        {"customCalendarEvents", db.customCalendarEvents.size()},
        {"customCalendarTags", db.customCalendarTags.size()},
        {"securityQuestions", db.securityQuestions.size()},
    };
}

QStringList entriesOf(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

class CliTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString path(const QString& name) const { return m_dir.filePath(name); }

    // A brand-new session, written by the tool itself.
    QString newSession(const QString& name, const QStringList& extra = {}) {
        const CliRun run = runCli(QStringList{QStringLiteral("new"), path(name)} + extra);
        EXPECT_EQ(run.exitCode, 0) << run.err.constData();
        EXPECT_EQ(run.out, QByteArray());
        EXPECT_EQ(run.err, QByteArray());
        return path(name);
    }

    QTemporaryDir m_dir;
};

TEST_F(CliTest, NewSessionChecksWithItsNameIdAndSeededLists) {
    const QString file = newSession(QStringLiteral("atelier.cdb"),
                                    {QStringLiteral("--name"), QStringLiteral("Atelier Léa")});
    const CliRun run = runCli({QStringLiteral("check"), file});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_EQ(run.err, QByteArray());
    const QJsonObject out = parseOutput(run);

    EXPECT_EQ(out.keys(),
              (QStringList{QStringLiteral("counts"), QStringLiteral("protected"),
                           QStringLiteral("sessionID"), QStringLiteral("sessionName")}));
    EXPECT_EQ(out.value(QStringLiteral("sessionName")), QJsonValue(QStringLiteral("Atelier Léa")));
    EXPECT_EQ(out.value(QStringLiteral("protected")), QJsonValue(false));

    const QString id = out.value(QStringLiteral("sessionID")).toString();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}$"))
                    .match(id)
                    .hasMatch())
        << id.toStdString();
    const AppDatabase db = readBack(file);
    ASSERT_TRUE(db.sessionID.has_value());
    EXPECT_EQ(QUuid(id), *db.sessionID);

    QJsonObject expected = countsOf(AppDatabase{});
    expected[QStringLiteral("quoteStatuses")] = 4;
    expected[QStringLiteral("invoiceStatuses")] = 3;
    expected[QStringLiteral("projectStatuses")] = 4;
    expected[QStringLiteral("projectStatusOptions")] = 4;
    expected[QStringLiteral("protectedQuoteStatusIDs")] = 4;
    expected[QStringLiteral("protectedInvoiceStatusIDs")] = 3;
    expected[QStringLiteral("protectedProjectStatusIDs")] = 4;
    expected[QStringLiteral("projectTypeOptions")] = 2;
    EXPECT_EQ(out.value(QStringLiteral("counts")).toObject(), expected);
    EXPECT_EQ(expected.value(QStringLiteral("clients")), QJsonValue(0));
}

TEST_F(CliTest, NewSessionNameIsTrimmedAndABlankOrMissingNameGivesNull) {
    const struct {
        QStringList nameArgs;
        QJsonValue expected;
    } cases[] = {
        {{}, QJsonValue(QJsonValue::Null)},
        {{QStringLiteral("--name"), QStringLiteral(" \t ")}, QJsonValue(QJsonValue::Null)},
        {{QStringLiteral("--name"), QStringLiteral("  Studio Nord \n")},
         QJsonValue(QStringLiteral("Studio Nord"))},
    };
    int n = 0;
    for (const auto& c : cases) {
        const QString file = newSession(QStringLiteral("s%1.cdb").arg(++n), c.nameArgs);
        const CliRun run = runCli({QStringLiteral("check"), file});
        ASSERT_EQ(run.exitCode, 0) << run.err.constData();
        const QJsonObject out = parseOutput(run);
        ASSERT_TRUE(out.contains(QStringLiteral("sessionName")));
        EXPECT_EQ(out.value(QStringLiteral("sessionName")), c.expected)
            << c.nameArgs.join(' ').toStdString();
    }
}

TEST_F(CliTest, TwoNewSessionsHaveDifferentIds) {
    const CliRun a = runCli({QStringLiteral("check"), newSession(QStringLiteral("a.cdb"))});
    const CliRun b = runCli({QStringLiteral("check"), newSession(QStringLiteral("b.cdb"))});
    EXPECT_NE(parseOutput(a).value(QStringLiteral("sessionID")),
              parseOutput(b).value(QStringLiteral("sessionID")));
}

TEST_F(CliTest, RoundtripWritesTheSameSessionAgain) {
    const QString file =
        newSession(QStringLiteral("a.cdb"), {QStringLiteral("--name"), QStringLiteral("Atelier")});
    const QString copy = path(QStringLiteral("copie.cdb"));
    const CliRun run = runCli({QStringLiteral("roundtrip"), file, copy});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_EQ(run.out, QByteArray());
    EXPECT_EQ(run.err, QByteArray());

    const CliRun before = runCli({QStringLiteral("check"), file});
    const CliRun after = runCli({QStringLiteral("check"), copy});
    ASSERT_EQ(after.exitCode, 0) << after.err.constData();
    EXPECT_EQ(parseOutput(after), parseOutput(before));
    EXPECT_EQ(readBack(copy), readBack(file));
}

TEST_F(CliTest, NowFixesTheMomentOfReading) {
    // A payment without createdAt takes the moment of reading, which the
    // rewritten file then holds.
    QFile reference(QStringLiteral(VELMORA_TEST_DATA "/hostile/reference-session.cdb"));
    ASSERT_TRUE(reference.open(QIODevice::ReadOnly));
    QByteArray bytes = reference.readAll();
    const QByteArray createdAt = ",\"createdAt\":\"2025-05-20T10:00:00Z\"";
    ASSERT_TRUE(bytes.contains(createdAt));
    bytes.replace(createdAt, "");
    QFile old(path(QStringLiteral("ancien.cdb")));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(bytes);
    old.close();

    const QString out = path(QStringLiteral("nouveau.cdb"));
    const CliRun run = runCli({QStringLiteral("--now"), QStringLiteral("2024-12-31T23:59:58Z"),
                               QStringLiteral("roundtrip"), old.fileName(), out});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    const AppDatabase db = readBack(out);
    ASSERT_EQ(db.documents.size(), 1);
    ASSERT_EQ(db.documents[0].encaissements.size(), 1);
    EXPECT_EQ(db.documents[0].encaissements[0].createdAt,
              QDateTime(QDate(2024, 12, 31), QTime(23, 59, 58), Qt::UTC));

    const CliRun check = runCli({QStringLiteral("--now"), QStringLiteral("2025-06-10T09:00:00Z"),
                                 QStringLiteral("check"), out});
    EXPECT_EQ(check.exitCode, 0) << check.err.constData();
    EXPECT_EQ(parseOutput(check).value(QStringLiteral("sessionName")),
              QJsonValue(QStringLiteral("Atelier")));
}

TEST_F(CliTest, RefusedFileFailsWithTheFrenchMessageOnly) {
    const struct {
        const char* file;
        QByteArray message;
    } cases[] = {
        {"truncated-inside-string.cdb", "Fichier de session illisible : texte non terminé\n"},
        {"png-header.cdb", "Fichier de session illisible : texte UTF-8 invalide\n"},
        {"unknown-enum-case.cdb", "Fichier de session illisible : documents[0].kind — valeur "
                                  "inconnue « facture »\n"},
    };
    for (const auto& c : cases) {
        const QString file = QStringLiteral(VELMORA_TEST_DATA "/hostile/") + c.file;
        const CliRun run = runCli({QStringLiteral("check"), file});
        EXPECT_EQ(run.exitCode, 1) << c.file;
        EXPECT_EQ(run.out, QByteArray()) << c.file;
        EXPECT_EQ(run.err, c.message);
    }
}

TEST_F(CliTest, MissingFileFailsNamingIt) {
    const CliRun run = runCli({QStringLiteral("check"), path(QStringLiteral("x.cdb"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, QByteArray());
    EXPECT_EQ(run.err, QByteArray("Le fichier « x.cdb » est introuvable.\n"));
}

TEST_F(CliTest, WrongUsageExitsTwoWithAHint) {
    const QString file = newSession(QStringLiteral("a.cdb"));
    const struct {
        QStringList args;
        QByteArray message;
    } cases[] = {
        {{}, "Aucune commande."},
        {{QStringLiteral("exporter"), file}, "Commande inconnue : exporter"},
        {{QStringLiteral("check")}, "Usage : velmora-cli check FICHIER"},
        {{QStringLiteral("check"), file, file}, "Usage : velmora-cli check FICHIER"},
        {{QStringLiteral("roundtrip"), file}, "Usage : velmora-cli roundtrip FICHIER SORTIE"},
        {{QStringLiteral("new")}, "Usage : velmora-cli new SORTIE [--name NOM]"},
        {{QStringLiteral("new"), path(QStringLiteral("b.cdb")), QStringLiteral("--name")},
         "L'option --name attend un nom."},
        {{QStringLiteral("--now")}, "L'option --now attend une date."},
        {{QStringLiteral("--now"), QStringLiteral("2025-06-10T09:00:00Z")}, "Aucune commande."},
        {{QStringLiteral("--now"), QStringLiteral("2025-06-10T09:00:00.5Z"),
          QStringLiteral("check"), file},
         "Date invalide pour --now : « 2025-06-10T09:00:00.5Z » (format AAAA-MM-JJThh:mm:ssZ "
         "attendu)."},
        {{QStringLiteral("--now"), QStringLiteral("2025-02-30T09:00:00Z"), QStringLiteral("check"),
          file},
         "Date invalide pour --now : « 2025-02-30T09:00:00Z » (format AAAA-MM-JJThh:mm:ssZ "
         "attendu)."},
        {{QStringLiteral("--now"), QStringLiteral("demain"), QStringLiteral("check"), file},
         "Date invalide pour --now : « demain » (format AAAA-MM-JJThh:mm:ssZ attendu)."},
    };
    for (const auto& c : cases) {
        const CliRun run = runCli(c.args);
        EXPECT_EQ(run.exitCode, 2) << c.args.join(' ').toStdString();
        EXPECT_EQ(run.out, QByteArray()) << c.args.join(' ').toStdString();
        EXPECT_EQ(run.err, c.message + "\nVoir : velmora-cli --help\n");
    }
    // Usage errors never write: --name without a value left no b.cdb.
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("b.cdb"))));
}

TEST_F(CliTest, RoundtripIntoAnUnwritablePlaceFailsAndLeavesNothing) {
    const QString file = newSession(QStringLiteral("a.cdb"));
    QFile source(file);
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QByteArray sourceBytes = source.readAll();
    source.close();
    const QString folder = path(QStringLiteral("dossier"));
    ASSERT_TRUE(QDir().mkdir(folder));
    const QStringList before = entriesOf(m_dir.path());

    // The target is a folder; a folder that does not exist; a file taken for a folder.
    const QString targets[] = {folder, path(QStringLiteral("absent/copie.cdb")),
                               file + QStringLiteral("/copie.cdb")};
    for (const QString& target : targets) {
        const CliRun run = runCli({QStringLiteral("roundtrip"), file, target});
        EXPECT_EQ(run.exitCode, 1) << target.toStdString();
        EXPECT_EQ(run.out, QByteArray());
        const QString name = QFileInfo(target).fileName();
        EXPECT_TRUE(QString::fromUtf8(run.err).startsWith(
            QStringLiteral("Le fichier « %1 » n'a pas pu être enregistré : ").arg(name)))
            << run.err.constData();
        EXPECT_EQ(entriesOf(m_dir.path()), before) << target.toStdString();
        EXPECT_EQ(entriesOf(folder), QStringList());
    }
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    EXPECT_EQ(source.readAll(), sourceBytes);
}

TEST_F(CliTest, RoundtripOfARefusedFileKeepsTheExistingOutput) {
    const QString out = newSession(QStringLiteral("existant.cdb"));
    QFile previous(out);
    ASSERT_TRUE(previous.open(QIODevice::ReadOnly));
    const QByteArray bytes = previous.readAll();
    previous.close();

    const CliRun run =
        runCli({QStringLiteral("roundtrip"),
                QStringLiteral(VELMORA_TEST_DATA "/hostile/truncated-mid-document.cdb"), out});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err,
              QByteArray("Fichier de session illisible : ce n'est pas un document JSON valide\n"));
    ASSERT_TRUE(previous.open(QIODevice::ReadOnly));
    EXPECT_EQ(previous.readAll(), bytes);
    EXPECT_EQ(entriesOf(m_dir.path()), QStringList{QStringLiteral("existant.cdb")});
}

TEST_F(CliTest, HelpListsEveryCommand) {
    for (const QString& flag : {QStringLiteral("--help"), QStringLiteral("-h")}) {
        const CliRun run = runCli({flag});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err, QByteArray());
        const QString text = QString::fromUtf8(run.out);
        EXPECT_TRUE(text.contains(QStringLiteral(
            "Usage : velmora-cli [--now AAAA-MM-JJThh:mm:ssZ] COMMANDE [ARGUMENTS]")))
            << run.out.constData();
        for (const char* synopsis : {"  check FICHIER\n", "  roundtrip FICHIER SORTIE\n",
                                     "  new SORTIE [--name NOM]\n", "  export FICHIER SORTIE\n"})
            EXPECT_TRUE(text.contains(QString::fromUtf8(synopsis))) << synopsis;
    }
}

TEST_F(CliTest, GeneratedSessionChecksWithEveryCount) {
    const AppDatabase db = bench::generateSession(bench::smallSize(), 7);
    const QString file = path(QStringLiteral("genere.cdb"));
    const Status written = writeSessionFile(db, SessionFormat::Compact, file);
    ASSERT_TRUE(written.ok()) << written.error().toStdString();

    const CliRun run = runCli({QStringLiteral("check"), file});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    const QJsonObject out = parseOutput(run);
    EXPECT_EQ(out.value(QStringLiteral("counts")).toObject(), countsOf(db));
    EXPECT_EQ(out.value(QStringLiteral("counts")).toObject().value(QStringLiteral("clients")),
              QJsonValue(bench::smallSize().clients));
    EXPECT_EQ(out.value(QStringLiteral("protected")),
              QJsonValue(!db.preferences.appPassword.isEmpty()));
    EXPECT_EQ(out.value(QStringLiteral("sessionName")),
              db.sessionName ? QJsonValue(*db.sessionName) : QJsonValue());
    ASSERT_TRUE(db.sessionID.has_value());
    EXPECT_EQ(out.value(QStringLiteral("sessionID")),
              QJsonValue(db.sessionID->toString(QUuid::WithoutBraces).toUpper()));

    const QString copy = path(QStringLiteral("copie.cdb"));
    const CliRun roundtrip = runCli({QStringLiteral("roundtrip"), file, copy});
    ASSERT_EQ(roundtrip.exitCode, 0) << roundtrip.err.constData();
    EXPECT_EQ(readBack(copy), readBack(file));
}

TEST_F(CliTest, ExportIsPrettySortedWithOnlyTheReferencedMedia) {
    AppDatabase db = bench::generateSession(bench::smallSize(), 11);
    const QMap<QString, Base64Data> referenced = db.embeddedMedia;
    ASSERT_FALSE(referenced.isEmpty());
    db.embeddedMedia.insert(QStringLiteral("orphelin.png"), Base64Data::fromBytes("personne"));
    const QString file = path(QStringLiteral("source.cdb"));
    ASSERT_TRUE(writeSessionFile(db, SessionFormat::Compact, file).ok());
    const QByteArray before = readSessionBytes(file).value();

    const QString out = path(QStringLiteral("export.cdb"));
    const CliRun run = runCli({QStringLiteral("export"), file, out});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_EQ(run.out, QByteArray());

    const QByteArray text = readSessionBytes(out).value();
    EXPECT_TRUE(text.startsWith("{\n  \"accountingPurchases\": ")) << text.left(80).constData();
    const AppDatabase exported = readBack(out);
    EXPECT_EQ(exported.embeddedMedia, referenced);
    EXPECT_EQ(exported.documents.size(), db.documents.size());
    EXPECT_EQ(exported.sessionID, db.sessionID);
    // Media URLs now name the exported files; their file names stay.
    ASSERT_EQ(exported.clients.size(), db.clients.size());
    for (qsizetype i = 0; i < db.clients.size(); ++i) {
        ASSERT_EQ(exported.clients[i].photoURL.has_value(), db.clients[i].photoURL.has_value());
        if (db.clients[i].photoURL) {
            EXPECT_EQ(exported.clients[i].photoURL->fileName(), db.clients[i].photoURL->fileName());
        }
    }
    EXPECT_EQ(readSessionBytes(file).value(), before) << "the source is read only";

    const QString broken = path(QStringLiteral("casse.cdb"));
    QFile brokenFile(broken);
    ASSERT_TRUE(brokenFile.open(QIODevice::WriteOnly));
    brokenFile.write("{\"clients\": 3}");
    brokenFile.close();
    const CliRun refused =
        runCli({QStringLiteral("export"), broken, path(QStringLiteral("x.cdb"))});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(QString::fromUtf8(refused.err)
                    .startsWith(QStringLiteral("Fichier de session illisible : ")));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("x.cdb"))));
}

} // namespace
