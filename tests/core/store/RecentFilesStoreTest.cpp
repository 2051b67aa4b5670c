#include "core/store/RecentFilesStore.h"
#include "core/platform/MemoryUserDefaults.h"
#include "desktop/PathBookmarks.h"
#include "support/FaultyFileSystem.h"
#include "support/Mapped.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace velmora;
using namespace Qt::StringLiterals;

namespace {

// Bookmarks that report every resolution as stale and remember what was
// left open, to watch the store's bookkeeping.
class StaleBookmarks final : public Bookmarks {
public:
    std::optional<QByteArray> create(const QUrl& url) override {
        ++created;
        return QByteArray("v") + QByteArray::number(created) + ":" + url.toLocalFile().toUtf8();
    }
    std::optional<ResolvedBookmark> resolve(const QByteArray& bookmark) override {
        const qsizetype colon = bookmark.indexOf(':');
        if (colon < 0)
            return std::nullopt;
        return ResolvedBookmark{QUrl::fromLocalFile(QString::fromUtf8(bookmark.mid(colon + 1))),
                                true};
    }
    void stopAccessing(const QUrl& url) override { stopped.append(url); }

    int created = 0;
    QList<QUrl> stopped;
};

class RecentFiles : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QUrl file(const QString& name, bool create = true) const {
        const QString path = m_dir.path() + QLatin1Char('/') + name;
        if (create) {
            QFile f(path);
            EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        }
        return QUrl::fromLocalFile(path);
    }
    RecentFilesStore makeStore() { return RecentFilesStore(m_defaults, m_bookmarks, m_fs); }
    static QStringList names(const RecentFilesStore& store) {
        return test::mapped(store.entries(), &RecentEntry::displayName);
    }
    QJsonArray stored() const {
        return QJsonDocument::fromJson(m_defaults.value(RecentFilesStore::key()).toByteArray())
            .array();
    }

    QTemporaryDir m_dir;
    MemoryUserDefaults m_defaults;
    PathBookmarks m_bookmarks;
    test::FaultyFileSystem m_fs;
    RecentFilesStore store{m_defaults, m_bookmarks, m_fs};
};

TEST_F(RecentFiles, AnEleventhSessionPushesTheOldestOut) {
    for (int i = 1; i <= 11; ++i)
        store.add(file(u"s%1.cdb"_s.arg(i)));
    ASSERT_EQ(store.entries().size(), 10);
    EXPECT_EQ(store.entries().first().displayName, u"s11.cdb"_s);
    EXPECT_EQ(store.entries().last().displayName, u"s2.cdb"_s);
    EXPECT_FALSE(names(store).contains(u"s1.cdb"_s));
    EXPECT_EQ(stored().size(), 10);
}

TEST_F(RecentFiles, ReaddingAListedFileMovesItFirstOnce) {
    store.add(file(u"a.cdb"_s));
    store.add(file(u"b.cdb"_s));
    store.add(file(u"c.cdb"_s));
    // The same file named through another path is still the same entry.
    store.add(QUrl::fromLocalFile(m_dir.path() + u"/sub/../a.cdb"_s));
    EXPECT_EQ(names(store), (QStringList{u"a.cdb"_s, u"c.cdb"_s, u"b.cdb"_s}));
}

TEST_F(RecentFiles, ReaddingKeepsTheIdentityItIsNotGiven) {
    const QUrl a = file(u"a.cdb"_s);
    store.add(a, u"Studio"_s, QByteArray("photo"), std::nullopt);
    store.add(a);
    const RecentEntry kept = store.entries().first();
    EXPECT_EQ(kept.sessionName, u"Studio"_s);
    ASSERT_TRUE(kept.profilePhotoData);
    EXPECT_EQ(kept.profilePhotoData->decoded(), QByteArray("photo"));

    store.add(a, u"Atelier"_s, std::nullopt, u"image_sport_bienetre"_s);
    const RecentEntry renamed = store.entries().first();
    EXPECT_EQ(renamed.sessionName, u"Atelier"_s);
    EXPECT_EQ(renamed.profileImageName, u"image_sport_bienetre"_s);
    EXPECT_EQ(store.entries().size(), 1);
}

TEST_F(RecentFiles, TheListSurvivesANewStoreWithAbsentValuesLeftOut) {
    {
        auto store = makeStore();
        store.add(file(u"été 2025.cdb"_s), u"Été"_s, QByteArray("\x00\xff\x10", 3), std::nullopt);
        store.add(file(u"b.cdb"_s));
    }
    const QJsonObject plain = stored().at(0).toObject();
    EXPECT_FALSE(plain.contains(u"sessionName"_s));
    EXPECT_FALSE(plain.contains(u"profilePhotoData"_s));
    EXPECT_EQ(stored().at(1).toObject().value(u"profilePhotoData"_s).toString(), u"AP8Q"_s);

    auto reread = makeStore();
    ASSERT_EQ(reread.entries().size(), 2);
    const RecentEntry summer = reread.entries().at(1);
    EXPECT_EQ(summer.displayName, u"été 2025.cdb"_s);
    EXPECT_EQ(summer.sessionName, u"Été"_s);
    EXPECT_EQ(summer.profilePhotoData->decoded(), QByteArray("\x00\xff\x10", 3));
    EXPECT_EQ(reread.resolve(summer), file(u"été 2025.cdb"_s, false));
}

