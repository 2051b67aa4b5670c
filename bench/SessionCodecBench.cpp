// Our session decoder and writer against what Qt alone would do, on the same
// bytes: the benchmark session, generated once per process.

#include "QtBaseline.h"
#include "SessionGenerator.h"

#include "core/model/SessionDecoder.h"
#include "core/model/SessionEncoder.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <benchmark/benchmark.h>

namespace {

using namespace velmora;

constexpr quint32 kSeed = 20250610;

const AppDatabase& benchmarkSession() {
    static const AppDatabase db = bench::generateSession(bench::benchmarkSize(), kSeed);
    return db;
}

// Compact, with the spare capacity that lets the decoder parse in place, as
// readSessionBytes leaves it.
const QByteArray& benchmarkBytes() {
    static const QByteArray bytes = [] {
        QByteArray encoded = encodeSession(benchmarkSession(), SessionFormat::Compact);
        encoded.reserve(encoded.size() + kDecodePadding);
        return encoded;
    }();
    return bytes;
}

const QJsonDocument& benchmarkJsonDocument() {
    static const QJsonDocument doc = QJsonDocument::fromJson(benchmarkBytes());
    return doc;
}

void DecodeOurs(benchmark::State& state) {
    const QByteArray& bytes = benchmarkBytes();
    const FixedClock clock(QDateTime::fromSecsSinceEpoch(1749546000, Qt::UTC));
    for (auto _ : state) {
        Result<AppDatabase> db = decodeSession(bytes, clock);
        if (!db) {
            state.SkipWithError(db.error().toUtf8().constData());
            break;
        }
        benchmark::DoNotOptimize(db);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void DecodeQtBaseline(benchmark::State& state) {
    const QByteArray& bytes = benchmarkBytes();
    for (auto _ : state) {
        QString error;
        const std::optional<qsizetype> decoded = bench::qtBaselineDecode(bytes, &error);
        if (!decoded) {
            state.SkipWithError(error.toUtf8().constData());
            break;
        }
        benchmark::DoNotOptimize(*decoded);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void EncodeOurs(benchmark::State& state) {
    const AppDatabase& db = benchmarkSession();
    // One buffer for every save, as the session store keeps it.
    QByteArray out;
    qsizetype written = 0;
    for (auto _ : state) {
        encodeSession(db, SessionFormat::Compact, out);
        written = out.size();
        benchmark::DoNotOptimize(out.constData());
    }
    state.SetBytesProcessed(state.iterations() * written);
}

void EncodeQtBaseline(benchmark::State& state) {
    const QJsonDocument& doc = benchmarkJsonDocument();
    if (doc.isNull()) {
        state.SkipWithError("la session de référence n'a pas pu être lue par QJsonDocument");
        return;
    }
    qsizetype written = 0;
    for (auto _ : state) {
        const QByteArray out = doc.toJson(QJsonDocument::Compact);
        written = out.size();
        benchmark::DoNotOptimize(out.constData());
    }
    state.SetBytesProcessed(state.iterations() * written);
}

// Few iterations: each one handles the whole session of some 200 MB.
BENCHMARK(DecodeOurs)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(DecodeQtBaseline)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(EncodeOurs)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(EncodeQtBaseline)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
