// The session commands of velmora-cli, run as a user or a script would, held
// to the contract: one JSON document on stdout, the French message on stderr,
// exit status 0, 1 or 2, and files written whole or not at all.

#include "CliRun.h"

#include "SessionGenerator.h"
#include "core/model/SessionEncoder.h"
#include "core/model/SessionFile.h"
#include "support/SessionJson.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

using namespace velmora;
using velmora::test::CliInput;
using velmora::test::CliRun;
using velmora::test::contentsOf;
using velmora::test::decodeOk;
using velmora::test::entriesOf;
using velmora::test::parseObject;
using velmora::test::parseOutput;
using velmora::test::runCli;
using velmora::test::writeFile;

namespace {

AppDatabase readBack(const QString& path) {
    return decodeOk(contentsOf(path));
}

// One count per list of the root record, named by its key: every array of
// the file as the encoder writes it.
QJsonObject countsOf(const AppDatabase& db) {
    QJsonObject counts;
    const QJsonObject root = parseObject(encodeSession(db, SessionFormat::Compact));
    for (auto it = root.begin(); it != root.end(); ++it)
        if (it->isArray())
            counts.insert(it.key(), it->toArray().size());
    return counts;
}

class SessionCli : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString path(const QString& name) const { return m_dir.filePath(name); }

    // A brand-new session, written by the tool itself.
    QString newSession(const QString& name, const QStringList& extra = {}) {
        const CliRun run = runCli(QStringList{u"new"_s, path(name)} + extra);
        EXPECT_EQ(run.exitCode, 0) << run.err.constData();
        EXPECT_EQ(run.out, QByteArray());
        EXPECT_EQ(run.err, QByteArray());
        return path(name);
    }

    QTemporaryDir m_dir;
};

// A new session checks with its name, trimmed (null when blank or missing),
// an id of its own and the seeded lists only.
TEST_F(SessionCli, NewSessionChecksWithItsTrimmedNameItsOwnIdAndSeededLists) {
    const struct {
        QStringList nameArgs;
        QJsonValue expected;
    } cases[] = {
        {{u"--name"_s, u"Atelier Léa"_s}, QJsonValue(u"Atelier Léa"_s)},
        {{}, QJsonValue(QJsonValue::Null)},
        {{u"--name"_s, u" \t "_s}, QJsonValue(QJsonValue::Null)},
        {{u"--name"_s, u"  Studio Nord \n"_s}, QJsonValue(u"Studio Nord"_s)},
    };
    QSet<QString> ids;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nameArgs.join(' ').toStdString());
        const QString file = newSession(u"s%1.cdb"_s.arg(ids.size()), c.nameArgs);
        const CliRun run = runCli({u"check"_s, file});
        ASSERT_EQ(run.exitCode, 0) << run.err.constData();
        EXPECT_EQ(run.err, QByteArray());
        const QJsonObject out = parseOutput(run);
        EXPECT_EQ(out.keys(),
                  (QStringList{u"counts"_s, u"protected"_s, u"sessionID"_s, u"sessionName"_s}));
        EXPECT_EQ(out.value(u"sessionName"_s), c.expected);
        EXPECT_EQ(out.value(u"protected"_s), QJsonValue(false));

        const AppDatabase db = readBack(file);
        ASSERT_TRUE(db.sessionID.has_value());
        EXPECT_EQ(out.value(u"sessionID"_s),
                  QJsonValue(db.sessionID->toString(QUuid::WithoutBraces).toUpper()));
        ids.insert(out.value(u"sessionID"_s).toString());
        const QJsonObject counts = out.value(u"counts"_s).toObject();
        EXPECT_EQ(counts, countsOf(db));
        EXPECT_EQ(counts.value(u"quoteStatuses"_s), QJsonValue(4));
        EXPECT_EQ(counts.value(u"clients"_s), QJsonValue(0));
    }
    EXPECT_EQ(ids.size(), 4) << "every new session has its own id";
}

