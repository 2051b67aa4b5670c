// The saving process writes into its data folder and the backup folder its
// session names, and nowhere else: not into the home folder of whoever runs
// it, whatever that home holds.

#include "SessionGenerator.h"

#include "core/model/SessionFile.h"
#include "support/QtPrinters.h"

#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace velmora;

namespace {

// Everything under folder, as paths relative to it.
QStringList contentsOf(const QString& folder) {
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        entries.append(QDir(folder).relativeFilePath(it.next()));
    entries.sort();
    return entries;
}

TEST(SaveLoopConfinement, WritesNothingOutsideItsFolders) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString home = dir.filePath(QStringLiteral("home"));
    const QString source = dir.filePath(QStringLiteral("source.cdb"));
    ASSERT_TRUE(QDir().mkpath(home));
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("tmp"))));
    const AppDatabase db =
        bench::generateSession(bench::smallSize(), 3, dir.filePath(QStringLiteral("sauvegardes")));
    ASSERT_TRUE(writeSessionFile(db, SessionFormat::Compact, source).ok());

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("TMPDIR"), dir.filePath(QStringLiteral("tmp")));
    // Without XDG folders, Qt places them in the home folder, where a write
    // through any of them shows.
    for (const char* xdg : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME",
                            "XDG_RUNTIME_DIR"})
        env.remove(QLatin1String(xdg));
    const auto run = [&](const QStringList& args) {
        QProcess child;
        child.setProcessEnvironment(env);
        child.start(QStringLiteral(VELMORA_STORE_SAVE_LOOP),
                    QStringList{dir.filePath(QStringLiteral("data"))} + args);
        EXPECT_TRUE(child.waitForFinished(120'000));
        EXPECT_EQ(child.exitCode(), 0) << child.readAllStandardError().toStdString();
    };
    run({QStringLiteral("--prepare"), source});
    run({QStringLiteral("--saves"), QStringLiteral("3")});
    ASSERT_TRUE(QFile::remove(source));

    EXPECT_EQ(contentsOf(home), QStringList());
    EXPECT_EQ(contentsOf(dir.filePath(QStringLiteral("tmp"))), QStringList());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{"data", "home", "sauvegardes", "tmp"}));
    EXPECT_EQ(contentsOf(dir.filePath(QStringLiteral("sauvegardes"))),
              QStringList{"database_backup.cdb"});
    // The backup copy is the last save.
    const auto working =
        readSessionBytes(dir.filePath(QStringLiteral("data/Velmora Core/database.cdb")));
    const auto backup =
        readSessionBytes(dir.filePath(QStringLiteral("sauvegardes/database_backup.cdb")));
    ASSERT_TRUE(working.ok() && backup.ok());
    EXPECT_EQ(backup.value(), working.value());
    EXPECT_TRUE(working.value().contains("\"sessionName\":\"État 3\""));
}

} // namespace
