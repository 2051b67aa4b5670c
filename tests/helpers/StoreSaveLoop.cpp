// velmora-store-save-loop DATA_FOLDER [--prepare SOURCE.cdb | --saves COUNT] [--mirror FILE]
//
// The process the crash-safety test kills. With --prepare it applies SOURCE to
// the store of DATA_FOLDER, saves it as state 0 and stops. Otherwise it starts
// the store as the application does (FILE as the user's own file, mirrored on
// every save), prints "loaded N", then saves state N+1, N+2… until it is
// killed, or COUNT saves are done, printing "saving N" before each save and
// "saved N" once it returned.

#include "support/SaveLoopStates.h"

#include "core/platform/MemoryUserDefaults.h"
#include "core/store/AppDataStore.h"
#include "desktop/LocalFileSystem.h"
#include "desktop/PathBookmarks.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>

#include <cstdio>

namespace {

using namespace velmora;

int fail(const QString& message) {
    std::fputs((message + QLatin1Char('\n')).toUtf8().constData(), stderr);
    return 1;
}

// Unbuffered as far as the reader is concerned: a line printed before a kill
// is a line the test sees.
void report(const char* what, qint64 n) {
    std::printf("%s %lld\n", what, static_cast<long long>(n));
    std::fflush(stdout);
}

// The state numbered `n`, saved as one edit.
Result<> saveStep(AppDataStore& store, qint64 n) {
    return store.edit([n](SessionEdit& edit) {
        test::applySaveLoopStep(n, edit.sessionName(), edit.documents(), edit.stockItems());
        return Result<>();
    });
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    // --mirror FILE: the user's own file, written after the working copy.
    QString mirror;
    if (const qsizetype at = args.indexOf(QStringLiteral("--mirror"));
        at >= 0 && at + 1 < args.size()) {
        mirror = args[at + 1];
        args.remove(at, 2);
    }
    const bool prepare = args.size() == 3 && args[1] == QLatin1String("--prepare");
    bool counted = false;
    const qint64 saves =
        args.size() == 3 && args[1] == QLatin1String("--saves") ? args[2].toLongLong(&counted) : -1;
    if (args.size() != 1 && !prepare && !(counted && saves >= 0))
        return fail(QStringLiteral("Usage : velmora-store-save-loop DOSSIER_DONNÉES "
                                   "[--prepare SOURCE.cdb | --saves NOMBRE] [--mirror FICHIER]"));

    LocalFileSystem fs;
    MemoryUserDefaults defaults;
    PathBookmarks bookmarks;
    const FixedClock clock = test::saveLoopClock();
    const Result<StoreFolder> folder = StoreFolder::prepare(fs, args[0]);
    if (!folder)
        return fail(folder.error());
    if (!mirror.isEmpty())
        defaults.setValue(DefaultFileBookmark::pathKey(), QUrl::fromLocalFile(mirror).toString());
    AppDataStore store({fs, defaults, bookmarks, clock}, folder.value());

    if (prepare) {
        if (const Result<> applied = store.applyFile(QUrl::fromLocalFile(args[2])); !applied)
            return fail(applied.error());
        if (const Result<> saved = saveStep(store, 0); !saved.ok())
            return fail(saved.error());
        report("saved", 0);
        return 0;
    }

    // As the application starts: the leftovers of a killed save are removed.
    store.create();
    std::optional<qint64> n = test::saveLoopStateOf(store.sessionName());
    if (!n)
        return fail(QStringLiteral("La copie de travail n'est pas un état numéroté : « %1 ».")
                        .arg(store.sessionName().value_or(QString())));
    // Checked here, before the first save writes its own temporary file,
    // which a reader of "loaded" could otherwise mistake for a leftover.
    const QStringList leftovers = QDir(folder->root())
                                      .entryList({QStringLiteral(".database.cdb.velmora-*")},
                                                 QDir::AllEntries | QDir::Hidden | QDir::System);
    if (!leftovers.isEmpty())
        return fail(QStringLiteral("Restes d'une sauvegarde interrompue : %1")
                        .arg(leftovers.join(QStringLiteral(", "))));
    report("loaded", *n);
    for (qint64 done = 0; done != saves; ++done) {
        report("saving", ++*n);
        if (const Result<> saved = saveStep(store, *n); !saved.ok())
            return fail(saved.error());
        report("saved", *n);
    }
    return 0;
}
