#include "core/store/DailyBackup.h"

#include "support/FaultyFileSystem.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace velmora;
using velmora::test::FaultyFileSystem;

namespace {

QDateTime utc(const char* text) {
    return QDateTime::fromString(QString::fromLatin1(text), Qt::ISODate);
}

class DailyBackupTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_root = m_dir.path();
    }

    void writeFile(const QString& path, const QByteArray& bytes,
                   std::optional<QDateTime> modified = std::nullopt) {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        // Written out first, or closing the file would stamp it again.
        file.flush();
        if (modified) {
            ASSERT_TRUE(file.setFileTime(*modified, QFileDevice::FileModificationTime));
        }
    }

    QStringList backups() const {
        return QDir(m_root + QStringLiteral("/Backups"))
            .entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    QTemporaryDir m_dir;
    QString m_root;
    FaultyFileSystem m_fs;
};

TEST(DailyBackupName, UsesTheLocalCalendarDayInAFixedFormat) {
    // 23:30 UTC on 31 December is already New Year's Day in Paris.
    EXPECT_EQ(dailyBackupFileName(utc("2025-12-31T23:30:00Z")),
              QStringLiteral("database-2026-01-01.cdb"));
    EXPECT_EQ(dailyBackupFileName(utc("2025-06-09T21:59:59Z")),
              QStringLiteral("database-2025-06-09.cdb"));
    EXPECT_EQ(dailyBackupFileName(utc("2025-06-09T22:00:00Z")),
              QStringLiteral("database-2025-06-10.cdb"));
}

TEST_F(DailyBackupTest, CopiesTheWorkingCopyByteForByteOncePerDay) {
    writeFile(m_root + QStringLiteral("/database.cdb"), "first");
    FixedClock clock(utc("2025-06-10T08:00:00Z"));
    runDailyBackup(m_fs, m_root, clock);

    writeFile(m_root + QStringLiteral("/database.cdb"), "second");
    clock.set(utc("2025-06-10T20:00:00Z"));
    runDailyBackup(m_fs, m_root, clock);

    ASSERT_EQ(backups(), QStringList{QStringLiteral("database-2025-06-10.cdb")});
    QFile backup(m_root + QStringLiteral("/Backups/database-2025-06-10.cdb"));
    ASSERT_TRUE(backup.open(QIODevice::ReadOnly));
    EXPECT_EQ(backup.readAll(), QByteArray("first")) << "the first start of the day wins";

    clock.set(utc("2025-06-11T08:00:00Z"));
    runDailyBackup(m_fs, m_root, clock);
    EXPECT_EQ(backups().size(), 2);
}

TEST_F(DailyBackupTest, WithoutAWorkingCopyNothingIsCreated) {
    FixedClock clock(utc("2025-06-10T08:00:00Z"));
    runDailyBackup(m_fs, m_root, clock);
    EXPECT_FALSE(QDir(m_root + QStringLiteral("/Backups")).exists());
}

TEST_F(DailyBackupTest, KeepsTheFiveNewestByModificationDate) {
    writeFile(m_root + QStringLiteral("/database.cdb"), "today");
    const QString folder = m_root + QStringLiteral("/Backups/");
    // Names and dates disagree on purpose: the modification date decides.
    for (int i = 1; i <= 6; ++i)
        writeFile(folder + QStringLiteral("database-2025-01-0%1.cdb").arg(i), "old",
                  utc("2025-03-01T10:00:00Z").addDays(-i));
    FixedClock clock(utc("2025-06-10T08:00:00Z"));
    runDailyBackup(m_fs, m_root, clock);

    // Seven candidates (six old, today's): the two oldest go.
    EXPECT_EQ(backups(), (QStringList{QStringLiteral("database-2025-01-01.cdb"),
                                      QStringLiteral("database-2025-01-02.cdb"),
                                      QStringLiteral("database-2025-01-03.cdb"),
                                      QStringLiteral("database-2025-01-04.cdb"),
                                      QStringLiteral("database-2025-06-10.cdb")}));
}

TEST_F(DailyBackupTest, RotationCountsOnlyVisibleDatabaseCdbFiles) {
    writeFile(m_root + QStringLiteral("/database.cdb"), "today");
    const QString folder = m_root + QStringLiteral("/Backups/");
    writeFile(folder + QStringLiteral("database-notes.cdb"), "x", utc("2020-01-01T00:00:00Z"));
    writeFile(folder + QStringLiteral("database.txt"), "x", utc("2019-01-01T00:00:00Z"));
    writeFile(folder + QStringLiteral("database-x.CDB"), "x", utc("2019-01-01T00:00:00Z"));
    writeFile(folder + QStringLiteral(".database-hidden.cdb"), "x", utc("2019-01-01T00:00:00Z"));
    writeFile(folder + QStringLiteral("notes.cdb"), "x", utc("2019-01-01T00:00:00Z"));
    for (int i = 1; i <= 4; ++i)
        writeFile(folder + QStringLiteral("database-2025-01-0%1.cdb").arg(i), "old",
                  utc("2025-03-01T10:00:00Z").addDays(-i));
    FixedClock clock(utc("2025-06-10T08:00:00Z"));
    runDailyBackup(m_fs, m_root, clock);

    const QStringList kept = backups();
    EXPECT_FALSE(kept.contains(QStringLiteral("database-notes.cdb")))
        << "database-notes.cdb takes part in the rotation and is the oldest";
    for (const char* untouched :
         {"database.txt", "database-x.CDB", ".database-hidden.cdb", "notes.cdb"})
        EXPECT_TRUE(kept.contains(QString::fromLatin1(untouched))) << untouched;
    EXPECT_TRUE(kept.contains(QStringLiteral("database-2025-06-10.cdb")));
}

TEST_F(DailyBackupTest, AFailedCopySkipsTheRotation) {
    writeFile(m_root + QStringLiteral("/database.cdb"), "today");
    const QString folder = m_root + QStringLiteral("/Backups/");
    for (int i = 1; i <= 6; ++i)
        writeFile(folder + QStringLiteral("database-2025-01-0%1.cdb").arg(i), "old",
                  utc("2025-03-01T10:00:00Z").addDays(-i));
    m_fs.failOn(FaultyFileSystem::Op::Copy);
    FixedClock clock(utc("2025-06-10T08:00:00Z"));
    runDailyBackup(m_fs, m_root, clock);

    EXPECT_EQ(backups().size(), 6) << "no backup was taken, so none is rotated away";
    EXPECT_EQ(m_fs.attempts(FaultyFileSystem::Op::Remove), 0);
}

} // namespace
