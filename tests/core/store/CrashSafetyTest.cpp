// A process killed at any moment of a save must leave a working copy that the
// next start reads whole: the last state it finished saving, or the one it
// was saving. The records are those of the benchmark session, so that a save
// lasts long enough for the kills to land inside it; its media are cut to a
// fifth of their bytes to keep fifty restarts within a few minutes.

#include "SessionGenerator.h"

#include "core/model/SessionDecoder.h"
#include "core/model/SessionFile.h"
#include "support/QtPrinters.h"
#include "support/SaveLoopStates.h"
#include "support/SessionDiff.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace velmora;
using namespace Qt::StringLiterals;

namespace {

constexpr quint32 kSeed = 20250610;

bench::GeneratorSize sessionSize() {
    bench::GeneratorSize size = bench::benchmarkSize();
    size.mediaBytes /= 5;
    return size;
}
constexpr int kKills = 50;
constexpr int kStartTimeoutMs = 300'000; // loading the session on a busy machine
constexpr int kSaveTimeoutMs = 120'000;

// What the process printed last before it died tells which states the file
// may hold: "saved N" only N; "saving N" N - 1 or N.
struct Progress {
    qint64 lastStarted = -1;
    qint64 lastFinished = -1;
    bool saving() const { return lastStarted > lastFinished; }

    bool read(const QByteArray& line) {
        const QList<QByteArray> parts = line.trimmed().split(' ');
        bool ok = false;
        const qint64 n = parts.size() == 2 ? parts[1].toLongLong(&ok) : -1;
        if (!ok)
            return false;
        if (parts[0] == "loaded" || parts[0] == "saved")
            lastStarted = lastFinished = n;
        else if (parts[0] == "saving")
            lastStarted = n;
        else
            return false;
        return true;
    }
};

std::optional<QByteArray> nextLine(QProcess& process, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!process.canReadLine()) {
        const int left = timeoutMs - int(timer.elapsed());
        if (left <= 0 || !process.waitForReadyRead(left))
            return std::nullopt;
    }
    return process.readLine();
}

// Anything in the root folder besides the working copy, the session folders
// and the daily backups would be a leftover of an interrupted write. A kill
// may leave a temporary of ours; the next start must remove it.
QStringList strayEntries(const QString& root, bool justKilled) {
    QStringList strays =
        QDir(root).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const char* kept : {"database.cdb", "Sessions", "Backups"})
        strays.removeOne(QLatin1String(kept));
    if (justKilled)
        strays.removeIf([](const QString& name) {
            return name.startsWith(QLatin1String(".database.cdb.velmora-"));
        });
    return strays;
}

QString errorsOf(QProcess& process) {
    return QString::fromUtf8(process.readAllStandardError()).trimmed();
}

// What a kill left: the working copy as the next start finds it, and how far
// the killed process had got.
struct Aftermath {
    QByteArray bytes;
    Progress progress;
};

class CrashSafety : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        const QString source = m_dir.path() + u"/source.cdb"_s;
        {
            const AppDatabase generated =
                bench::generateSession(sessionSize(), kSeed, m_dir.path() + u"/Sauvegardes"_s);
            const Result<> written = writeSessionFile(generated, SessionFormat::Compact, source);
            ASSERT_TRUE(written.ok()) << written.error().toStdString();
        }
        QProcess prepare;
        prepare.start(QStringLiteral(VELMORA_STORE_SAVE_LOOP),
                      {dataFolder(), u"--prepare"_s, source});
        ASSERT_TRUE(prepare.waitForFinished(kStartTimeoutMs));
        ASSERT_EQ(prepare.exitStatus(), QProcess::NormalExit);
        ASSERT_EQ(prepare.exitCode(), 0) << errorsOf(prepare).toStdString();
        QFile::remove(source);

        const Result<QByteArray> bytes = readSessionBytes(workingCopy());
        ASSERT_TRUE(bytes.ok()) << bytes.error().toStdString();
        Result<AppDatabase> state0 = decodeSession(bytes.value(), m_clock);
        ASSERT_TRUE(state0.ok()) << state0.error().toStdString();
        m_state0 = std::move(state0).value();
        ASSERT_EQ(m_state0.sessionName, test::saveLoopStateName(0));
        ASSERT_EQ(m_state0.embeddedMedia.size(), sessionSize().mediaFiles);
    }

    QString dataFolder() const { return m_dir.path() + u"/data"_s; }
    QString root() const { return dataFolder() + u"/Velmora Core"_s; }
    QString workingCopy() const { return root() + u"/database.cdb"_s; }

    AppDatabase expectedState(qint64 n) const {
        AppDatabase db = m_state0;
        for (qint64 k = 1; k <= n; ++k)
            test::applySaveLoopStep(k, db.sessionName, db.documents, db.stockItems);
        return db;
    }

    // The file must hold, whole, the state last saved or the one being saved.
    void check(const Aftermath& after, qint64& onDisk) {
        const Result<AppDatabase> read = decodeSession(after.bytes, m_clock);
        ASSERT_TRUE(read.ok()) << read.error().toStdString();
        const std::optional<qint64> state = test::saveLoopStateOf(read->sessionName);
        ASSERT_TRUE(state.has_value());
        ASSERT_GE(*state, after.progress.lastFinished) << "a finished save was lost";
        ASSERT_LE(*state, after.progress.lastStarted) << "a state that was never saved";
        EXPECT_EQ(test::differingKeys(read.value(), expectedState(*state)), QStringList())
            << "state " << *state;
        onDisk = *state;
    }

    QTemporaryDir m_dir;
    FixedClock m_clock = test::saveLoopClock();
    AppDatabase m_state0;
};

