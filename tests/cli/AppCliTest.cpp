// velmora-cli version-newer: the update check's comparison, for scripts.

#include "CliRun.h"

#include <gtest/gtest.h>

#include <QJsonObject>

using namespace Qt::StringLiterals;

using velmora::test::CliRun;
using velmora::test::parseOutput;
using velmora::test::runCli;

namespace {

CliRun versionNewer(const QStringList& args) {
    return runCli(QStringList{u"version-newer"_s} + args);
}

} // namespace

TEST(VersionNewerCli, AnswersWithTheNumericComparison) {
    const struct {
        const char* candidate;
        const char* current;
        bool newer;
    } cases[] = {
        {"0.9.10", "0.9.9", true}, {"1.0", "1.0.0", false}, {"1.0.1", "1.0", true},
        {"1.9", "1.10", false},    {"abc", "0", false},     {"1.2b.3", "1.2.9", true},
    };
    for (const auto& c : cases) {
        const CliRun run =
            versionNewer({QString::fromUtf8(c.candidate), QString::fromUtf8(c.current)});
        ASSERT_EQ(run.exitCode, 0) << run.err.constData();
        EXPECT_EQ(run.err, QByteArray());
        EXPECT_EQ(parseOutput(run), (QJsonObject{{u"newer"_s, c.newer}}))
            << c.candidate << " against " << c.current;
    }
}
