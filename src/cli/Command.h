#pragma once

#include "core/Result.h"
#include "core/model/AppDatabase.h"
#include "core/model/SessionEncoder.h"
#include "core/platform/Clock.h"
#include "core/store/SessionEdit.h"
#include "desktop/LocalFileSystem.h"

#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

namespace velmora::cli {

enum ExitCode { Success = 0, Failure = 1, Usage = 2 };

// An option of the command line: a flag, or an option that takes a value.
struct Option {
    QString name = {};      // "name" for --name
    QString valueName = {}; // "NOM" in the synopsis; empty for a flag
    QString valueKind = {}; // for "L'option --name attend un nom.": "un nom"
    QString help = {};
};

struct CliContext;

// One entry of the command table: the synopsis, the arity check, the help
// and the option parsing all come from it.
struct Command {
    QString name = {};
    QStringList arguments = {}; // every one required
    QList<Option> options = {};
    QString help = {}; // one line
    int (*run)(CliContext&) = nullptr;

    // "new SORTIE [--name NOM] [--force]"
    QString synopsis() const;
};

// What a command gets: its arguments, the options given, the clock fixed by
// --now and the file system the application itself uses.
struct CliContext {
    QStringList args;
    QHash<QString, QString> options; // name -> value (empty for a flag)
    std::unique_ptr<Clock> clock;
    LocalFileSystem fileSystem;

    bool isSet(const QString& option) const { return options.contains(option); }
    std::optional<QString> value(const QString& option) const;

    Result<AppDatabase> loadSession(const QString& path) const;
    // Atomically: the previous file stays whole until the new one is.
    Result<> writeSession(const AppDatabase& db, SessionFormat format, const QString& path);
    // Runs a flow on the session read from `path` and writes the file back
    // only when the flow succeeded and changed something: the flow's
    // outcome, or the failure to read or write.
    Result<> editSession(const QString& path, const std::function<Result<>(SessionEdit&)>& flow);
};

void printJson(const QJsonObject& object);
// Ids as the session file writes them: upper case, without braces.
QString uuidText(const QUuid& id);
// A whole number within the bounds (blanks around it allowed), or nothing.
std::optional<int> boundedNumber(const QString& text, int low, int high);
int fail(const QString& message);
int usage(const QString& message);
// "L'option --year est obligatoire."
QString missingOption(const QString& name);
// Success, or the failure's message on standard error.
int finish(const Result<>& status);

QList<Command> sessionCommands();
QList<Command> documentCommands();
QList<Command> securityCommands();
QList<Command> appCommands();
QList<Command> activityCommands();
QList<Command> accountingCommands();
QList<Command> urssafCommands();
QList<Command> subscriptionCommands();
QList<Command> expenseCommands();
QList<Command> dashboardCommands();
QList<Command> stockCommands();
QList<Command> calendarCommands();
QList<Command> notificationCommands();
QList<Command> searchCommands();

// Parses the whole command line (without the program name) and runs it.
int runCommandLine(const QList<Command>& commands, const QStringList& arguments);

} // namespace velmora::cli
