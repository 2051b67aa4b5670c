// The cache folder "Vider les caches…" works on, resolved as the application
// does, inside a user cache folder shared with other programs.

#include "desktop/ApplicationCacheFolder.h"
#include "core/app/CacheClearing.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

using namespace velmora;

namespace {

void writeFile(const QString& path, qint64 size) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(QByteArray(size, 'x')), size);
}

} // namespace

TEST(ApplicationCacheFolder, IsTheApplicationsOwnFolderAndClearingSparesTheOthers) {
    const QByteArray xdg = qgetenv("XDG_CACHE_HOME");
    const QString organization = QCoreApplication::organizationName();
    const QString application = QCoreApplication::applicationName();
    const auto restore = qScopeGuard([&] {
        qputenv("XDG_CACHE_HOME", xdg);
        QCoreApplication::setOrganizationName(organization);
        QCoreApplication::setApplicationName(application);
    });
    QTemporaryDir shared;
    ASSERT_TRUE(shared.isValid());
    qputenv("XDG_CACHE_HOME", QFile::encodeName(shared.path()));
    QCoreApplication::setOrganizationName(QString());
    QCoreApplication::setApplicationName(u"Velmora Core"_s);

    const auto folder = applicationCacheFolder();
    ASSERT_TRUE(folder.has_value());
    EXPECT_EQ(*folder, shared.path() + u"/Velmora Core"_s);

    writeFile(*folder + u"/qtshadercache/a.bin"_s, 2048);
    writeFile(shared.filePath(u"fontconfig/cache-7"_s), 500);
    writeFile(shared.filePath(u"thumbnail.png"_s), 300);

    CacheClearing clearing(*folder);
    EXPECT_EQ(clearing.confirmation().message,
              u"Les caches temporaires (2.0 Ko) seront supprimés. Vos données de "
              "session ne sont pas affectées."_s);
    clearing.clear();
    EXPECT_FALSE(QFileInfo::exists(*folder + u"/qtshadercache"_s));
    EXPECT_EQ(QFileInfo(shared.filePath(u"fontconfig/cache-7"_s)).size(), 500);
    EXPECT_EQ(QFileInfo(shared.filePath(u"thumbnail.png"_s)).size(), 300);
}
