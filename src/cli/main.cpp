#include "cli/Command.h"

#include <QCoreApplication>

using namespace velmora::cli;

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    // The command table: a new command is one entry in its subsystem's list.
    const QList<Command> commands =
        sessionCommands() + documentCommands() + securityCommands() + appCommands();
    return runCommandLine(commands, app.arguments().mid(1));
}
