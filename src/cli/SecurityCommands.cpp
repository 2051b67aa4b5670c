#include "cli/CliContext.h"

#include "core/model/SessionDecoder.h"
#include "core/model/SessionFile.h"
#include "core/security/AccessCode.h"

namespace velmora::cli {
namespace {

int digest(CliContext& ctx) {
    if (ctx.args.size() != 1)
        return usage(QStringLiteral("Usage : velmora-cli digest RÉPONSE"));
    printJson(QJsonObject{{QStringLiteral("answerHash"), answerDigest(ctx.args[0])}});
    return Success;
}

// Reads only the code, as the launch screen does, so a session that fails to
// load fully can still be tested against its lock.
int unlock(CliContext& ctx) {
    if (ctx.args.size() != 2)
        return usage(QStringLiteral("Usage : velmora-cli unlock FICHIER CODE"));
    const auto bytes = readSessionBytes(ctx.args[0]);
    if (!bytes)
        return fail(bytes.error());
    const auto preview = decodePreview(bytes.value());
    if (!preview)
        return fail(preview.error());
    // A session without a code opens directly, whatever is typed.
    const bool unlocked =
        !preview->isProtected() || isCodeCorrect(ctx.args[1], preview->preferences.appPassword);
    printJson(QJsonObject{{QStringLiteral("unlocked"), unlocked}});
    return Success;
}

} // namespace

QList<Command> securityCommands() {
    return {
        {QStringLiteral("digest"), QStringLiteral("digest RÉPONSE"), digest},
        {QStringLiteral("unlock"), QStringLiteral("unlock FICHIER CODE"), unlock},
    };
}

} // namespace velmora::cli
