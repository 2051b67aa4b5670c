#pragma once

#include "core/model/SessionDecoder.h"
#include "core/model/SessionEncoder.h"
#include "core/platform/MemoryUserDefaults.h"
#include "core/store/AppDataStore.h"
#include "desktop/PathBookmarks.h"
#include "support/FaultyFileSystem.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace velmora::test {

// A store rooted in a temporary folder, with in-memory user defaults, a file
// system that can be told to fail, and a fixed clock.
class StoreFixture : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    std::unique_ptr<AppDataStore> makeStore() {
        auto folder = StoreFolder::prepare(m_fs, m_dir.path());
        EXPECT_TRUE(folder.ok()) << folder.error().toStdString();
        return std::make_unique<AppDataStore>(
            AppDataStore::Services{m_fs, m_defaults, m_bookmarks, m_clock}, folder.value());
    }

    std::unique_ptr<AppDataStore> startStore() {
        auto store = makeStore();
        store->create();
        return store;
    }

    QString root() const { return m_dir.path() + QStringLiteral("/Velmora Core"); }
    QString workingCopy() const { return root() + QStringLiteral("/database.cdb"); }
    QString path(const QString& relative) const {
        return m_dir.path() + QLatin1Char('/') + relative;
    }

    static void writeBytes(const QString& path, const QByteArray& bytes) { writeFile(path, bytes); }
    static QByteArray readBytes(const QString& path) { return readFile(path); }
    static void writeSession(const QString& path, const AppDatabase& db) {
        writeBytes(path, encodeSession(db, SessionFormat::Compact));
    }
    AppDatabase readSession(const QString& path) const {
        const auto db = decodeSession(readBytes(path), m_clock);
        EXPECT_TRUE(db.ok()) << db.error().toStdString();
        return db.ok() ? db.value() : AppDatabase();
    }

    QTemporaryDir m_dir;
    FaultyFileSystem m_fs;
    MemoryUserDefaults m_defaults;
    PathBookmarks m_bookmarks;
    FixedClock m_clock{QDateTime::fromString(QStringLiteral("2025-06-10T09:00:00Z"), Qt::ISODate)};
};

} // namespace velmora::test
