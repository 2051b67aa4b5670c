#include "cli/CliContext.h"

#include "core/app/UpdateChecker.h"

namespace velmora::cli {
namespace {

int versionNewer(CliContext& ctx) {
    if (ctx.args.size() != 2)
        return usage(QStringLiteral("Usage : velmora-cli version-newer CANDIDATE ACTUELLE"));
    printJson(QJsonObject{{QStringLiteral("newer"), isNewerVersion(ctx.args[0], ctx.args[1])}});
    return Success;
}

} // namespace

QList<Command> appCommands() {
    return {
        {QStringLiteral("version-newer"), QStringLiteral("version-newer CANDIDATE ACTUELLE"),
         versionNewer},
    };
}

} // namespace velmora::cli