// "new" never replaces a file by accident: it names the file as it was typed.
TEST_F(SessionCli, NewRefusesAnExistingFileUnlessForced) {
    const QString file = newSession(u"precieux.cdb"_s, {u"--name"_s, u"Précieux"_s});
    const QByteArray before = contentsOf(file);
    const std::optional<QUuid> id = readBack(file).sessionID;
    const CliRun refused =
        runCli({u"new"_s, u"precieux.cdb"_s}, CliInput{.workingDirectory = m_dir.path()});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.out, QByteArray());
    EXPECT_EQ(refused.err, QByteArray("Le fichier « precieux.cdb » existe déjà.\n"));
    EXPECT_EQ(contentsOf(file), before);

    const CliRun forced = runCli({u"new"_s, file, u"--force"_s});
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
    const QString old = path(u"ancien.cdb"_s);
    writeFile(old, bytes);

    const QString out = path(u"nouveau.cdb"_s);
    const CliRun run = runCli({u"--now"_s, u"2024-12-31T23:59:58Z"_s, u"roundtrip"_s, old, out});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    const AppDatabase db = readBack(out);
    ASSERT_EQ(db.documents.size(), 1);
    ASSERT_EQ(db.documents[0].encaissements.size(), 1);
    EXPECT_EQ(db.documents[0].encaissements[0].createdAt,
              QDateTime(QDate(2024, 12, 31), QTime(23, 59, 58), Qt::UTC));

    const CliRun check = runCli({u"--now"_s, u"2025-06-10T09:00:00Z"_s, u"check"_s, out});
    EXPECT_EQ(check.exitCode, 0) << check.err.constData();
    EXPECT_EQ(parseOutput(check).value(u"sessionName"_s), QJsonValue(u"Atelier"_s));
}

// A file that cannot be read fails with the French message only, and
// replaces no output.
TEST_F(SessionCli, ARefusedFileFailsWithTheFrenchMessageOnlyAndKeepsTheOutput) {
    const QString out = newSession(u"existant.cdb"_s);
    const QByteArray bytes = contentsOf(out);
    const QString hostile = QStringLiteral(VELMORA_TEST_DATA "/hostile/");
    const struct {
        QStringList args;
        QByteArray message;
    } cases[] = {
        {{u"check"_s, hostile + "truncated-inside-string.cdb"}, "texte non terminé"},
        {{u"check"_s, hostile + "unknown-enum-case.cdb"},
         "documents[0].kind — valeur inconnue « facture »"},
        {{u"roundtrip"_s, hostile + "truncated-mid-document.cdb", out},
         "fichier tronqué (le document s'arrête avant sa fin)"},
    };
    for (const auto& c : cases) {
        const CliRun run = runCli(c.args);
        EXPECT_EQ(run.exitCode, 1) << c.args.join(' ').toStdString();
        EXPECT_EQ(run.out, QByteArray()) << c.args.join(' ').toStdString();
        EXPECT_EQ(run.err, "Fichier de session illisible : " + c.message + '\n');
    }
    EXPECT_EQ(contentsOf(out), bytes);
    EXPECT_EQ(entriesOf(m_dir.path()), QStringList{u"existant.cdb"_s});
}

TEST_F(SessionCli, RoundtripIntoAnUnwritablePlaceFailsAndLeavesNothing) {
    const QString file = newSession(u"a.cdb"_s);
    const QByteArray sourceBytes = contentsOf(file);
    const QString folder = path(u"dossier"_s);
    ASSERT_TRUE(QDir().mkdir(folder));
    const QStringList before = entriesOf(m_dir.path());

    // The target is a folder; a folder that does not exist; a file taken for a folder.
    const QString targets[] = {folder, path(u"absent/copie.cdb"_s), file + u"/copie.cdb"_s};
    for (const QString& target : targets) {
        const CliRun run = runCli({u"roundtrip"_s, file, target});
        EXPECT_EQ(run.exitCode, 1) << target.toStdString();
        EXPECT_EQ(run.out, QByteArray());
        const QString name = QFileInfo(target).fileName();
        EXPECT_TRUE(QString::fromUtf8(run.err).startsWith(
            u"Le fichier « %1 » n'a pas pu être enregistré : "_s.arg(name)))
            << run.err.constData();
        EXPECT_EQ(entriesOf(m_dir.path()), before) << target.toStdString();
        EXPECT_EQ(entriesOf(folder), QStringList());
    }
    EXPECT_EQ(contentsOf(file), sourceBytes);
}

