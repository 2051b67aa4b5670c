#pragma once

#include "core/platform/Clock.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace velmora::cli {

enum ExitCode { Success = 0, Failure = 1, Usage = 2 };

// What every command gets: its own arguments and the clock fixed by --now.
struct CliContext {
    QStringList args;
    std::unique_ptr<Clock> clock;
};

struct Command {
    QString name;
    QString synopsis;
    std::function<int(CliContext&)> run;
};

void printJson(const QJsonObject& object);
int fail(const QString& message);
int usage(const QString& message);

QList<Command> sessionCommands();
QList<Command> appCommands();
QList<Command> securityCommands();
QList<Command> documentCommands();

} // namespace velmora::cli
