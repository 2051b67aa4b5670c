#pragma once

// The benchmark session in a store, set up once per process: its root folder
// lives in a temporary folder, its media are already extracted.

#include "SessionGenerator.h"

#include "core/model/SessionFile.h"
#include "core/platform/MemoryUserDefaults.h"
#include "core/store/AppDataStore.h"
#include "desktop/LocalFileSystem.h"
#include "desktop/PathBookmarks.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace velmora::bench {

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
        // application object; the benchmark's main makes one, a lone use of
        // this header may not.
        if (!QCoreApplication::instance()) {
            static int argc = 1;
            static char name[] = "velmora_bench";
            static char* argv[] = {name, nullptr};
            m_app = std::make_unique<QCoreApplication>(argc, argv);
        }
        const QString source = m_dir.path() + QStringLiteral("/source.cdb");
        // Backups on, into this temporary folder: every save writes its bytes
        // twice, as for a user who keeps a save-time copy.
        const Result<> written = writeSessionFile(
            generateSession(benchmarkSize(), kSeed, m_dir.path() + QStringLiteral("/Backups")),
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
        if (const Result<> applied = m_loaded->applyFile(QUrl::fromLocalFile(source)); !applied) {
            m_error = applied.error();
            return;
        }
        // The generated session keeps a save-time backup copy, so every save
        // writes its bytes twice; that copy goes to this temporary folder, not
        // to the folder the session names on the user's machine.
        const Result<> moved = m_loaded->edit([&](SessionEdit& edit) {
            if (edit.session().storagePreferences.backupFolderURL)
                edit.storagePreferences().backupFolderURL =
                    QUrl::fromLocalFile(m_dir.path() + QStringLiteral("/Backups"));
            return Result<>();
        });
        const Result<> saved = moved.ok() ? m_loaded->save() : moved;
        if (!saved.ok())
            m_error = saved.error();
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

inline bool ready(benchmark::State& state, const BenchStore& bench) {
    if (bench.error().isEmpty())
        return true;
    state.SkipWithError(bench.error().toUtf8().constData());
    return false;
}

// The loaded benchmark session, or null once the benchmark was told why.
inline const AppDataStore* loadedSession(benchmark::State& state) {
    BenchStore& bench = BenchStore::instance();
    return ready(state, bench) ? bench.loaded() : nullptr;
}

} // namespace velmora::bench
