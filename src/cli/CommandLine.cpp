#include "cli/Command.h"

#include "core/model/IsoDate.h"

#include <QCommandLineParser>

#include <cstdio>

namespace velmora::cli {
namespace {

const Option kNow{QStringLiteral("now"), QStringLiteral("AAAA-MM-JJThh:mm:ssZ"),
                  QStringLiteral("une date"),
                  QStringLiteral("fixe l'heure de tous les calculs (UTC, secondes entières) ; le "
                                 "fuseau horaire est celui de TZ")};
const Option kHelp{QStringLiteral("help"), {}, {}, QStringLiteral("affiche cette aide")};
const Option kVersion{QStringLiteral("version"), {}, {}, QStringLiteral("affiche la version")};

QCommandLineOption parserOption(const Option& option) {
    QStringList names{option.name};
    if (option.name == kHelp.name)
        names.prepend(QStringLiteral("h"));
    return option.valueName.isEmpty() ? QCommandLineOption(names)
                                      : QCommandLineOption(names, option.help, option.valueName);
}

// QCommandLineParser explains in English; its mistakes are told here in
// French. The last argument naming a value option lacks its value; anything
// else (an unknown option, a value given to a flag) is the fallback's.
QString parseError(const QList<Option>& options, const QStringList& arguments,
                   const QString& fallback) {
    const qsizetype end = arguments.indexOf(QStringLiteral("--"));
    const QString last = end < 0 ? arguments.last() : arguments.value(end - 1);
    for (const Option& option : options) {
        if (!option.valueName.isEmpty() && last == QStringLiteral("--") + option.name)
            return QStringLiteral("L'option --%1 attend %2.").arg(option.name, option.valueKind);
    }
    return fallback;
}

// The option names given, with their values; false when the parser refused.
bool parse(QCommandLineParser& parser, const QList<Option>& options, const QStringList& arguments,
           QHash<QString, QString>& values) {
    for (const Option& option : options)
        parser.addOption(parserOption(option));
    if (!parser.parse(QStringList{QStringLiteral("velmora-cli")} + arguments))
        return false;
    for (const Option& option : options) {
        if (parser.isSet(option.name))
            values.insert(option.name,
                          option.valueName.isEmpty() ? QString() : parser.value(option.name));
    }
    return true;
}

// The argument as typed that named an unknown option.
QString typedOption(const QCommandLineParser& parser, const QStringList& arguments) {
    const QStringList unknown = parser.unknownOptionNames();
    for (const QString& argument : arguments) {
        QString name = argument.section(QLatin1Char('='), 0, 0);
        while (name.startsWith(QLatin1Char('-')))
            name.remove(0, 1);
        if (argument.startsWith(QLatin1Char('-')) && unknown.contains(name))
            return argument;
    }
    return arguments.first();
}

QString optionLine(const Option& option) {
    QString name = QStringLiteral("--") + option.name;
    if (option.name == kHelp.name)
        name += QStringLiteral(", -h");
    if (!option.valueName.isEmpty())
        name += QLatin1Char(' ') + option.valueName;
    return name + QStringLiteral(" : ") + option.help;
}

void printHelp(const QList<Command>& commands) {
    QString text =
        QStringLiteral("velmora-cli " VELMORA_VERSION " — Velmora Core en ligne de commande\n\n"
                       "Usage : velmora-cli [--%1 %2] COMMANDE [ARGUMENTS]\n\n"
                       "Commandes :\n")
            .arg(kNow.name, kNow.valueName);
    for (const Command& command : commands) {
        text += QStringLiteral("  %1\n      %2\n").arg(command.synopsis(), command.help);
        for (const Option& option : command.options)
            text += QStringLiteral("      %1\n").arg(optionLine(option));
    }
    text += QStringLiteral("\nOptions générales :\n");
    for (const Option& option : {kNow, kHelp, kVersion})
        text += QStringLiteral("  %1\n").arg(optionLine(option));
    text += QStringLiteral(
        "\nRésultat : un document JSON sur la sortie standard (rien pour les commandes qui "
        "écrivent un fichier).\nCode de sortie : 0 succès, 1 échec (message sur la sortie "
        "d'erreur), 2 usage.\n");
    std::fputs(text.toUtf8().constData(), stdout);
}

int runCommand(const Command& command, CliContext& ctx, const QStringList& arguments) {
    const QString wrongUsage = QStringLiteral("Usage : velmora-cli ") + command.synopsis();
    if (command.options.isEmpty()) {
        // Taken as they are, so that an answer or a file name may start with "-".
        ctx.args = arguments;
    } else {
        QCommandLineParser parser;
        if (!parse(parser, command.options, arguments, ctx.options))
            return usage(parseError(command.options, arguments, wrongUsage));
        ctx.args = parser.positionalArguments();
    }
    if (ctx.args.size() != command.arguments.size())
        return usage(wrongUsage);
    return command.run(ctx);
}

} // namespace

int runCommandLine(const QList<Command>& commands, const QStringList& arguments) {
    if (arguments.isEmpty())
        return usage(QStringLiteral("Aucune commande."));

    // The general options come before the command; what follows the command
    // is the command's own.
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QList<Option> general{kNow, kHelp, kVersion};
    QHash<QString, QString> given;
    if (!parse(parser, general, arguments, given)) {
        // Taken for a command, as any word that is not a general option.
        const QString fallback =
            QStringLiteral("Commande inconnue : %1").arg(typedOption(parser, arguments));
        return usage(parseError(general, arguments, fallback));
    }
    if (given.contains(kHelp.name)) {
        printHelp(commands);
        return Success;
    }
    if (given.contains(kVersion.name)) {
        std::fputs("velmora-cli " VELMORA_VERSION "\n", stdout);
        return Success;
    }

    CliContext ctx;
    ctx.clock = std::make_unique<SystemClock>();
    if (const auto it = given.constFind(kNow.name); it != given.cend()) {
        const QByteArray text = it->toUtf8();
        const auto now = parseIsoDate(std::string_view(text.constData(), std::size_t(text.size())));
        if (!now)
            return usage(QStringLiteral("Date invalide pour --now : « %1 » (format "
                                        "AAAA-MM-JJThh:mm:ssZ attendu).")
                             .arg(*it));
        ctx.clock = std::make_unique<FixedClock>(*now);
    }

    QStringList rest = parser.positionalArguments();
    if (rest.isEmpty())
        return usage(QStringLiteral("Aucune commande."));
    const QString name = rest.takeFirst();
    for (const Command& command : commands) {
        if (command.name == name)
            return runCommand(command, ctx, rest);
    }
    return usage(QStringLiteral("Commande inconnue : %1").arg(name));
}

} // namespace velmora::cli
