// The access-code commands of velmora-cli, run as a script would run them.

#include "CliRun.h"

#include "core/model/NewSession.h"
#include "core/model/SessionFile.h"
#include "core/security/AccessCode.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QJsonObject>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

using namespace velmora;
using velmora::test::CliInput;
using velmora::test::CliRun;
using velmora::test::parseOutput;
using velmora::test::runCli;
using velmora::test::writeFile;

namespace {

QString digestOf(const QString& answer) {
    const CliRun run = runCli({u"digest"_s, answer});
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.constData();
    const QJsonObject out = parseOutput(run);
    EXPECT_EQ(out.size(), 1);
    return out.value(u"answerHash"_s).toString();
}

TEST(SecurityCli, DigestHashesTheTrimmedLowerCasedAnswer) {
    const QString paris = digestOf(u"paris"_s);
    EXPECT_EQ(paris, QString::fromLatin1(
                         QCryptographicHash::hash("paris", QCryptographicHash::Sha256).toHex()));
    EXPECT_EQ(digestOf(u" Paris "_s), paris);
    // Non-ASCII arguments reach the digest as UTF-8, accent included.
    const QString accented = digestOf(u"París"_s);
    EXPECT_NE(accented, paris);
    EXPECT_EQ(accented, answerDigest(u"PARÍS"_s));
    EXPECT_EQ(digestOf(QString()).size(), 64);
    // An answer is taken as it is, even when it looks like an option.
    EXPECT_EQ(digestOf(u"--force"_s), answerDigest(u"--force"_s));
}

class SecurityCliUnlock : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString sessionWithCode(const QString& code) {
        AppDatabase db = newSessionContents();
        db.preferences.appPassword = code;
        const QString path = m_dir.filePath(u"session %1.cdb"_s.arg(++m_count));
        const Result<> written = writeSessionFile(db, SessionFormat::Compact, path);
        EXPECT_TRUE(written.ok()) << written.error().toStdString();
        return path;
    }

    // The "unlocked" answer, after checking the rest of the contract; the code
    // is given as an argument, or with "-" on standard input.
    bool unlocked(const QString& file, const QString& code, bool fromInput = false) {
        const CliRun run = fromInput ? runCli({u"unlock"_s, file, u"-"_s},
                                              CliInput{.standardInput = code.toUtf8()})
                                     : runCli({u"unlock"_s, file, code});
        EXPECT_EQ(run.exitCode, 0) << run.err.constData();
        const QJsonObject out = parseOutput(run);
        EXPECT_EQ(out.size(), 1);
        EXPECT_TRUE(out.value(u"unlocked"_s).isBool()) << run.out.constData();
        return out.value(u"unlocked"_s).toBool();
    }

    QTemporaryDir m_dir;
    int m_count = 0;
};

TEST_F(SecurityCliUnlock, AcceptsTheCodeTrimmedAndCaseSensitiveFromArgumentOrInput) {
    const QString withCode = sessionWithCode(u"Clé-2025"_s);
    // A session without a code opens directly, whatever is typed.
    const QString withoutCode = sessionWithCode(QString());
    const struct {
        QString file;
        QString typed;
        bool unlocks;
    } cases[] = {
        {withCode, u"Clé-2025"_s, true},
        {withCode, u" Clé-2025\n"_s, true},
        {withCode, u"clé-2025"_s, false},
        {withCode, u"Cle-2025"_s, false},
        {withCode, QString(), false},
        {withoutCode, QString(), true},
        {withoutCode, u"n'importe quoi"_s, true},
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
    const QString path = m_dir.filePath(u"partiel.cdb"_s);
    writeFile(path, R"({"preferences":{"appPassword":"1234"},"clients":"pas une liste"})");
    EXPECT_TRUE(unlocked(path, u"1234"_s));
    EXPECT_FALSE(unlocked(path, u"12345"_s));

    writeFile(path, "{\"preferences\": ");
    const CliRun run = runCli({u"unlock"_s, path, u"1234"_s});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.isEmpty()) << run.out.constData();
    EXPECT_EQ(run.err,
              QByteArray("Fichier de session illisible : fichier tronqué (le document s'arrête "
                         "avant sa fin)\n"));
}

} // namespace
