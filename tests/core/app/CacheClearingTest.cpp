#include "core/app/CacheClearing.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace velmora;

namespace {

void writeFile(const QString& path, qint64 size) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(QByteArray(size, 'x')), size);
}

QStringList entriesOf(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QString confirmationText(const QString& size) {
    return QStringLiteral("Les caches temporaires (") + size +
           QStringLiteral(") seront supprimés. Vos données de session ne sont pas affectées.");
}

QString reportText(const QString& size) {
    return QStringLiteral("Les ") + size +
           QStringLiteral(" de caches ont été supprimés avec succès.");
}

class CacheClearingTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QDir().mkpath(cache()));
    }
    QString cache() const { return m_dir.filePath(QStringLiteral("cache/velmora")); }
    QString outside(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

} // namespace

TEST(CacheSizeFormat, SwitchesUnitAtTheExactBounds) {
    const struct {
        qint64 bytes;
        const char* text;
    } cases[] = {
        {0, "0 octets"},     {1, "1 octets"},     {1023, "1023 octets"},
        {1024, "1.0 Ko"},    {1536, "1.5 Ko"},    {1048575, "1024.0 Ko"},
        {1048576, "1.0 Mo"}, {1572864, "1.5 Mo"}, {qint64(5) * 1024 * 1024 * 1024, "5120.0 Mo"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatCacheSize(c.bytes), QString::fromUtf8(c.text)) << c.bytes;
}

TEST_F(CacheClearingTest, EmptyFolderSaysZeroOctetsInBothAlerts) {
    CacheClearing clearing(cache());
    const Alert ask = clearing.confirmation();
    EXPECT_EQ(ask.title, QStringLiteral("Vider les caches ?"));
    EXPECT_EQ(ask.message, confirmationText(QStringLiteral("0 octets")));
    EXPECT_EQ(ask.buttons,
              (QList<AlertButton>{{QStringLiteral("Vider les caches"), AlertRole::destructive},
                                  {QStringLiteral("Annuler"), AlertRole::cancel}}));

    const Alert done = clearing.clear();
    EXPECT_EQ(done.title, QStringLiteral("Caches vidés"));
    EXPECT_EQ(done.message, reportText(QStringLiteral("0 octets")));
    EXPECT_EQ(done.buttons, (QList<AlertButton>{{QStringLiteral("OK"), AlertRole::defaultAction}}));
    EXPECT_TRUE(QFileInfo(cache()).isDir());
}

TEST_F(CacheClearingTest, MeasuresEveryFileBelowAndEmptiesTheFolderItself) {
    writeFile(cache() + QStringLiteral("/a.bin"), 1000);
    writeFile(cache() + QStringLiteral("/.hidden"), 20);
    writeFile(cache() + QStringLiteral("/deep/er/b.bin"), 4);
    ASSERT_TRUE(QDir().mkpath(cache() + QStringLiteral("/empty")));
    EXPECT_EQ(cacheFolderSize(cache()), 1024);

    CacheClearing clearing(cache());
    EXPECT_EQ(clearing.confirmation().message, confirmationText(QStringLiteral("1.0 Ko")));
    // What the report announces is what was asked about, even if the folder grew.
    writeFile(cache() + QStringLiteral("/late.bin"), 5000);
    EXPECT_EQ(clearing.clear().message, reportText(QStringLiteral("1.0 Ko")));

    EXPECT_TRUE(QFileInfo(cache()).isDir());
    EXPECT_EQ(entriesOf(cache()), QStringList());
    EXPECT_EQ(cacheFolderSize(cache()), 0);
}

TEST_F(CacheClearingTest, ClearingWithoutAskingMeasuresFirst) {
    writeFile(cache() + QStringLiteral("/a.bin"), 1048576);
    CacheClearing clearing(cache());
    EXPECT_EQ(clearing.clear().message, reportText(QStringLiteral("1.0 Mo")));
    EXPECT_EQ(entriesOf(cache()), QStringList());
}

TEST_F(CacheClearingTest, LinksAreRemovedButWhatTheyPointToIsNeitherCountedNorTouched) {
    writeFile(outside(QStringLiteral("documents/facture.pdf")), 3000);
    writeFile(outside(QStringLiteral("notes.txt")), 700);
    writeFile(cache() + QStringLiteral("/own.bin"), 10);
    ASSERT_TRUE(QFile::link(outside(QStringLiteral("documents")),
                            cache() + QStringLiteral("/linked-folder")));
    ASSERT_TRUE(QFile::link(outside(QStringLiteral("notes.txt")),
                            cache() + QStringLiteral("/linked-file")));
    ASSERT_TRUE(QDir().mkpath(cache() + QStringLiteral("/sub")));
    ASSERT_TRUE(QFile::link(outside(QStringLiteral("documents")),
                            cache() + QStringLiteral("/sub/deeper-link")));
    ASSERT_TRUE(
        QFile::link(outside(QStringLiteral("gone")), cache() + QStringLiteral("/dangling")));

    EXPECT_EQ(cacheFolderSize(cache()), 10);
    CacheClearing clearing(cache());
    EXPECT_EQ(clearing.confirmation().message, confirmationText(QStringLiteral("10 octets")));
    clearing.clear();

    EXPECT_EQ(entriesOf(cache()), QStringList());
    EXPECT_EQ(QFileInfo(outside(QStringLiteral("documents/facture.pdf"))).size(), 3000);
    EXPECT_EQ(QFileInfo(outside(QStringLiteral("notes.txt"))).size(), 700);
}

TEST_F(CacheClearingTest, ALinkedCacheFolderIsLeftAlone) {
    writeFile(outside(QStringLiteral("documents/facture.pdf")), 3000);
    const QString linked = outside(QStringLiteral("linked-cache"));
    ASSERT_TRUE(QFile::link(outside(QStringLiteral("documents")), linked));

    CacheClearing clearing(linked);
    EXPECT_EQ(clearing.confirmation().message, confirmationText(QStringLiteral("0 octets")));
    clearing.clear();
    EXPECT_TRUE(QFileInfo::exists(outside(QStringLiteral("documents/facture.pdf"))));
}

TEST_F(CacheClearingTest, NoFolderOrARelativeOneTouchesNothing) {
    // A blank or relative path would otherwise resolve against the working folder.
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    writeFile(outside(QStringLiteral("cache/velmora/keep.bin")), 50);
    writeFile(outside(QStringLiteral("keep-too.bin")), 60);

    for (const QString& folder : {QString(), QStringLiteral("cache/velmora"), QStringLiteral("."),
                                  QStringLiteral("/does/not/exist")}) {
        CacheClearing clearing(folder);
        EXPECT_EQ(clearing.confirmation().message, confirmationText(QStringLiteral("0 octets")))
            << folder.toStdString();
        clearing.clear();
    }
    EXPECT_TRUE(QDir::setCurrent(previous));
    EXPECT_TRUE(QFileInfo::exists(outside(QStringLiteral("cache/velmora/keep.bin"))));
    EXPECT_TRUE(QFileInfo::exists(outside(QStringLiteral("keep-too.bin"))));
}
