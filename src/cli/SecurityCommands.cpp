#include "cli/Command.h"

#include "core/model/SessionDecoder.h"
#include "core/security/AccessCode.h"

#include <QFile>

#include <cstdio>

namespace velmora::cli {
namespace {

int digest(CliContext& ctx) {
    printJson(QJsonObject{{QStringLiteral("answerHash"), answerDigest(ctx.args[0])}});
    return Success;
}

// The first line of standard input: a code given this way never shows in the
// list of processes.
QString codeFromStandardInput() {
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(input.readLine(64 * 1024));
}

// Reads only the code, as the launch screen does, so a session that fails to
// load fully can still be tested against its lock.
int unlock(CliContext& ctx) {
    const auto bytes = ctx.fileSystem.readFile(ctx.args[0]);
    if (!bytes)
        return fail(bytes.error());
    const auto preview = decodePreview(bytes.value());
    if (!preview)
        return fail(preview.error());
    const QString code = ctx.args[1] == QLatin1String("-") ? codeFromStandardInput() : ctx.args[1];
    // A session without a code opens directly, whatever is typed.
    const bool unlocked =
        !preview->isProtected() || isCodeCorrect(code, preview->preferences.appPassword);
    printJson(QJsonObject{{QStringLiteral("unlocked"), unlocked}});
    return Success;
}

} // namespace

QList<Command> securityCommands() {
    return {
        {.name = QStringLiteral("digest"),
         .arguments = {QStringLiteral("RÉPONSE")},
         .help = QStringLiteral("Empreinte d'une réponse de sécurité, comparée sans espaces autour "
                                "ni majuscules : {\"answerHash\"}."),
         .run = digest},
        {.name = QStringLiteral("unlock"),
         .arguments = {QStringLiteral("FICHIER"), QStringLiteral("CODE")},
         .help = QStringLiteral("Dit si CODE ouvre la session : {\"unlocked\"} ; avec « - », le "
                                "code est lu sur l'entrée standard."),
         .run = unlock},
    };
}

} // namespace velmora::cli
