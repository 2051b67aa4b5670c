// velmora-generate-session SORTIE.cdb [--small] [--seed N] [--backup-folder DOSSIER]
// Writes the generated session, compact, as the application saves it. Without
// --backup-folder the session names no save-time backup folder.

#include "SessionGenerator.h"

#include "core/model/SessionFile.h"

#include <QCoreApplication>
#include <QDir>
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
        QStringLiteral("Usage : velmora-generate-session SORTIE.cdb [--small] [--seed N] "
                       "[--backup-folder DOSSIER]");

    QString output;
    QString backupFolder;
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
        } else if (arg == QLatin1String("--backup-folder")) {
            if (i + 1 >= args.size() || args[i + 1].isEmpty())
                return fail(QStringLiteral("L'option --backup-folder attend un dossier.\n") +
                            usage);
            backupFolder = QDir::current().absoluteFilePath(args[++i]);
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
        small ? velmora::bench::smallSize() : velmora::bench::benchmarkSize(), seed, backupFolder);
    const velmora::Result<> written =
        velmora::writeSessionFile(db, velmora::SessionFormat::Compact, output);
    if (!written)
        return fail(written.error());
    return 0;
}
