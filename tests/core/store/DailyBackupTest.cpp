#include "core/store/DailyBackup.h"

#include "support/FaultyFileSystem.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace velmora;
using namespace Qt::StringLiterals;
using namespace velmora::test;

namespace {

QDateTime utc(const char* text) {
    return QDateTime::fromString(QString::fromLatin1(text), Qt::ISODate);
}

// A data folder whose working copy holds "today".
class DailyBackupTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_root = m_dir.path();
        writeFile(m_root + u"/database.cdb"_s, "today");
    }

    // Backups named from 1 January on, each a day older than the one
    // before; their dates disagree with their names on purpose.
    void writeOldBackups(int count) {
        for (int i = 1; i <= count; ++i)
            writeFile(m_root + u"/Backups/database-2025-01-0%1.cdb"_s.arg(i), "old",
                      utc("2025-03-01T10:00:00Z").addDays(-i));
    }
    void runAt(const char* moment) {
        FixedClock clock(utc(moment));
        runDailyBackup(m_fs, m_root, clock);
    }
    QStringList backups() const {
        return QDir(m_root + u"/Backups"_s).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    QTemporaryDir m_dir;
    QString m_root;
    FaultyFileSystem m_fs;
};

TEST(DailyBackupName, UsesTheLocalCalendarDayInAFixedFormat) {
    // 23:30 UTC on 31 December is already New Year's Day in Paris.
    EXPECT_EQ(dailyBackupFileName(utc("2025-12-31T23:30:00Z")), u"database-2026-01-01.cdb"_s);
    EXPECT_EQ(dailyBackupFileName(utc("2025-06-09T21:59:59Z")), u"database-2025-06-09.cdb"_s);
    EXPECT_EQ(dailyBackupFileName(utc("2025-06-09T22:00:00Z")), u"database-2025-06-10.cdb"_s);
}

TEST_F(DailyBackupTest, CopiesTheWorkingCopyByteForByteOncePerDay) {
    runAt("2025-06-10T08:00:00Z");
    writeFile(m_root + u"/database.cdb"_s, "second");
    runAt("2025-06-10T20:00:00Z");
    ASSERT_EQ(backups(), QStringList{u"database-2025-06-10.cdb"_s});
    EXPECT_EQ(readFile(m_root + u"/Backups/database-2025-06-10.cdb"_s), "today")
        << "the first start of the day wins";

    runAt("2025-06-11T08:00:00Z");
    EXPECT_EQ(backups().size(), 2);
}

TEST(DailyBackup, WithoutAWorkingCopyNothingIsCreated) {
    QTemporaryDir dir;
    FaultyFileSystem fs;
    FixedClock clock(utc("2025-06-10T08:00:00Z"));
    runDailyBackup(fs, dir.path(), clock);
    EXPECT_FALSE(QDir(dir.path() + u"/Backups"_s).exists());
}

TEST_F(DailyBackupTest, KeepsTheFiveNewestByModificationDate) {
    writeOldBackups(6);
    runAt("2025-06-10T08:00:00Z");
    // Seven candidates (six old, today's): the two oldest go.
    EXPECT_EQ(backups(), (QStringList{"database-2025-01-01.cdb", "database-2025-01-02.cdb",
                                      "database-2025-01-03.cdb", "database-2025-01-04.cdb",
                                      "database-2025-06-10.cdb"}));
}

TEST_F(DailyBackupTest, RotationCountsOnlyVisibleDatabaseCdbFiles) {
    const QString folder = m_root + u"/Backups/"_s;
    writeFile(folder + u"database-notes.cdb"_s, "x", utc("2020-01-01T00:00:00Z"));
    const QStringList others{"database.txt", "database-x.CDB", ".database-hidden.cdb", "notes.cdb"};
    for (const QString& other : others)
        writeFile(folder + other, "x", utc("2019-01-01T00:00:00Z"));
    writeOldBackups(4);
    runAt("2025-06-10T08:00:00Z");

    const QStringList kept = backups();
    EXPECT_FALSE(kept.contains(u"database-notes.cdb"_s))
        << "database-notes.cdb takes part in the rotation and is the oldest";
    for (const QString& untouched : others)
        EXPECT_TRUE(kept.contains(untouched)) << untouched.toStdString();
    EXPECT_TRUE(kept.contains(u"database-2025-06-10.cdb"_s));
}

TEST_F(DailyBackupTest, AFailedCopySkipsTheRotation) {
    writeOldBackups(6);
    m_fs.failOn(FaultyFileSystem::Op::Copy);
    runAt("2025-06-10T08:00:00Z");
    EXPECT_EQ(backups().size(), 6) << "no backup was taken, so none is rotated away";
    EXPECT_EQ(m_fs.attempts(FaultyFileSystem::Op::Remove), 0);
}

} // namespace
