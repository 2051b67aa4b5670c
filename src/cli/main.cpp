#include "cli/Command.h"

#include <QCoreApplication>

using namespace velmora::cli;

namespace {

QtMessageHandler standardHandler = nullptr;

// Standard error carries the French message of a failure and nothing else, so
// the log lines of the layers below (the system's own wording) are dropped.
void keepOnlyCriticalMessages(QtMsgType type, const QMessageLogContext& context,
                              const QString& message) {
    if ((type == QtCriticalMsg || type == QtFatalMsg) && standardHandler)
        standardHandler(type, context, message);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    standardHandler = qInstallMessageHandler(keepOnlyCriticalMessages);
    // The command table: a new command is one entry in its subsystem's list.
    const QList<Command> commands =
        sessionCommands() + documentCommands() + securityCommands() + appCommands();
    return runCommandLine(commands, app.arguments().mid(1));
}
