// The access-code commands of velmora-cli, run as a script would run them.

#include "CliRun.h"

#include "core/model/NewSession.h"
#include "core/model/SessionFile.h"
#include "core/security/AccessCode.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

using namespace velmora;
using velmora::test::CliRun;
using velmora::test::parseOutput;
using velmora::test::runCli;

namespace {

QString digestOf(const QString& answer) {
    const CliRun run = runCli({QStringLiteral("digest"), answer});
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.constData();
    const QJsonObject out = parseOutput(run);
    EXPECT_EQ(out.size(), 1);
    return out.value(QStringLiteral("answerHash")).toString();
}

TEST(SecurityCli, DigestHashesTheTrimmedLowerCasedAnswer) {
    const QString paris = digestOf(QStringLiteral("paris"));
    EXPECT_EQ(paris, QString::fromLatin1(
                         QCryptographicHash::hash("paris", QCryptographicHash::Sha256).toHex()));
    EXPECT_EQ(digestOf(QStringLiteral(" Paris ")), paris);
    // Non-ASCII arguments reach the digest as UTF-8, accent included.
    const QString accented = digestOf(QStringLiteral("París"));
    EXPECT_NE(accented, paris);
    EXPECT_EQ(accented, answerDigest(QStringLiteral("PARÍS")));
    EXPECT_EQ(digestOf(QString()).size(), 64);
}

TEST(SecurityCli, DigestWithoutExactlyOneAnswerIsAUsageError) {
    for (const QStringList& args :
         {QStringList{QStringLiteral("digest")},
          QStringList{QStringLiteral("digest"), QStringLiteral("a"), QStringLiteral("b")}}) {
        const CliRun run = runCli(args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_FALSE(run.err.isEmpty());
    }
}

class SecurityCliUnlock : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString sessionWithCode(const QString& code) {
        AppDatabase db = newSessionContents();
        db.preferences.appPassword = code;
        const QString path = m_dir.filePath(QStringLiteral("session %1.cdb").arg(++m_count));
        const Status written = writeSessionFile(db, SessionFormat::Compact, path);
        EXPECT_TRUE(written.ok()) << written.error().toStdString();
        return path;
    }

    // The "unlocked" answer, after checking the rest of the contract.
    bool unlocked(const QString& file, const QString& code) {
        const CliRun run = runCli({QStringLiteral("unlock"), file, code});
        EXPECT_EQ(run.exitCode, 0) << run.err.constData();
        const QJsonObject out = parseOutput(run);
        EXPECT_EQ(out.size(), 1);
        EXPECT_TRUE(out.value(QStringLiteral("unlocked")).isBool()) << run.out.constData();
        return out.value(QStringLiteral("unlocked")).toBool();
    }

    QTemporaryDir m_dir;
    int m_count = 0;
};

TEST_F(SecurityCliUnlock, AcceptsTheCodeTrimmedAndCaseSensitive) {
    const QString file = sessionWithCode(QStringLiteral("Clé-2025"));
    EXPECT_TRUE(unlocked(file, QStringLiteral("Clé-2025")));
    EXPECT_TRUE(unlocked(file, QStringLiteral(" Clé-2025\n")));
    EXPECT_FALSE(unlocked(file, QStringLiteral("clé-2025")));
    EXPECT_FALSE(unlocked(file, QStringLiteral("Cle-2025")));
    EXPECT_FALSE(unlocked(file, QString()));
}

TEST_F(SecurityCliUnlock, ASessionWithoutCodeOpensWhateverIsTyped) {
    const QString file = sessionWithCode(QString());
    EXPECT_TRUE(unlocked(file, QString()));
    EXPECT_TRUE(unlocked(file, QStringLiteral("n'importe quoi")));
}

TEST_F(SecurityCliUnlock, ReadsOnlyThePreferencesCode) {
    // The rest of the file would not load as a session; the lock still works.
    const QString path = m_dir.filePath(QStringLiteral("partiel.cdb"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"preferences":{"appPassword":"1234"},"clients":"pas une liste"})");
    file.close();
    EXPECT_TRUE(unlocked(path, QStringLiteral("1234")));
    EXPECT_FALSE(unlocked(path, QStringLiteral("12345")));
}

TEST_F(SecurityCliUnlock, UnreadableFilesFailWithAFrenchMessage) {
    const QString garbage = m_dir.filePath(QStringLiteral("abime.cdb"));
    QFile file(garbage);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{\"preferences\": ");
    file.close();
    for (const QString& path : {garbage, m_dir.filePath(QStringLiteral("absent.cdb"))}) {
        const CliRun run = runCli({QStringLiteral("unlock"), path, QStringLiteral("1234")});
        EXPECT_EQ(run.exitCode, 1) << path.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << run.out.constData();
        EXPECT_FALSE(run.err.isEmpty());
    }
}

TEST_F(SecurityCliUnlock, WrongArgumentCountIsAUsageError) {
    const QString file = sessionWithCode(QStringLiteral("1234"));
    for (const QStringList& args :
         {QStringList{QStringLiteral("unlock"), file},
          QStringList{QStringLiteral("unlock"), file, QStringLiteral("1"), QStringLiteral("2")}}) {
        const CliRun run = runCli(args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.out.isEmpty());
    }
}

} // namespace
