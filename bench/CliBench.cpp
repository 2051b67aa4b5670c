// velmora-cli export against check on the benchmark session, both run as a
// user runs them (a process each, side by side, in turn), with the peak memory
// of each process. Every export must give the same bytes.

#include "SessionGenerator.h"

#include "core/model/SessionFile.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <optional>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

namespace {

using namespace velmora;

constexpr quint32 kSeed = 20250610;

struct ProcessCost {
    double seconds = 0;
    double peakMegabytes = 0;
};

class CliBench {
public:
    static CliBench& instance() {
        static CliBench bench;
        return bench;
    }

    const QString& error() const { return m_error; }
    QString session() const { return m_dir.filePath(QStringLiteral("session.cdb")); }
    QString exported() const { return m_dir.filePath(QStringLiteral("export.cdb")); }
    qint64 sessionSize() const { return QFileInfo(session()).size(); }

    // One run of velmora-cli with a fixed clock; its output goes nowhere.
    std::optional<ProcessCost> run(const QStringList& args) {
        QList<QByteArray> storage{QByteArrayLiteral(VELMORA_CLI), QByteArrayLiteral("--now"),
                                  QByteArrayLiteral("2025-06-10T09:00:00Z")};
        for (const QString& arg : args)
            storage.append(QFile::encodeName(arg));
        std::vector<char*> argv;
        for (QByteArray& arg : storage)
            argv.push_back(arg.data());
        argv.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        const auto start = std::chrono::steady_clock::now();
        pid_t pid = 0;
        const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (spawned != 0) {
            m_error = QStringLiteral("velmora-cli n'a pas pu être lancé.");
            return std::nullopt;
        }
        int status = 0;
        rusage usage{};
        if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) ||
            WEXITSTATUS(status) != 0) {
            m_error = QStringLiteral("velmora-cli %1 a échoué.").arg(args.first());
            return std::nullopt;
        }
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        return ProcessCost{elapsed.count(), double(usage.ru_maxrss) / 1024.0};
    }

private:
    CliBench() {
        // The media URLs of the export name this folder; nothing is written there.
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("donnees"))));
        const Result<> written =
            writeSessionFile(bench::generateSession(bench::benchmarkSize(), kSeed),
                             SessionFormat::Compact, session());
        if (!written)
            m_error = written.error();
    }

    QTemporaryDir m_dir;
    QString m_error;
};

QByteArray digestOf(const QString& path) {
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return {};
    return hash.result();
}

// The measured time is the export's; check runs beside it in every iteration
// so that both see the same machine, and the counters give their ratio.
void CliExportAgainstCheck(benchmark::State& state) {
    CliBench& bench = CliBench::instance();
    if (!bench.error().isEmpty()) {
        state.SkipWithError(bench.error().toUtf8().constData());
        return;
    }
    ProcessCost check, exported;
    QByteArray firstDigest;
    for (auto _ : state) {
        const auto c = bench.run({QStringLiteral("check"), bench.session()});
        const auto e = bench.run({QStringLiteral("export"), bench.session(), bench.exported()});
        if (!c || !e) {
            state.SkipWithError(bench.error().toUtf8().constData());
            return;
        }
        state.SetIterationTime(e->seconds);
        check.seconds += c->seconds;
        exported.seconds += e->seconds;
        check.peakMegabytes = std::max(check.peakMegabytes, c->peakMegabytes);
        exported.peakMegabytes = std::max(exported.peakMegabytes, e->peakMegabytes);

        state.PauseTiming();
        const QByteArray digest = digestOf(bench.exported());
        if (firstDigest.isEmpty())
            firstDigest = digest;
        state.ResumeTiming();
        if (digest.isEmpty() || digest != firstDigest) {
            state.SkipWithError("two exports of the same file differ");
            return;
        }
    }
    const double n = double(state.iterations());
    const double fileMegabytes = double(bench.sessionSize()) / (1024.0 * 1024.0);
    state.counters["check_s"] = check.seconds / n;
    state.counters["export_s"] = exported.seconds / n;
    state.counters["export_over_check"] = exported.seconds / check.seconds;
    state.counters["check_peak_MB"] = check.peakMegabytes;
    state.counters["export_peak_MB"] = exported.peakMegabytes;
    state.counters["export_peak_over_file"] = exported.peakMegabytes / fileMegabytes;
    QFile::remove(bench.exported());
}

BENCHMARK(CliExportAgainstCheck)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

} // namespace
