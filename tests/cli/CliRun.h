#pragma once

#include "support/TestFiles.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
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

struct CliInput {
    QByteArray standardInput = {};
    QStringList environment = {}; // "NAME=value", on top of the test's own
    QString workingDirectory = {};
    int timeoutMs = 60'000;
};

inline CliRun runCli(const QStringList& args, const CliInput& input = {}) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& variable : input.environment)
        environment.insert(variable.section(QLatin1Char('='), 0, 0),
                           variable.section(QLatin1Char('='), 1));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(input.workingDirectory);
    process.start(QStringLiteral(VELMORA_CLI), args);
    process.write(input.standardInput);
    process.closeWriteChannel();
    CliRun run;
    if (!process.waitForFinished(input.timeoutMs)) {
        ADD_FAILURE() << "velmora-cli did not finish: " << args.join(' ').toStdString();
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

inline QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline QStringList entriesOf(const QString& dir) {
    return QDir(dir).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace velmora::test
