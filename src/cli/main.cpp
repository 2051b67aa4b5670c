#include "cli/Command.h"
#include "desktop/LocalTimeZone.h"

#include <QGuiApplication>

#include <algorithm>
#include <cstring>
#include <memory>

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
    velmora::pinLocalTimeZone();
    standardHandler = qInstallMessageHandler(keepOnlyCriticalMessages);
    // Drawing a page needs fonts, hence a GUI application, on the offscreen
    // platform since no display is needed; the other commands stay on QtCore.
    // A file named "pdf" at worst starts the GUI application for nothing.
    const bool drawsPages = std::any_of(argv + 1, argv + argc, [](const char* arg) {
        return std::strcmp(arg, "pdf") == 0 || std::strcmp(arg, "--pdf") == 0 ||
               std::strncmp(arg, "--pdf=", 6) == 0;
    });
    std::unique_ptr<QCoreApplication> application;
    if (drawsPages) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    // The command table: a new command is one entry in its subsystem's list.
    const QList<Command> commands = sessionCommands() + documentCommands() + activityCommands() +
                                    accountingCommands() + urssafCommands() +
                                    subscriptionCommands() + expenseCommands() +
                                    dashboardCommands() + stockCommands() + calendarCommands() +
                                    notificationCommands() + searchCommands() + securityCommands() + appCommands();
    return runCommandLine(commands, QCoreApplication::arguments().mid(1));
}
