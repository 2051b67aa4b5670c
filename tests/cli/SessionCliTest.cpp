// The session commands of velmora-cli, run as a user or a script would, held
// to the contract: one JSON document on stdout, the French message on stderr,
// exit status 0, 1 or 2, and files written whole or not at all.

#include "CliRun.h"

#include "SessionGenerator.h"
#include "core/model/SessionDecoder.h"
#include "core/model/SessionFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace velmora;
using velmora::test::CliInput;
using velmora::test::CliRun;
using velmora::test::contentsOf;
using velmora::test::entriesOf;
using velmora::test::parseOutput;
using velmora::test::runCli;
using velmora::test::writeFile;

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

class SessionCli : public testing::Test {
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

TEST_F(SessionCli, NewSessionChecksWithItsNameIdAndSeededLists) {
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

TEST_F(SessionCli, NewSessionNameIsTrimmedAndABlankOrMissingNameGivesNull) {
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
    QSet<QString> ids;
    for (const auto& c : cases) {
        const QString file = newSession(QStringLiteral("s%1.cdb").arg(++n), c.nameArgs);
        const CliRun run = runCli({QStringLiteral("check"), file});
        ASSERT_EQ(run.exitCode, 0) << run.err.constData();
        const QJsonObject out = parseOutput(run);
        ASSERT_TRUE(out.contains(QStringLiteral("sessionName")));
        EXPECT_EQ(out.value(QStringLiteral("sessionName")), c.expected)
            << c.nameArgs.join(' ').toStdString();
        ids.insert(out.value(QStringLiteral("sessionID")).toString());
    }
    EXPECT_EQ(ids.size(), n) << "every new session has its own id";
}

// "new" never replaces a file by accident: it names the file as it was typed.
TEST_F(SessionCli, NewRefusesAnExistingFileUnlessForced) {
    const QString file = newSession(QStringLiteral("precieux.cdb"),
                                    {QStringLiteral("--name"), QStringLiteral("Précieux")});
    const QByteArray before = contentsOf(file);
    const std::optional<QUuid> id = readBack(file).sessionID;
    const CliRun refused = runCli({QStringLiteral("new"), QStringLiteral("precieux.cdb")},
                                  CliInput{.workingDirectory = m_dir.path()});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.out, QByteArray());
    EXPECT_EQ(refused.err, QByteArray("Le fichier « precieux.cdb » existe déjà.\n"));
    EXPECT_EQ(contentsOf(file), before);

    const CliRun forced = runCli({QStringLiteral("new"), file, QStringLiteral("--force")});
    EXPECT_EQ(forced.exitCode, 0) << forced.err.constData();
    EXPECT_EQ(forced.err, QByteArray());
    EXPECT_NE(readBack(file).sessionID, id);
    EXPECT_FALSE(readBack(file).sessionName.has_value());
}

TEST_F(SessionCli, NowFixesTheMomentOfReading) {
    // A payment without createdAt takes the moment of reading, which the
    // rewritten file then holds.
    QByteArray bytes =
        contentsOf(QStringLiteral(VELMORA_TEST_DATA "/hostile/reference-session.cdb"));
    const QByteArray createdAt = ",\"createdAt\":\"2025-05-20T10:00:00Z\"";
    ASSERT_TRUE(bytes.contains(createdAt));
    bytes.replace(createdAt, "");
    const QString old = path(QStringLiteral("ancien.cdb"));
    writeFile(old, bytes);

    const QString out = path(QStringLiteral("nouveau.cdb"));
    const CliRun run = runCli({QStringLiteral("--now"), QStringLiteral("2024-12-31T23:59:58Z"),
                               QStringLiteral("roundtrip"), old, out});
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

TEST_F(SessionCli, RefusedFileFailsWithTheFrenchMessageOnly) {
    const QString hostile = QStringLiteral(VELMORA_TEST_DATA "/hostile/");
    const struct {
        QString file;
        QByteArray message;
    } cases[] = {
        {hostile + "truncated-inside-string.cdb",
         "Fichier de session illisible : texte non terminé\n"},
        {hostile + "png-header.cdb", "Fichier de session illisible : texte UTF-8 invalide\n"},
        {hostile + "unknown-enum-case.cdb", "Fichier de session illisible : documents[0].kind — "
                                            "valeur inconnue « facture »\n"},
        {path(QStringLiteral("x.cdb")), "Le fichier « x.cdb » est introuvable.\n"},
    };
    for (const auto& c : cases) {
        const CliRun run = runCli({QStringLiteral("check"), c.file});
        EXPECT_EQ(run.exitCode, 1) << c.file.toStdString();
        EXPECT_EQ(run.out, QByteArray()) << c.file.toStdString();
        EXPECT_EQ(run.err, c.message);
    }
}

TEST_F(SessionCli, RoundtripIntoAnUnwritablePlaceFailsAndLeavesNothing) {
    const QString file = newSession(QStringLiteral("a.cdb"));
    const QByteArray sourceBytes = contentsOf(file);
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
    EXPECT_EQ(contentsOf(file), sourceBytes);
}

TEST_F(SessionCli, RoundtripOfARefusedFileKeepsTheExistingOutput) {
    const QString out = newSession(QStringLiteral("existant.cdb"));
    const QByteArray bytes = contentsOf(out);

    const CliRun run =
        runCli({QStringLiteral("roundtrip"),
                QStringLiteral(VELMORA_TEST_DATA "/hostile/truncated-mid-document.cdb"), out});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err,
              QByteArray("Fichier de session illisible : fichier tronqué (le document s'arrête "
                         "avant sa fin)\n"));
    EXPECT_EQ(contentsOf(out), bytes);
    EXPECT_EQ(entriesOf(m_dir.path()), QStringList{QStringLiteral("existant.cdb")});
}

TEST_F(SessionCli, GeneratedSessionChecksWithEveryCountAndRoundtrips) {
    const AppDatabase db = bench::generateSession(bench::smallSize(), 7);
    const QString file = path(QStringLiteral("genere.cdb"));
    const Result<> written = writeSessionFile(db, SessionFormat::Compact, file);
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
    EXPECT_EQ(roundtrip.out, QByteArray());
    EXPECT_EQ(roundtrip.err, QByteArray());
    EXPECT_EQ(readBack(copy), readBack(file));
    EXPECT_EQ(parseOutput(runCli({QStringLiteral("check"), copy})), out);
}

// The export reads nothing but the session and writes nothing but its target:
// media stay embedded, their URLs name the session's media folder under the
// application's data folder, where opening the session would put them.
TEST_F(SessionCli, ExportIsPrettySortedWithOnlyTheReferencedMedia) {
    AppDatabase db = bench::generateSession(bench::smallSize(), 11);
    const QMap<QString, Base64Data> referenced = db.embeddedMedia;
    ASSERT_FALSE(referenced.isEmpty());
    db.embeddedMedia.insert(QStringLiteral("orphelin.png"), Base64Data::fromBytes("personne"));
    const QString file = path(QStringLiteral("source.cdb"));
    ASSERT_TRUE(writeSessionFile(db, SessionFormat::Compact, file).ok());
    const QByteArray before = readSessionBytes(file).value();

    const QString data = path(QStringLiteral("donnees"));
    const QString temporary = path(QStringLiteral("tmp"));
    ASSERT_TRUE(QDir().mkdir(temporary));
    const CliInput places{.environment = {QStringLiteral("XDG_DATA_HOME=") + data,
                                          QStringLiteral("TMPDIR=") + temporary}};
    const QString out = path(QStringLiteral("export.cdb"));
    const CliRun run = runCli({QStringLiteral("export"), file, out}, places);
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_EQ(run.out, QByteArray());

    const QByteArray text = readSessionBytes(out).value();
    EXPECT_TRUE(text.startsWith("{\n  \"accountingPurchases\": ")) << text.left(80).constData();
    const AppDatabase exported = readBack(out);
    EXPECT_EQ(exported.embeddedMedia, referenced);
    EXPECT_EQ(exported.documents.size(), db.documents.size());
    EXPECT_EQ(exported.sessionID, db.sessionID);
    // Media URLs now name the exported files; their file names stay.
    const QString media = data + QStringLiteral("/Velmora Core/Sessions/") +
                          db.sessionID->toString(QUuid::WithoutBraces).toUpper() +
                          QStringLiteral("/Media/");
    ASSERT_EQ(exported.clients.size(), db.clients.size());
    for (qsizetype i = 0; i < db.clients.size(); ++i) {
        ASSERT_EQ(exported.clients[i].photoURL.has_value(), db.clients[i].photoURL.has_value());
        if (db.clients[i].photoURL) {
            EXPECT_EQ(exported.clients[i].photoURL->fileName(), db.clients[i].photoURL->fileName());
            EXPECT_EQ(*exported.clients[i].photoURL,
                      QUrl::fromLocalFile(media + db.clients[i].photoURL->fileName()));
        }
    }
    EXPECT_EQ(readSessionBytes(file).value(), before) << "the source is read only";
    EXPECT_FALSE(QFile::exists(data));
    EXPECT_EQ(entriesOf(temporary), QStringList());

    const QString again = path(QStringLiteral("encore.cdb"));
    ASSERT_EQ(runCli({QStringLiteral("export"), file, again}, places).exitCode, 0);
    EXPECT_EQ(contentsOf(again), contentsOf(out)) << "two exports of one file are the same bytes";

    const QString broken = path(QStringLiteral("casse.cdb"));
    writeFile(broken, "{\"clients\": 3}");
    const CliRun refused =
        runCli({QStringLiteral("export"), broken, path(QStringLiteral("x.cdb"))});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(QString::fromUtf8(refused.err)
                    .startsWith(QStringLiteral("Fichier de session illisible : ")));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("x.cdb"))));
}

} // namespace