TEST_F(SessionCli, GeneratedSessionChecksWithEveryCountAndRoundtrips) {
    const AppDatabase db = bench::generateSession(bench::smallSize(), 7);
    const QString file = path(u"genere.cdb"_s);
    const Result<> written = writeSessionFile(db, SessionFormat::Compact, file);
    ASSERT_TRUE(written.ok()) << written.error().toStdString();

    const CliRun run = runCli({u"check"_s, file});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    const QJsonObject out = parseOutput(run);
    EXPECT_EQ(out.value(u"counts"_s).toObject(), countsOf(db));
    EXPECT_EQ(out.value(u"counts"_s).toObject().value(u"clients"_s),
              QJsonValue(bench::smallSize().clients));
    EXPECT_EQ(out.value(u"protected"_s), QJsonValue(!db.preferences.appPassword.isEmpty()));
    EXPECT_EQ(out.value(u"sessionName"_s),
              db.sessionName ? QJsonValue(*db.sessionName) : QJsonValue());
    ASSERT_TRUE(db.sessionID.has_value());
    EXPECT_EQ(out.value(u"sessionID"_s),
              QJsonValue(db.sessionID->toString(QUuid::WithoutBraces).toUpper()));

    const QString copy = path(u"copie.cdb"_s);
    const CliRun roundtrip = runCli({u"roundtrip"_s, file, copy});
    ASSERT_EQ(roundtrip.exitCode, 0) << roundtrip.err.constData();
    EXPECT_EQ(roundtrip.out, QByteArray());
    EXPECT_EQ(roundtrip.err, QByteArray());
    EXPECT_EQ(readBack(copy), readBack(file));
    EXPECT_EQ(parseOutput(runCli({u"check"_s, copy})), out);
}

// The export reads nothing but the session and writes nothing but its target:
// media stay embedded, their URLs name the session's media folder under the
// application's data folder, where opening the session would put them.
TEST_F(SessionCli, ExportIsPrettySortedWithOnlyTheReferencedMedia) {
    AppDatabase db = bench::generateSession(bench::smallSize(), 11);
    const QMap<QString, Base64Data> referenced = db.embeddedMedia;
    ASSERT_FALSE(referenced.isEmpty());
    db.embeddedMedia.insert(u"orphelin.png"_s, Base64Data::fromBytes("personne"));
    const QString file = path(u"source.cdb"_s);
    ASSERT_TRUE(writeSessionFile(db, SessionFormat::Compact, file).ok());
    const QByteArray before = readSessionBytes(file).value();

    const QString data = path(u"donnees"_s);
    const QString temporary = path(u"tmp"_s);
    ASSERT_TRUE(QDir().mkdir(temporary));
    const CliInput places{.environment = {u"XDG_DATA_HOME="_s + data, u"TMPDIR="_s + temporary}};
    const QString out = path(u"export.cdb"_s);
    const CliRun run = runCli({u"export"_s, file, out}, places);
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_EQ(run.out, QByteArray());

    const QByteArray text = readSessionBytes(out).value();
    EXPECT_TRUE(text.startsWith("{\n  \"accountingPurchases\": ")) << text.left(80).constData();
    const AppDatabase exported = readBack(out);
    EXPECT_EQ(exported.embeddedMedia, referenced);
    EXPECT_EQ(exported.documents.size(), db.documents.size());
    EXPECT_EQ(exported.sessionID, db.sessionID);
    // Media URLs now name the exported files; their file names stay.
    const QString media = data + u"/Velmora Core/Sessions/"_s +
                          db.sessionID->toString(QUuid::WithoutBraces).toUpper() + u"/Media/"_s;
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

    const QString again = path(u"encore.cdb"_s);
    ASSERT_EQ(runCli({u"export"_s, file, again}, places).exitCode, 0);
    EXPECT_EQ(contentsOf(again), contentsOf(out)) << "two exports of one file are the same bytes";

    const QString broken = path(u"casse.cdb"_s);
    writeFile(broken, "{\"clients\": 3}");
    const CliRun refused = runCli({u"export"_s, broken, path(u"x.cdb"_s)});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(QString::fromUtf8(refused.err).startsWith(u"Fichier de session illisible : "_s));
    EXPECT_FALSE(QFile::exists(path(u"x.cdb"_s)));
}

} // namespace