TEST_F(RecentFiles, AnUnreadableStoredListReadsAsEmpty) {
    const QList<QByteArray> damaged = {
        "not json",
        R"({"urlString":"file:///a.cdb","displayName":"a.cdb"})",
        R"([{"urlString":"file:///a.cdb"}])",
        R"([{"urlString":"file:///a.cdb","displayName":7}])",
        R"([{"urlString":"file:///a.cdb","displayName":"a.cdb","profilePhotoData":"abc"}])",
        R"([{"urlString":"file:///a.cdb","displayName":"a.cdb"}, 3])",
    };
    for (const QByteArray& bytes : damaged) {
        m_defaults.setValue(RecentFilesStore::key(), bytes);
        auto store = makeStore();
        EXPECT_TRUE(store.entries().isEmpty()) << bytes.constData();
    }
    // The damaged list is replaced by the next change.
    auto fresh = makeStore();
    fresh.add(file(u"a.cdb"_s));
    EXPECT_EQ(makeStore().entries().size(), 1);
}

TEST_F(RecentFiles, NullOptionalValuesReadAsAbsent) {
    m_defaults.setValue(RecentFilesStore::key(),
                        QByteArray(R"([{"urlString":"file:///x/a.cdb","displayName":"a.cdb",)"
                                   R"("sessionName":null,"bookmarkData":null}])"));
    const auto reread = makeStore();
    ASSERT_EQ(reread.entries().size(), 1);
    EXPECT_EQ(reread.entries().first().sessionName, std::nullopt);
    EXPECT_EQ(reread.entries().first().bookmarkData, std::nullopt);
}

TEST_F(RecentFiles, ResolvingFindsOnlyFilesThatAreThere) {
    const QUrl a = file(u"a.cdb"_s);
    store.add(a);
    const RecentEntry withBookmark = store.entries().first();
    ASSERT_TRUE(withBookmark.bookmarkData);
    EXPECT_EQ(store.resolve(withBookmark), a);

    RecentEntry withoutBookmark = withBookmark;
    withoutBookmark.bookmarkData.reset();
    EXPECT_EQ(store.resolve(withoutBookmark), a);

    ASSERT_TRUE(QFile::remove(a.toLocalFile()));
    EXPECT_EQ(store.resolve(withBookmark), std::nullopt);
    EXPECT_EQ(store.resolve(withoutBookmark), std::nullopt);
    // A missing file stays listed until the user relocates it or clears the list.
    EXPECT_EQ(store.entries().size(), 1);
}

TEST_F(RecentFiles, AStaleBookmarkIsRenewedAndAccessEndsWithTheStore) {
    StaleBookmarks bookmarks;
    const QUrl a = file(u"a.cdb"_s);
    {
        RecentFilesStore store(m_defaults, bookmarks, m_fs);
        store.add(a);
        const QByteArray first = store.entries().first().bookmarkData->decoded();
        EXPECT_EQ(store.resolve(store.entries().first()), a);
        const QByteArray renewed = store.entries().first().bookmarkData->decoded();
        EXPECT_NE(renewed, first);
        EXPECT_EQ(
            RecentFilesStore(m_defaults, bookmarks, m_fs).entries().first().bookmarkData->decoded(),
            renewed);
        bookmarks.stopped.clear();
    }
    EXPECT_EQ(bookmarks.stopped, QList<QUrl>{a});
}

TEST_F(RecentFiles, IdentityUpdatesSwapPhotoAndPresetPicture) {
    const QUrl a = file(u"a.cdb"_s);
    store.add(a, u"Studio"_s, std::nullopt, u"image_automobile"_s);
    const QString key = store.entries().first().urlString;

    store.updateIdentity(key, std::nullopt, QByteArray("jpeg"), std::nullopt);
    RecentEntry e = *store.entry(key);
    EXPECT_EQ(e.sessionName, u"Studio"_s);
    EXPECT_EQ(e.profilePhotoData->decoded(), QByteArray("jpeg"));
    EXPECT_EQ(e.profileImageName, std::nullopt);

    store.updateIdentity(key, u"Atelier"_s, std::nullopt, u"image_informatique"_s);
    e = *store.entry(key);
    EXPECT_EQ(e.sessionName, u"Atelier"_s);
    EXPECT_EQ(e.profilePhotoData, std::nullopt);
    EXPECT_EQ(e.profileImageName, u"image_informatique"_s);

    store.clearPicture(key);
    e = makeStore().entry(key).value();
    EXPECT_EQ(e.profileImageName, std::nullopt);
    EXPECT_EQ(e.sessionName, u"Atelier"_s);

    store.updateIdentity(u"file:///elsewhere.cdb"_s, u"X"_s, std::nullopt, std::nullopt);
    EXPECT_EQ(store.entries().size(), 1);
    EXPECT_EQ(store.entries().first().sessionName, u"Atelier"_s);
}

TEST_F(RecentFiles, ClearingAllEmptiesTheStoredList) {
    store.add(file(u"a.cdb"_s));
    store.add(file(u"b.cdb"_s));
    store.clearAll();
    EXPECT_TRUE(store.entries().isEmpty());
    EXPECT_TRUE(makeStore().entries().isEmpty());
    EXPECT_EQ(stored().size(), 0);
}

} // namespace
