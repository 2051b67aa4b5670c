// What velmora-cli does before and around any one command: usage errors,
// help, version, and the files no command may read.

#include "CliRun.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

using velmora::test::CliInput;
using velmora::test::CliRun;
using velmora::test::runCli;

namespace {

class CommandLineCli : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        const CliRun run = runCli({QStringLiteral("new"), file()});
        ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    }

    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString file() const { return path(QStringLiteral("a.cdb")); }

    QTemporaryDir m_dir;
};

TEST_F(CommandLineCli, WrongUsageExitsTwoWithAHint) {
    const QString file = this->file();
    const QString b = path(QStringLiteral("b.cdb"));
    const struct {
        QStringList args;
        QByteArray message;
    } cases[] = {
        {{}, "Aucune commande."},
        {{QStringLiteral("exporter"), file}, "Commande inconnue : exporter"},
        {{QStringLiteral("--verbose"), QStringLiteral("check"), file},
         "Commande inconnue : --verbose"},
        {{QStringLiteral("check")}, "Usage : velmora-cli check FICHIER"},
        {{QStringLiteral("check"), file, file}, "Usage : velmora-cli check FICHIER"},
        {{QStringLiteral("roundtrip"), file}, "Usage : velmora-cli roundtrip FICHIER SORTIE"},
        {{QStringLiteral("new")}, "Usage : velmora-cli new SORTIE [--name NOM] [--force]"},
        {{QStringLiteral("new"), b, QStringLiteral("--name")}, "L'option --name attend un nom."},
        {{QStringLiteral("new"), b, QStringLiteral("--nom"), QStringLiteral("X")},
         "Usage : velmora-cli new SORTIE [--name NOM] [--force]"},
        {{QStringLiteral("totals"), file}, "Usage : velmora-cli totals FICHIER NUMÉRO"},
        {{QStringLiteral("next-number"), file},
         "Usage : velmora-cli next-number FICHIER invoice|quote"},
        {{QStringLiteral("next-number"), file, QStringLiteral("facture")},
         "Type de document inconnu : « facture » (invoice ou quote attendu)."},
        {{QStringLiteral("digest")}, "Usage : velmora-cli digest RÉPONSE"},
        {{QStringLiteral("digest"), QStringLiteral("a"), QStringLiteral("b")},
         "Usage : velmora-cli digest RÉPONSE"},
        {{QStringLiteral("unlock"), file}, "Usage : velmora-cli unlock FICHIER CODE"},
        {{QStringLiteral("unlock"), file, QStringLiteral("1"), QStringLiteral("2")},
         "Usage : velmora-cli unlock FICHIER CODE"},
        {{QStringLiteral("version-newer"), QStringLiteral("1.0")},
         "Usage : velmora-cli version-newer CANDIDATE ACTUELLE"},
        {{QStringLiteral("version-newer"), QStringLiteral("1.0"), QStringLiteral("0.9"),
          QStringLiteral("0.8")},
         "Usage : velmora-cli version-newer CANDIDATE ACTUELLE"},
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
    EXPECT_FALSE(QFile::exists(b));
}

TEST_F(CommandLineCli, HelpDescribesEveryCommandOnItsOwnLine) {
    const char* synopses[] = {
        "check FICHIER",         "roundtrip FICHIER SORTIE", "new SORTIE [--name NOM] [--force]",
        "export FICHIER SORTIE", "totals FICHIER NUMÉRO",    "next-number FICHIER invoice|quote",
        "digest RÉPONSE",        "unlock FICHIER CODE",      "version-newer CANDIDATE ACTUELLE",
    };
    for (const QString& flag : {QStringLiteral("--help"), QStringLiteral("-h")}) {
        const CliRun run = runCli({flag});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err, QByteArray());
        const QString text = QString::fromUtf8(run.out);
        EXPECT_TRUE(text.contains(QStringLiteral(
            "Usage : velmora-cli [--now AAAA-MM-JJThh:mm:ssZ] COMMANDE [ARGUMENTS]")))
            << run.out.constData();
        for (const char* synopsis : synopses) {
            // The synopsis, then a line of description.
            const qsizetype at = text.indexOf(QStringLiteral("\n  %1\n      ").arg(synopsis));
            ASSERT_GE(at, 0) << synopsis;
            const QString description = text.mid(at).section(QLatin1Char('\n'), 2, 2).trimmed();
            EXPECT_GT(description.size(), 20) << synopsis;
        }
    }
    const CliRun version = runCli({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, QByteArray("velmora-cli " VELMORA_VERSION "\n"));
    EXPECT_EQ(version.err, QByteArray());
}

// Opening a FIFO to read it would wait for a writer forever: the run has a
// short deadline so that a regression fails instead of hanging.
TEST_F(CommandLineCli, EveryCommandRefusesMissingFilesAndFilesThatAreNotRegular) {
    const QString fifo = path(QStringLiteral("tube.cdb"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString out = path(QStringLiteral("sortie.cdb"));
    const struct {
        QString file;
        QByteArray message;
    } files[] = {
        {fifo, "« tube.cdb » n'est pas un fichier ordinaire.\n"},
        {QStringLiteral("/dev/null"), "« null » n'est pas un fichier ordinaire.\n"},
        {path(QStringLiteral("x.cdb")), "Le fichier « x.cdb » est introuvable.\n"},
    };
    for (const auto& f : files) {
        const QStringList commands[] = {
            {QStringLiteral("check"), f.file},
            {QStringLiteral("roundtrip"), f.file, out},
            {QStringLiteral("export"), f.file, out},
            {QStringLiteral("totals"), f.file, QStringLiteral("F-1")},
            {QStringLiteral("next-number"), f.file, QStringLiteral("invoice")},
            {QStringLiteral("unlock"), f.file, QStringLiteral("1234")},
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
