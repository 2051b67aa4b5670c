// The session store on the benchmark session, against the physical bound of
// a save (the same bytes written with QSaveFile) and against what Qt alone
// would do to read the file. The store is set up once per process: its root
// folder lives in a temporary folder, its media are already extracted.

#include "QtBaseline.h"
#include "SessionGenerator.h"

#include "core/model/SessionFile.h"
#include "core/platform/MemoryUserDefaults.h"
#include "core/store/AppDataStore.h"
#include "desktop/LocalFileSystem.h"
#include "desktop/PathBookmarks.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace velmora;

constexpr quint32 kSeed = 20250610;

class BenchStore {
public:
    static BenchStore& instance() {
        static BenchStore store;
        return store;
    }

    // A fresh store on the same root folder, nothing read yet.
    std::unique_ptr<AppDataStore> makeStore() {
        return std::make_unique<AppDataStore>(
            AppDataStore::Services{m_fs, m_defaults, m_bookmarks, m_clock}, *m_folder);
    }

    // The session applied, its media extracted and cached, saved once.
    AppDataStore* loaded() const { return m_loaded.get(); }
    const QString& error() const { return m_error; }
    QString root() const { return m_folder->root(); }
    QString workingCopy() const { return m_folder->workingCopy(); }

private:
    BenchStore() {
        // Background saves report through queued calls, which need an
        // application object; the benchmark's main does not make one.
        if (!QCoreApplication::instance()) {
            static int argc = 1;
            static char name[] = "velmora_bench";
            static char* argv[] = {name, nullptr};
            m_app = std::make_unique<QCoreApplication>(argc, argv);
        }
        const QString source = m_dir.path() + QStringLiteral("/source.cdb");
        // Backups on, into this temporary folder: every save writes its bytes
        // twice, as for a user who keeps a save-time copy.
        const Status written =
            writeSessionFile(bench::generateSession(bench::benchmarkSize(), kSeed,
                                                    m_dir.path() + QStringLiteral("/Backups")),
                             SessionFormat::Compact, source);
        if (!written) {
            m_error = written.error();
            return;
        }
        Result<StoreFolder> folder = StoreFolder::prepare(m_fs, m_dir.path());
        if (!folder) {
            m_error = folder.error();
            return;
        }
        m_folder = std::move(folder).value();
        m_loaded = makeStore();
        if (const Status applied = m_loaded->applyFile(QUrl::fromLocalFile(source)); !applied) {
            m_error = applied.error();
            return;
        }
        if (const SaveResult saved = m_loaded->save(); !saved.ok)
            m_error = saved.error;
        QFile::remove(source);
    }

    std::unique_ptr<QCoreApplication> m_app;
    QTemporaryDir m_dir;
    LocalFileSystem m_fs;
    MemoryUserDefaults m_defaults;
    PathBookmarks m_bookmarks;
    FixedClock m_clock{QDateTime::fromSecsSinceEpoch(1749546000, Qt::UTC)};
    std::optional<StoreFolder> m_folder;
    std::unique_ptr<AppDataStore> m_loaded;
    QString m_error;
};

bool ready(benchmark::State& state, const BenchStore& bench) {
    if (bench.error().isEmpty())
        return true;
    state.SkipWithError(bench.error().toUtf8().constData());
    return false;
}

void StoreSaveSync(benchmark::State& state) {
    BenchStore& bench = BenchStore::instance();
    if (!ready(state, bench))
        return;
    for (auto _ : state) {
        const SaveResult saved = bench.loaded()->save();
        if (!saved.ok) {
            state.SkipWithError(saved.error.toUtf8().constData());
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(bench.workingCopy()).size());
}

// The usual save: the user changed one document, so that list is encoded
// again and every other one comes from the store's cache.
void StoreSaveSyncAfterEdit(benchmark::State& state) {
    BenchStore& bench = BenchStore::instance();
    if (!ready(state, bench))
        return;
    AppDataStore* store = bench.loaded();
    int edit = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QList<CommercialDocumentItem> documents = store->documents();
        ++edit;
        documents[edit % documents.size()].notes = QStringLiteral("Relance %1").arg(edit);
        store->setDocuments(documents);
        state.ResumeTiming();
        const SaveResult saved = store->save();
        if (!saved.ok) {
            state.SkipWithError(saved.error.toUtf8().constData());
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(bench.workingCopy()).size());
}

// The bytes of a save, already in memory, written the way the store writes
// them: what no save can beat.
void WriteBytesQSaveFile(benchmark::State& state) {
    BenchStore& bench = BenchStore::instance();
    if (!ready(state, bench))
        return;
    QFile saved(bench.workingCopy());
    if (!saved.open(QIODevice::ReadOnly)) {
        state.SkipWithError(saved.errorString().toUtf8().constData());
        return;
    }
    const QByteArray bytes = saved.readAll();
    const QString target = bench.root() + QStringLiteral("/bound.cdb");
    for (auto _ : state) {
        QSaveFile file(target);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
            !file.commit()) {
            state.SkipWithError(file.errorString().toUtf8().constData());
            break;
        }
    }
    QFile::remove(target);
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

// Only the time the caller waits; the writing is left out of the measure.
void StoreSaveInBackgroundCallerTime(benchmark::State& state) {
    BenchStore& bench = BenchStore::instance();
    if (!ready(state, bench))
        return;
    AppDataStore* store = bench.loaded();
    for (auto _ : state) {
        store->saveInBackground();
        state.PauseTiming();
        store->waitForBackgroundSaves();
        QCoreApplication::sendPostedEvents();
        state.ResumeTiming();
    }
}

void StoreLoad(benchmark::State& state) {
    BenchStore& bench = BenchStore::instance();
    if (!ready(state, bench))
        return;
    for (auto _ : state) {
        // A store just created, as at start-up; making and dropping it is
        // not part of the measure.
        state.PauseTiming();
        std::unique_ptr<AppDataStore> store = bench.makeStore();
        state.ResumeTiming();
        if (const Status loaded = store->load(); !loaded) {
            state.SkipWithError(loaded.error().toUtf8().constData());
            break;
        }
        state.PauseTiming();
        store.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(bench.workingCopy()).size());
}

void StoreLoadQtBaseline(benchmark::State& state) {
    BenchStore& bench = BenchStore::instance();
    if (!ready(state, bench))
        return;
    for (auto _ : state) {
        QFile file(bench.workingCopy());
        if (!file.open(QIODevice::ReadOnly)) {
            state.SkipWithError(file.errorString().toUtf8().constData());
            break;
        }
        QString error;
        const std::optional<qsizetype> decoded = bench::qtBaselineDecode(file.readAll(), &error);
        if (!decoded) {
            state.SkipWithError(error.toUtf8().constData());
            break;
        }
        benchmark::DoNotOptimize(*decoded);
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(bench.workingCopy()).size());
}

// Few iterations: each one handles the whole session of some 200 MB.
BENCHMARK(StoreSaveSync)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(StoreSaveSyncAfterEdit)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(WriteBytesQSaveFile)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(StoreSaveInBackgroundCallerTime)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(StoreLoad)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(StoreLoadQtBaseline)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
