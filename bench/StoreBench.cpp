// The session store on the benchmark session, against the physical bound of
// a save (the same bytes written with QSaveFile) and against what Qt alone
// would do to read the file.

#include "BenchStore.h"
#include "QtBaseline.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace {

using namespace velmora;
using velmora::bench::BenchStore;
using velmora::bench::ready;

void StoreSaveSync(benchmark::State& state) {
    BenchStore& bench = BenchStore::instance();
    if (!ready(state, bench))
        return;
    for (auto _ : state) {
        const Result<> saved = bench.loaded()->save();
        if (!saved.ok()) {
            state.SkipWithError(saved.error().toUtf8().constData());
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
        ++edit;
        const Result<> saved = store->edit([&](SessionEdit& session) {
            QList<CommercialDocumentItem>& documents = session.documents();
            documents[edit % documents.size()].notes = QStringLiteral("Relance %1").arg(edit);
            return Result<>();
        });
        if (!saved.ok()) {
            state.SkipWithError(saved.error().toUtf8().constData());
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
        if (const Result<> loaded = store->load(); !loaded) {
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
