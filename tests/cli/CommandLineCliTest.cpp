// What velmora-cli does before and around any one command: usage errors,
// help, version, and the files no command may read.

#include "CliRun.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

using velmora::test::CliInput;
using velmora::test::CliRun;
using velmora::test::runCli;

namespace {

class CommandLineCli : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        const CliRun run = runCli({u"new"_s, file()});
        ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    }

    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString file() const { return path(u"a.cdb"_s); }

    QTemporaryDir m_dir;
};

TEST_F(CommandLineCli, WrongUsageExitsTwoWithAHint) {
    const QString file = this->file();
    const QString b = path(u"b.cdb"_s);
    const struct {
        QStringList args;
        QByteArray message;
    } cases[] = {
        {{}, "Aucune commande."},
        {{u"exporter"_s, file}, "Commande inconnue : exporter"},
        {{u"--verbose"_s, u"check"_s, file}, "Commande inconnue : --verbose"},
        {{u"check"_s}, "Usage : velmora-cli check FICHIER"},
        {{u"check"_s, file, file}, "Usage : velmora-cli check FICHIER"},
        {{u"roundtrip"_s, file}, "Usage : velmora-cli roundtrip FICHIER SORTIE"},
        {{u"new"_s}, "Usage : velmora-cli new SORTIE [--name NOM] [--force]"},
        {{u"new"_s, b, u"--name"_s}, "L'option --name attend un nom."},
        {{u"new"_s, b, u"--nom"_s, u"X"_s},
         "Usage : velmora-cli new SORTIE [--name NOM] [--force]"},
        {{u"totals"_s, file}, "Usage : velmora-cli totals FICHIER NUMÉRO"},
        {{u"next-number"_s, file}, "Usage : velmora-cli next-number FICHIER invoice|quote"},
        {{u"next-number"_s, file, u"facture"_s},
         "Type de document inconnu : « facture » (invoice ou quote attendu)."},
        {{u"digest"_s}, "Usage : velmora-cli digest RÉPONSE"},
        {{u"digest"_s, u"a"_s, u"b"_s}, "Usage : velmora-cli digest RÉPONSE"},
        {{u"unlock"_s, file}, "Usage : velmora-cli unlock FICHIER CODE"},
        {{u"unlock"_s, file, u"1"_s, u"2"_s}, "Usage : velmora-cli unlock FICHIER CODE"},
        {{u"version-newer"_s, u"1.0"_s}, "Usage : velmora-cli version-newer CANDIDATE ACTUELLE"},
        {{u"version-newer"_s, u"1.0"_s, u"0.9"_s, u"0.8"_s},
         "Usage : velmora-cli version-newer CANDIDATE ACTUELLE"},
        {{u"--now"_s}, "L'option --now attend une date."},
        {{u"--now"_s, u"2025-06-10T09:00:00Z"_s}, "Aucune commande."},
        {{u"--now"_s, u"2025-06-10T09:00:00.5Z"_s, u"check"_s, file},
         "Date invalide pour --now : « 2025-06-10T09:00:00.5Z » (format AAAA-MM-JJThh:mm:ssZ "
         "attendu)."},
        {{u"--now"_s, u"2025-02-30T09:00:00Z"_s, u"check"_s, file},
         "Date invalide pour --now : « 2025-02-30T09:00:00Z » (format AAAA-MM-JJThh:mm:ssZ "
         "attendu)."},
        {{u"--now"_s, u"demain"_s, u"check"_s, file},
         "Date invalide pour --now : « demain » (format AAAA-MM-JJThh:mm:ssZ attendu)."},
    };
    for (const auto& c : cases) {
        const CliRun run = runCli(c.args);
        EXPECT_EQ(run.exitCode, 2) << c.args.join(' ').toStdString();
        EXPECT_EQ(run.out, QByteArray()) << c.args.join(' ').toStdString();
        EXPECT_EQ(run.err, c.message + "\nVoir : velmora-cli --help\n");
    }
    // Usage errors never write: --name without a value left no b.cdb.
    EXPECT_FALSE(QFile::exists(b));
}

TEST_F(CommandLineCli, HelpDescribesEveryCommandOnItsOwnLine) {
    const char* synopses[] = {
        "check FICHIER",         "roundtrip FICHIER SORTIE", "new SORTIE [--name NOM] [--force]",
        "export FICHIER SORTIE", "totals FICHIER NUMÉRO",    "next-number FICHIER invoice|quote",
        "digest RÉPONSE",        "unlock FICHIER CODE",      "version-newer CANDIDATE ACTUELLE",
    };
    for (const QString& flag : {u"--help"_s, u"-h"_s}) {
        const CliRun run = runCli({flag});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err, QByteArray());
        const QString text = QString::fromUtf8(run.out);
        EXPECT_TRUE(text.contains(
            u"Usage : velmora-cli [--now AAAA-MM-JJThh:mm:ssZ] COMMANDE [ARGUMENTS]"_s))
            << run.out.constData();
        for (const char* synopsis : synopses) {
            // The synopsis, then a line of description.
            const qsizetype at = text.indexOf(u"\n  %1\n      "_s.arg(synopsis));
            ASSERT_GE(at, 0) << synopsis;
            const QString description = text.mid(at).section(QLatin1Char('\n'), 2, 2).trimmed();
            EXPECT_GT(description.size(), 20) << synopsis;
        }
    }
    const CliRun version = runCli({u"--version"_s});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, QByteArray("velmora-cli " VELMORA_VERSION "\n"));
    EXPECT_EQ(version.err, QByteArray());
}

// Opening a FIFO to read it would wait for a writer forever: the run has a
// short deadline so that a regression fails instead of hanging.
TEST_F(CommandLineCli, EveryCommandRefusesMissingFilesAndFilesThatAreNotRegular) {
    const QString fifo = path(u"tube.cdb"_s);
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString out = path(u"sortie.cdb"_s);
    const struct {
        QString file;
        QByteArray message;
    } files[] = {
        {fifo, "« tube.cdb » n'est pas un fichier ordinaire.\n"},
        {u"/dev/null"_s, "« null » n'est pas un fichier ordinaire.\n"},
        {path(u"x.cdb"_s), "Le fichier « x.cdb » est introuvable.\n"},
    };
    for (const auto& f : files) {
        const QStringList commands[] = {
            {u"check"_s, f.file},
            {u"roundtrip"_s, f.file, out},
            {u"export"_s, f.file, out},
            {u"totals"_s, f.file, u"F-1"_s},
            {u"next-number"_s, f.file, u"invoice"_s},
            {u"unlock"_s, f.file, u"1234"_s},
        };
        for (const QStringList& args : commands) {
            const CliRun run = runCli(args, CliInput{.timeoutMs = 10'000});
            EXPECT_EQ(run.exitCode, 1) << args.join(' ').toStdString();
            EXPECT_EQ(run.out, QByteArray()) << args.join(' ').toStdString();
            EXPECT_EQ(run.err, f.message) << args.join(' ').toStdString();
        }
    }
    EXPECT_FALSE(QFile::exists(out));
}

} // namespace
