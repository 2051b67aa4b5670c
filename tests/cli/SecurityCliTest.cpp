// The access-code commands of velmora-cli, run as a script would run them.

#include "CliRun.h"

#include "core/model/NewSession.h"
#include "core/model/SessionFile.h"
#include "core/security/AccessCode.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QJsonObject>
#include <QTemporaryDir>

using namespace velmora;
using velmora::test::CliInput;
using velmora::test::CliRun;
using velmora::test::parseOutput;
using velmora::test::runCli;
using velmora::test::writeFile;

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
    // An answer is taken as it is, even when it looks like an option.
    EXPECT_EQ(digestOf(QStringLiteral("--force")), answerDigest(QStringLiteral("--force")));
}

class SecurityCliUnlock : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString sessionWithCode(const QString& code) {
        AppDatabase db = newSessionContents();
        db.preferences.appPassword = code;
        const QString path = m_dir.filePath(QStringLiteral("session %1.cdb").arg(++m_count));
        const Result<> written = writeSessionFile(db, SessionFormat::Compact, path);
        EXPECT_TRUE(written.ok()) << written.error().toStdString();
        return path;
    }

    // The "unlocked" answer, after checking the rest of the contract; the code
    // is given as an argument, or with "-" on standard input.
    bool unlocked(const QString& file, const QString& code, bool fromInput = false) {
        const CliRun run = fromInput ? runCli({QStringLiteral("unlock"), file, QStringLiteral("-")},
                                              CliInput{.standardInput = code.toUtf8()})
                                     : runCli({QStringLiteral("unlock"), file, code});
        EXPECT_EQ(run.exitCode, 0) << run.err.constData();
        const QJsonObject out = parseOutput(run);
        EXPECT_EQ(out.size(), 1);
        EXPECT_TRUE(out.value(QStringLiteral("unlocked")).isBool()) << run.out.constData();
        return out.value(QStringLiteral("unlocked")).toBool();
    }

    QTemporaryDir m_dir;
    int m_count = 0;
};

TEST_F(SecurityCliUnlock, AcceptsTheCodeTrimmedAndCaseSensitiveFromArgumentOrInput) {
    const QString withCode = sessionWithCode(QStringLiteral("Clé-2025"));
    // A session without a code opens directly, whatever is typed.
    const QString withoutCode = sessionWithCode(QString());
    const struct {
        QString file;
        QString typed;
        bool unlocks;
    } cases[] = {
        {withCode, QStringLiteral("Clé-2025"), true},
        {withCode, QStringLiteral(" Clé-2025\n"), true},
        {withCode, QStringLiteral("clé-2025"), false},
        {withCode, QStringLiteral("Cle-2025"), false},
        {withCode, QString(), false},
        {withoutCode, QString(), true},
        {withoutCode, QStringLiteral("n'importe quoi"), true},
    };
    for (const auto& c : cases) {
        for (const bool fromInput : {false, true}) {
            EXPECT_EQ(unlocked(c.file, c.typed, fromInput), c.unlocks)
                << c.typed.toStdString() << (fromInput ? " on standard input" : "");
        }
    }
}

TEST_F(SecurityCliUnlock, ReadsOnlyThePreferencesCode) {
    // The rest of the file would not load as a session; the lock still works.
    const QString path = m_dir.filePath(QStringLiteral("partiel.cdb"));
    writeFile(path, R"({"preferences":{"appPassword":"1234"},"clients":"pas une liste"})");
    EXPECT_TRUE(unlocked(path, QStringLiteral("1234")));
    EXPECT_FALSE(unlocked(path, QStringLiteral("12345")));

    writeFile(path, "{\"preferences\": ");
    const CliRun run = runCli({QStringLiteral("unlock"), path, QStringLiteral("1234")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.isEmpty()) << run.out.constData();
    EXPECT_EQ(run.err,
              QByteArray("Fichier de session illisible : fichier tronqué (le document s'arrête "
                         "avant sa fin)\n"));
}

} // namespace
