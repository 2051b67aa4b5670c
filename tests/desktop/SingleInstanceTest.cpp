#include "desktop/SingleInstance.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUuid>

#include <gtest/gtest.h>

#include <future>

using namespace Qt::StringLiterals;

namespace velmora {
namespace {

QString uniqueName() {
    return u"velmora-test-"_s + QUuid::createUuid().toString(QUuid::Id128);
}

// The sending side blocks on its socket, so it runs beside the event loop
// that lets the running side answer.
std::future<bool> sendLater(const QString& name, const QList<QUrl>& files) {
    return std::async(std::launch::async,
                      [name, files] { return SingleInstance(name).sendToRunning(files); });
}

TEST(SingleInstanceTest, NothingRunningTakesNoFiles) {
    EXPECT_FALSE(SingleInstance(uniqueName()).sendToRunning({}, 300));
}

TEST(SingleInstanceTest, FilesReachTheRunningApplicationInOrder) {
    const QString name = uniqueName();
    SingleInstance running(name);
    ASSERT_TRUE(running.listen());
    QSignalSpy received(&running, &SingleInstance::filesReceived);

    const QList<QUrl> files = {QUrl::fromLocalFile(u"/tmp/Compta 2025.cdb"_s),
                               QUrl::fromLocalFile(u"/tmp/Été #2.cdb"_s)};
    std::future<bool> sent = sendLater(name, files);
    ASSERT_TRUE(received.wait(5000));
    EXPECT_TRUE(sent.get());
    EXPECT_EQ(received.first().first().value<QList<QUrl>>(), files);
}

TEST(SingleInstanceTest, AStartWithoutFilesOnlyWakesTheWindow) {
    const QString name = uniqueName();
    SingleInstance running(name);
    ASSERT_TRUE(running.listen());
    QSignalSpy received(&running, &SingleInstance::filesReceived);
    std::future<bool> sent = sendLater(name, {});
    ASSERT_TRUE(received.wait(5000));
    EXPECT_TRUE(sent.get());
    EXPECT_TRUE(received.first().first().value<QList<QUrl>>().isEmpty());
}

TEST(SingleInstanceTest, TheNameFollowsTheDataFolder) {
    QTemporaryDir a;
    QTemporaryDir b;
    EXPECT_EQ(SingleInstance::serverNameFor(a.path()),
              SingleInstance::serverNameFor(a.path() + u"/"_s));
    EXPECT_NE(SingleInstance::serverNameFor(a.path()), SingleInstance::serverNameFor(b.path()));
}

} // namespace
} // namespace velmora
