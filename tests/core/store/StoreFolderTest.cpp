#include "core/store/StoreFolder.h"

#include "support/FaultyFileSystem.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace velmora;
using velmora::test::FaultyFileSystem;

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(StoreFolder, CreatesTheRootFolderWithItsIntermediateFolders) {
    QTemporaryDir dir;
    FaultyFileSystem fs;
    const auto folder = StoreFolder::prepare(fs, dir.path() + QStringLiteral("/a/b"));
    ASSERT_TRUE(folder.ok()) << folder.error().toStdString();
    EXPECT_EQ(folder->root(), dir.path() + QStringLiteral("/a/b/Velmora Core"));
    EXPECT_TRUE(QDir(folder->root()).exists());
    EXPECT_EQ(folder->workingCopy(), folder->root() + QStringLiteral("/database.cdb"));
    EXPECT_EQ(folder->mediaFolder(QStringLiteral("ABC")),
              folder->root() + QStringLiteral("/Sessions/ABC/Media"));
}

TEST(StoreFolder, MigratesTheLegacyFolderAndDatabaseName) {
    QTemporaryDir dir;
    FaultyFileSystem fs;
    writeFile(dir.path() + QStringLiteral("/Velmora Manager/database.json"), "legacy");
    writeFile(dir.path() + QStringLiteral("/Velmora Manager/Backups/database-2024-01-01.cdb"), "b");

    const auto folder = StoreFolder::prepare(fs, dir.path());
    ASSERT_TRUE(folder.ok());
    EXPECT_FALSE(QDir(dir.path() + QStringLiteral("/Velmora Manager")).exists());
    EXPECT_EQ(readFile(folder->workingCopy()), QByteArray("legacy"));
    EXPECT_FALSE(QFile::exists(folder->root() + QStringLiteral("/database.json")));
    EXPECT_EQ(readFile(folder->backupsFolder() + QStringLiteral("/database-2024-01-01.cdb")),
              QByteArray("b"));
}

TEST(StoreFolder, NeverReplacesCurrentDataWithLegacyData) {
    QTemporaryDir dir;
    FaultyFileSystem fs;
    writeFile(dir.path() + QStringLiteral("/Velmora Manager/database.cdb"), "legacy");
    writeFile(dir.path() + QStringLiteral("/Velmora Core/database.cdb"), "current");
    writeFile(dir.path() + QStringLiteral("/Velmora Core/database.json"), "older");

    const auto folder = StoreFolder::prepare(fs, dir.path());
    ASSERT_TRUE(folder.ok());
    EXPECT_EQ(readFile(folder->workingCopy()), QByteArray("current"));
    EXPECT_TRUE(QFile::exists(dir.path() + QStringLiteral("/Velmora Manager/database.cdb")));
    EXPECT_TRUE(QFile::exists(folder->root() + QStringLiteral("/database.json")));
}

TEST(StoreFolder, AFailedMigrationIsIgnored) {
    QTemporaryDir dir;
    FaultyFileSystem fs;
    writeFile(dir.path() + QStringLiteral("/Velmora Manager/database.cdb"), "legacy");
    fs.failOn(FaultyFileSystem::Op::Move);
    const auto folder = StoreFolder::prepare(fs, dir.path());
    ASSERT_TRUE(folder.ok());
    EXPECT_TRUE(QDir(folder->root()).exists());
    EXPECT_FALSE(QFile::exists(folder->workingCopy()));
}

TEST(StoreFolder, NoRootFolderIsAnError) {
    QTemporaryDir dir;
    FaultyFileSystem fs;
    fs.failOn(FaultyFileSystem::Op::CreateDirectories, QStringLiteral("Permission denied"));
    const auto folder = StoreFolder::prepare(fs, dir.path());
    ASSERT_FALSE(folder.ok());
    EXPECT_FALSE(folder.error().isEmpty());
}

TEST(StoreFolderLock, ASecondHolderIsRefusedUntilTheFirstLetsGo) {
    QTemporaryDir dir;
    auto first = StoreFolderLock::acquire(dir.path());
    ASSERT_TRUE(first.ok()) << first.error().toStdString();
    const auto second = StoreFolderLock::acquire(dir.path());
    ASSERT_FALSE(second.ok());
    EXPECT_EQ(second.error(), QStringLiteral("Velmora Core est déjà ouvert sur cet ordinateur. "
                                             "Fermez l'autre fenêtre de Velmora Core avant d'en "
                                             "ouvrir une nouvelle."));
    first.value().reset();
    EXPECT_TRUE(StoreFolderLock::acquire(dir.path()).ok());
}

TEST(StoreFolderLock, ALockLeftByAKilledProcessIsTakenOver) {
    QTemporaryDir dir;
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        auto lock = StoreFolderLock::acquire(dir.path());
        const char byte = lock.ok() ? '1' : '0';
        (void)!write(ready[1], &byte, 1);
        pause();
        _exit(0);
    }
    char byte = 0;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);
    ASSERT_EQ(byte, '1');
    EXPECT_FALSE(StoreFolderLock::acquire(dir.path()).ok()) << "the other copy still runs";
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    EXPECT_TRUE(StoreFolderLock::acquire(dir.path()).ok());
    close(ready[0]);
    close(ready[1]);
}

} // namespace
