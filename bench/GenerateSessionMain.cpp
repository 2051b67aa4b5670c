// velmora-generate-session SORTIE.cdb [--small] [--seed N]
// Writes the generated session, compact, as the application saves it.

#include "SessionGenerator.h"

#include "core/model/SessionFile.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

constexpr quint32 kDefaultSeed = 20250610;

int fail(const QString& message) {
    std::fputs((message + QLatin1Char('\n')).toUtf8().constData(), stderr);
    return 1;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const QString usage =
        QStringLiteral("Usage : velmora-generate-session SORTIE.cdb [--small] [--seed N]");

    QString output;
    bool small = false;
    quint32 seed = kDefaultSeed;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--small")) {
            small = true;
        } else if (arg == QLatin1String("--seed")) {
            if (i + 1 >= args.size())
                return fail(QStringLiteral("L'option --seed attend un nombre.\n") + usage);
            bool ok = false;
            seed = args[++i].toUInt(&ok);
            if (!ok)
                return fail(QStringLiteral("Graine invalide : « %1 » (entier de 0 à 4294967295 "
                                           "attendu).")
                                .arg(args[i]));
        } else if (arg.startsWith(QLatin1String("--"))) {
            return fail(QStringLiteral("Option inconnue : « %1 ».\n").arg(arg) + usage);
        } else if (output.isEmpty()) {
            output = arg;
        } else {
            return fail(QStringLiteral("Un seul fichier de sortie est attendu.\n") + usage);
        }
    }
    if (output.isEmpty())
        return fail(QStringLiteral("Aucun fichier de sortie.\n") + usage);

    const velmora::AppDatabase db = velmora::bench::generateSession(
        small ? velmora::bench::smallSize() : velmora::bench::benchmarkSize(), seed);
    const velmora::Status written =
        velmora::writeSessionFile(db, velmora::SessionFormat::Compact, output);
    if (!written)
        return fail(written.error());
    return 0;
}
