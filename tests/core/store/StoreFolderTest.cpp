#include "core/store/StoreFolder.h"

#include "support/FaultyFileSystem.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace velmora;
using namespace Qt::StringLiterals;
using namespace velmora::test;

namespace {

class StoreFolderTest : public ::testing::Test {
protected:
    QString at(const QString& relative) const { return m_dir.path() + u'/' + relative; }

    QTemporaryDir m_dir;
    FaultyFileSystem m_fs;
};

TEST_F(StoreFolderTest, CreatesTheRootFolderWithItsIntermediateFolders) {
    const auto folder = StoreFolder::prepare(m_fs, at(u"a/b"_s));
    ASSERT_TRUE(folder.ok()) << folder.error().toStdString();
    EXPECT_EQ(folder->root(), at(u"a/b/Velmora Core"_s));
    EXPECT_TRUE(QDir(folder->root()).exists());
    EXPECT_EQ(folder->workingCopy(), folder->root() + u"/database.cdb"_s);
    EXPECT_EQ(folder->mediaFolder(u"ABC"_s), folder->root() + u"/Sessions/ABC/Media"_s);
}

TEST_F(StoreFolderTest, MigratesTheLegacyFolderAndDatabaseName) {
    writeFile(at(u"Velmora Manager/database.json"_s), "legacy");
    writeFile(at(u"Velmora Manager/Backups/database-2024-01-01.cdb"_s), "b");

    const auto folder = StoreFolder::prepare(m_fs, m_dir.path());
    ASSERT_TRUE(folder.ok());
    EXPECT_FALSE(QDir(at(u"Velmora Manager"_s)).exists());
    EXPECT_EQ(readFile(folder->workingCopy()), QByteArray("legacy"));
    EXPECT_FALSE(QFile::exists(folder->root() + u"/database.json"_s));
    EXPECT_EQ(readFile(folder->backupsFolder() + u"/database-2024-01-01.cdb"_s), QByteArray("b"));
}

TEST_F(StoreFolderTest, NeverReplacesCurrentDataWithLegacyData) {
    writeFile(at(u"Velmora Manager/database.cdb"_s), "legacy");
    writeFile(at(u"Velmora Core/database.cdb"_s), "current");
    writeFile(at(u"Velmora Core/database.json"_s), "older");

    const auto folder = StoreFolder::prepare(m_fs, m_dir.path());
    ASSERT_TRUE(folder.ok());
    EXPECT_EQ(readFile(folder->workingCopy()), QByteArray("current"));
    EXPECT_TRUE(QFile::exists(at(u"Velmora Manager/database.cdb"_s)));
    EXPECT_TRUE(QFile::exists(folder->root() + u"/database.json"_s));
}

TEST_F(StoreFolderTest, AFailedMigrationIsIgnored) {
    writeFile(at(u"Velmora Manager/database.cdb"_s), "legacy");
    m_fs.failOn(FaultyFileSystem::Op::Move);
    const auto folder = StoreFolder::prepare(m_fs, m_dir.path());
    ASSERT_TRUE(folder.ok());
    EXPECT_TRUE(QDir(folder->root()).exists());
    EXPECT_FALSE(QFile::exists(folder->workingCopy()));
}

TEST_F(StoreFolderTest, NoRootFolderIsAnError) {
    m_fs.failOn(FaultyFileSystem::Op::CreateDirectories, u"Permission denied"_s);
    const auto folder = StoreFolder::prepare(m_fs, m_dir.path());
    ASSERT_FALSE(folder.ok());
    EXPECT_FALSE(folder.error().isEmpty());
}

TEST(StoreFolderLock, ASecondHolderIsRefusedUntilTheFirstLetsGo) {
    QTemporaryDir dir;
    auto first = StoreFolderLock::acquire(dir.path());
    ASSERT_TRUE(first.ok()) << first.error().toStdString();
    const auto second = StoreFolderLock::acquire(dir.path());
    ASSERT_FALSE(second.ok());
    EXPECT_EQ(second.error(), u"Velmora Core est déjà ouvert sur cet ordinateur. "
                              "Fermez l'autre fenêtre de Velmora Core avant d'en "
                              "ouvrir une nouvelle."_s);
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