TEST_F(CrashSafety, AKillDuringASaveLeavesTheLastOrTheNextStateWhole) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE(::testing::Message() << "graine des instants de coupure : " << seed);
    std::mt19937 random(seed);
    qint64 onDisk = 0;
    qint64 saveMs = 0; // measured on the first run
    int killedWhileSaving = 0;
    std::optional<Aftermath> unchecked;
    for (int kill = 0; kill <= kKills; ++kill) {
        SCOPED_TRACE(::testing::Message() << "coupure n° " << kill);
        // The next run loads while the previous kill's file is checked: the
        // bytes were taken before it started, and it writes only once loaded.
        QProcess child;
        if (kill < kKills) {
            child.start(QStringLiteral(VELMORA_STORE_SAVE_LOOP), {dataFolder()});
            ASSERT_TRUE(child.waitForStarted(kStartTimeoutMs));
        }
        if (unchecked) {
            check(*unchecked, onDisk);
            if (HasFatalFailure())
                return;
            unchecked.reset();
        }
        if (kill == kKills)
            break;

        Progress progress;
        const std::optional<QByteArray> loaded = nextLine(child, kStartTimeoutMs);
        ASSERT_TRUE(loaded.has_value()) << errorsOf(child).toStdString();
        ASSERT_TRUE(progress.read(*loaded)) << loaded->toStdString();
        // A restart goes on from exactly what the previous kill left.
        ASSERT_EQ(progress.lastFinished, onDisk);
        // The child refused to go on had the kill's temporary file survived
        // its start; the one there now may be its own next save's.
        EXPECT_EQ(strayEntries(root(), true), QStringList());

        if (saveMs == 0) {
            QElapsedTimer timer;
            timer.start();
            while (progress.lastFinished == onDisk) {
                const std::optional<QByteArray> line = nextLine(child, kSaveTimeoutMs);
                ASSERT_TRUE(line.has_value()) << errorsOf(child).toStdString();
                ASSERT_TRUE(progress.read(*line)) << line->toStdString();
            }
            saveMs = std::max<qint64>(1, timer.elapsed());
        }
        // Saves follow each other without a pause: nearly every moment of
        // this window is inside one, from opening the file to the rename.
        std::uniform_int_distribution<int> delay(0, int(saveMs * 6 / 5));
        EXPECT_FALSE(child.waitForFinished(delay(random)))
            << "the saving process stopped by itself: " << errorsOf(child).toStdString();
        child.kill();
        ASSERT_TRUE(child.waitForFinished(kSaveTimeoutMs));
        for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
            if (!line.trimmed().isEmpty()) {
                ASSERT_TRUE(progress.read(line)) << line.toStdString();
            }
        }
        if (progress.saving())
            ++killedWhileSaving;

        // Nothing but the working copy may be left for a later start to find.
        EXPECT_EQ(strayEntries(root(), true), QStringList());
        Result<QByteArray> bytes = readSessionBytes(workingCopy());
        ASSERT_TRUE(bytes.ok()) << bytes.error().toStdString();
        unchecked = Aftermath{std::move(bytes).value(), progress};
    }
    // Otherwise the kills did not test what they claim to.
    EXPECT_GE(killedWhileSaving, kKills * 3 / 4);
    RecordProperty("killedWhileSaving", killedWhileSaving);
    RecordProperty("lastState", int(onDisk));
}

} // namespace
