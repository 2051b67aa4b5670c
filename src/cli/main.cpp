#include "cli/CliContext.h"

#include "core/model/IsoDate.h"

#include <QCoreApplication>

#include <cstdio>

using namespace velmora;
using namespace velmora::cli;

namespace {

void printHelp(const QList<Command>& commands) {
    QString text =
        QStringLiteral("velmora-cli " VELMORA_VERSION " — Velmora Core en ligne de commande\n\n"
                       "Usage : velmora-cli [--now AAAA-MM-JJThh:mm:ssZ] COMMANDE [ARGUMENTS]\n\n"
                       "Commandes :\n");
    for (const Command& c : commands)
        text += QStringLiteral("  %1\n").arg(c.synopsis);
    text += QStringLiteral(
        "\nRésultat : un document JSON sur la sortie standard (rien pour les commandes qui "
        "écrivent un fichier).\nCode de sortie : 0 succès, 1 échec (message sur la sortie "
        "d'erreur), 2 usage.\n");
    std::fputs(text.toUtf8().constData(), stdout);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QList<Command> commands = sessionCommands();
    commands += appCommands();
    commands += securityCommands();
    commands += documentCommands();

    if (args.isEmpty())
        return usage(QStringLiteral("Aucune commande."));
    if (args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        printHelp(commands);
        return Success;
    }

    CliContext ctx;
    ctx.clock = std::make_unique<SystemClock>();
    if (args.first() == QLatin1String("--now")) {
        if (args.size() < 2)
            return usage(QStringLiteral("L'option --now attend une date."));
        const QByteArray text = args[1].toUtf8();
        const auto now = parseIsoDate(std::string_view(text.constData(), std::size_t(text.size())));
        if (!now)
            return usage(QStringLiteral("Date invalide pour --now : « %1 » (format "
                                        "AAAA-MM-JJThh:mm:ssZ attendu).")
                             .arg(args[1]));
        ctx.clock = std::make_unique<FixedClock>(*now);
        args.remove(0, 2);
    }
    if (args.isEmpty())
        return usage(QStringLiteral("Aucune commande."));

    const QString name = args.takeFirst();
    for (const Command& c : commands) {
        if (c.name == name) {
            ctx.args = args;
            return c.run(ctx);
        }
    }
    return usage(QStringLiteral("Commande inconnue : %1").arg(name));
}
