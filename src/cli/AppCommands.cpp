#include "cli/Command.h"

#include "core/app/UpdateChecker.h"

namespace velmora::cli {
namespace {

int versionNewer(CliContext& ctx) {
    printJson(QJsonObject{{QStringLiteral("newer"), isNewerVersion(ctx.args[0], ctx.args[1])}});
    return Success;
}

} // namespace

QList<Command> appCommands() {
    return {
        {.name = QStringLiteral("version-newer"),
         .arguments = {QStringLiteral("CANDIDATE"), QStringLiteral("ACTUELLE")},
         .help = QStringLiteral("Dit si la version CANDIDATE est plus récente que la version "
                                "ACTUELLE : {\"newer\"}."),
         .run = versionNewer},
    };
}

} // namespace velmora::cli
