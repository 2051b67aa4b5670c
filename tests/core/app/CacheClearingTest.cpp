#include "core/app/CacheClearing.h"
#include "support/QtPrinters.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace velmora;
using namespace Qt::StringLiterals;
using velmora::test::writeFile;

namespace {

QStringList entriesOf(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QString confirmationText(const QString& size) {
    return u"Les caches temporaires ("_s + size +
           u") seront supprimés. Vos données de session ne sont pas affectées."_s;
}

QString reportText(const QString& size) {
    return u"Les "_s + size + u" de caches ont été supprimés avec succès."_s;
}

class CacheClearingTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QDir().mkpath(cache()));
    }
    QString cache() const { return m_dir.filePath(u"cache/velmora"_s); }
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
    EXPECT_EQ(ask.title, u"Vider les caches ?"_s);
    EXPECT_EQ(ask.message, confirmationText(u"0 octets"_s));
    EXPECT_EQ(ask.buttons, (QList<AlertButton>{{u"Vider les caches"_s, AlertRole::destructive},
                                               {u"Annuler"_s, AlertRole::cancel}}));

    const Alert done = clearing.clear();
    EXPECT_EQ(done.title, u"Caches vidés"_s);
    EXPECT_EQ(done.message, reportText(u"0 octets"_s));
    EXPECT_EQ(done.buttons, (QList<AlertButton>{{u"OK"_s, AlertRole::defaultAction}}));
    EXPECT_TRUE(QFileInfo(cache()).isDir());
}

TEST_F(CacheClearingTest, MeasuresEveryFileBelowAndEmptiesTheFolderItself) {
    writeFile(cache() + u"/a.bin"_s, QByteArray(1000, 'x'));
    writeFile(cache() + u"/.hidden"_s, QByteArray(20, 'x'));
    writeFile(cache() + u"/deep/er/b.bin"_s, QByteArray(4, 'x'));
    ASSERT_TRUE(QDir().mkpath(cache() + u"/empty"_s));
    EXPECT_EQ(cacheFolderSize(cache()), 1024);

    CacheClearing clearing(cache());
    EXPECT_EQ(clearing.confirmation().message, confirmationText(u"1.0 Ko"_s));
    // What the report announces is what was asked about, even if the folder grew.
    writeFile(cache() + u"/late.bin"_s, QByteArray(5000, 'x'));
    EXPECT_EQ(clearing.clear().message, reportText(u"1.0 Ko"_s));

    EXPECT_TRUE(QFileInfo(cache()).isDir());
    EXPECT_EQ(entriesOf(cache()), QStringList());
    EXPECT_EQ(cacheFolderSize(cache()), 0);

    // Clearing without asking measures first.
    writeFile(cache() + u"/a.bin"_s, QByteArray(1048576, 'x'));
    EXPECT_EQ(CacheClearing(cache()).clear().message, reportText(u"1.0 Mo"_s));
    EXPECT_EQ(entriesOf(cache()), QStringList());
}

TEST_F(CacheClearingTest, LinksAreRemovedButWhatTheyPointToIsNeitherCountedNorTouched) {
    writeFile(outside(u"documents/facture.pdf"_s), QByteArray(3000, 'x'));
    writeFile(outside(u"notes.txt"_s), QByteArray(700, 'x'));
    writeFile(cache() + u"/own.bin"_s, QByteArray(10, 'x'));
    ASSERT_TRUE(QFile::link(outside(u"documents"_s), cache() + u"/linked-folder"_s));
    ASSERT_TRUE(QFile::link(outside(u"notes.txt"_s), cache() + u"/linked-file"_s));
    ASSERT_TRUE(QDir().mkpath(cache() + u"/sub"_s));
    ASSERT_TRUE(QFile::link(outside(u"documents"_s), cache() + u"/sub/deeper-link"_s));
    ASSERT_TRUE(QFile::link(outside(u"gone"_s), cache() + u"/dangling"_s));

    EXPECT_EQ(cacheFolderSize(cache()), 10);
    CacheClearing clearing(cache());
    EXPECT_EQ(clearing.confirmation().message, confirmationText(u"10 octets"_s));
    clearing.clear();

    EXPECT_EQ(entriesOf(cache()), QStringList());
    EXPECT_EQ(QFileInfo(outside(u"documents/facture.pdf"_s)).size(), 3000);
    EXPECT_EQ(QFileInfo(outside(u"notes.txt"_s)).size(), 700);
}

// A blank or relative path would otherwise resolve against the working
// folder, and a linked one lead elsewhere.
TEST_F(CacheClearingTest, NoFolderARelativeOneOrALinkTouchesNothing) {
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    writeFile(outside(u"cache/velmora/keep.bin"_s), QByteArray(50, 'x'));
    writeFile(outside(u"keep-too.bin"_s), QByteArray(60, 'x'));
    writeFile(outside(u"documents/facture.pdf"_s), QByteArray(3000, 'x'));
    ASSERT_TRUE(QFile::link(outside(u"documents"_s), outside(u"linked-cache"_s)));

    for (const QString& folder : {QString(), u"cache/velmora"_s, u"."_s, u"/does/not/exist"_s,
                                  outside(u"linked-cache"_s)}) {
        CacheClearing clearing(folder);
        EXPECT_EQ(clearing.confirmation().message, confirmationText(u"0 octets"_s))
            << folder.toStdString();
        clearing.clear();
    }
    EXPECT_TRUE(QDir::setCurrent(previous));
    EXPECT_TRUE(QFileInfo::exists(outside(u"cache/velmora/keep.bin"_s)));
    EXPECT_TRUE(QFileInfo::exists(outside(u"keep-too.bin"_s)));
    EXPECT_TRUE(QFileInfo::exists(outside(u"documents/facture.pdf"_s)));
}
