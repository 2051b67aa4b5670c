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
using namespace Qt::StringLiterals;

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
    const QString home = dir.filePath(u"home"_s);
    const QString source = dir.filePath(u"source.cdb"_s);
    ASSERT_TRUE(QDir().mkpath(home));
    ASSERT_TRUE(QDir().mkpath(dir.filePath(u"tmp"_s)));
    const AppDatabase db =
        bench::generateSession(bench::smallSize(), 3, dir.filePath(u"sauvegardes"_s));
    ASSERT_TRUE(writeSessionFile(db, SessionFormat::Compact, source).ok());

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"HOME"_s, home);
    env.insert(u"TMPDIR"_s, dir.filePath(u"tmp"_s));
    // Without XDG folders, Qt places them in the home folder, where a write
    // through any of them shows.
    for (const char* xdg : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME",
                            "XDG_RUNTIME_DIR"})
        env.remove(QLatin1String(xdg));
    const auto run = [&](const QStringList& args) {
        QProcess child;
        child.setProcessEnvironment(env);
        child.start(QStringLiteral(VELMORA_STORE_SAVE_LOOP),
                    QStringList{dir.filePath(u"data"_s)} + args);
        EXPECT_TRUE(child.waitForFinished(120'000));
        EXPECT_EQ(child.exitCode(), 0) << child.readAllStandardError().toStdString();
    };
    run({u"--prepare"_s, source});
    run({u"--saves"_s, u"3"_s});
    ASSERT_TRUE(QFile::remove(source));

    EXPECT_EQ(contentsOf(home), QStringList());
    EXPECT_EQ(contentsOf(dir.filePath(u"tmp"_s)), QStringList());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{"data", "home", "sauvegardes", "tmp"}));
    EXPECT_EQ(contentsOf(dir.filePath(u"sauvegardes"_s)), QStringList{"database_backup.cdb"});
    // The backup copy is the last save.
    const auto working = readSessionBytes(dir.filePath(u"data/Velmora Core/database.cdb"_s));
    const auto backup = readSessionBytes(dir.filePath(u"sauvegardes/database_backup.cdb"_s));
    ASSERT_TRUE(working.ok() && backup.ok());
    EXPECT_EQ(backup.value(), working.value());
    EXPECT_TRUE(working.value().contains("\"sessionName\":\"État 3\""));
}

} // namespace
