#pragma once

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

namespace velmora::test {

// One run of the built velmora-cli: its exit code and both outputs.
struct CliRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

inline CliRun runCli(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(VELMORA_CLI), args);
    CliRun run;
    if (!process.waitForFinished(60'000)) {
        ADD_FAILURE() << "velmora-cli did not finish: " << process.errorString().toStdString();
        process.kill();
        process.waitForFinished();
        return run;
    }
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << "velmora-cli crashed";
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

// The single JSON object a successful command prints.
inline QJsonObject parseOutput(const CliRun& run) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(run.out, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << run.out.constData();
    EXPECT_TRUE(doc.isObject()) << run.out.constData();
    return doc.object();
}

} // namespace velmora::test
