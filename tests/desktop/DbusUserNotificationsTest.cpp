#include "desktop/DbusUserNotifications.h"

#include <QDBusMessage>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/prctl.h>

using namespace Qt::StringLiterals;

namespace velmora {
namespace {

const QString objectPath = u"/org/freedesktop/Notifications"_s;
const QString interface = u"org.freedesktop.Notifications"_s;

// A session bus of the test's own that starts nothing on demand: a real
// notification server is never reached nor launched. It ends with the test,
// even one that crashes.
class PrivateBus {
public:
    PrivateBus() {
        const QString config = m_folder.filePath(u"bus.conf"_s);
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly))
            return;
        file.write(u"<busconfig><type>session</type><listen>unix:dir=%1</listen>"
                   "<auth>EXTERNAL</auth><policy context=\"default\">"
                   "<allow send_destination=\"*\"/><allow receive_sender=\"*\"/>"
                   "<allow own=\"*\"/></policy></busconfig>"_s.arg(m_folder.path())
                       .toUtf8());
        file.close();
        m_daemon.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
        m_daemon.start(u"dbus-daemon"_s,
                       {u"--nofork"_s, u"--print-address"_s, u"--config-file="_s + config});
        while (!m_daemon.canReadLine() && m_daemon.waitForReadyRead(5000)) {
        }
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    }
    ~PrivateBus() {
        m_daemon.terminate();
        m_daemon.waitForFinished(2000);
    }
    QDBusConnection connect(const QString& name) const {
        return QDBusConnection::connectToBus(m_address, name);
    }

private:
    QTemporaryDir m_folder;
    QProcess m_daemon;
    QString m_address;
};

// Keeps the arguments of each Notify call.
class NotificationServer : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    QList<QVariantList> notified;
    QList<uint> closed;

public slots:
    uint Notify(const QString& appName, uint replacesId, const QString& icon,
                const QString& summary, const QString& body, const QStringList& actions,
                const QVariantMap& hints, int timeout) {
        notified.append({appName, replacesId, icon, summary, body, actions, hints, timeout});
        return uint(40 + notified.size());
    }
    void CloseNotification(uint id) { closed.append(id); }
    QString GetServerInformation(QString& vendor, QString& version, QString& protocolVersion) {
        vendor = version = protocolVersion = u"1"_s;
        return u"test"_s;
    }
};

class DbusUserNotificationsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_client.isConnected()); }
    void TearDown() override {
        QDBusConnection::disconnectFromBus(u"client"_s);
        QDBusConnection::disconnectFromBus(u"server"_s);
    }

    void startServer() {
        m_server = m_bus.connect(u"server"_s);
        ASSERT_TRUE(m_server.registerObject(objectPath, &server, QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(m_server.registerService(interface));
    }
    std::unique_ptr<DbusUserNotifications> open(const QDBusConnection& bus) {
        return std::make_unique<DbusUserNotifications>(bus, m_folder.filePath(u"pending.json"_s),
                                                       clock);
    }
    std::unique_ptr<DbusUserNotifications> open() { return open(m_client); }
    static bool authorized(DbusUserNotifications& notifications) {
        std::optional<bool> answer;
        notifications.requestAuthorization([&](bool granted) { answer = granted; });
        EXPECT_TRUE(QTest::qWaitFor([&] { return answer.has_value(); }, 5000));
        return answer.value_or(false);
    }

    PrivateBus m_bus;
    QTemporaryDir m_folder;
    QDBusConnection m_client = m_bus.connect(u"client"_s);
    QDBusConnection m_server{u"server"_s};
    NotificationServer server;
    FixedClock clock{QDateTime(QDate(2026, 1, 10), QTime(8, 0))};
};

TEST_F(DbusUserNotificationsTest, AuthorisedOnlyWhenAServerAnswers) {
    EXPECT_FALSE(
        authorized(*open(QDBusConnection::connectToBus(u"unix:path=/nowhere"_s, u"none"_s))));
    EXPECT_FALSE(authorized(*open()));
    startServer();
    EXPECT_TRUE(authorized(*open()));
}

TEST_F(DbusUserNotificationsTest, APostCarriesTheRequestAndItsUrgency) {
    startServer();
    const auto notifications = open();
    notifications->add({u"b"_s, u"Article en rupture"_s, u"Farine"_s, true, DelayTrigger{0}, true});
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.notified.size() == 1; }, 5000));
    notifications->add({u"a"_s, u"Facture en retard"_s, u"Client — 3 j"_s, true, DelayTrigger{0}});
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.notified.size() == 2; }, 5000));
    const QVariantMap hints{{u"urgency"_s, QVariant::fromValue(uchar(1))},
                            {u"desktop-entry"_s, u"velmora"_s},
                            {u"sound-name"_s, u"message-new-instant"_s}};
    EXPECT_EQ(server.notified[1],
              (QVariantList{u"Velmora Core"_s, 0u, u"velmora"_s, u"Facture en retard"_s,
                            u"Client — 3 j"_s, QStringList{u"default"_s, u"Ouvrir"_s}, hints, -1}));
    const QVariantMap critical = server.notified[0][6].toMap();
    EXPECT_EQ(critical.value(u"urgency"_s).metaType(), QMetaType::fromType<uchar>());
    EXPECT_EQ(critical.value(u"urgency"_s), QVariant::fromValue(uchar(2)));
    EXPECT_EQ(critical.value(u"sound-name"_s), u"dialog-warning"_s);
}

TEST_F(DbusUserNotificationsTest, AClickOpensOursAndRemovalClosesIt) {
    startServer();
    const auto notifications = open();
    QStringList activated;
    notifications->setActivationHandler(
        [&](const QString& identifier) { activated << identifier; });
    notifications->add({u"stock.out.1"_s, u"T"_s, u"B"_s, true, DelayTrigger{0}, true});
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.notified.size() == 1; }, 5000));
    const auto emitAction = [&](uint id) {
        m_server.send(QDBusMessage::createSignal(objectPath, interface, u"ActionInvoked"_s)
                      << id << u"default"_s);
    };
    QTest::qWait(50); // the server's answer reaches the client
    emitAction(7);    // another application's
    emitAction(41);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !activated.isEmpty(); }, 5000));
    EXPECT_EQ(activated, QStringList{u"stock.out.1"_s});

    notifications->removePendingAndDelivered({u"stock.out.1"_s});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !server.closed.isEmpty(); }, 5000));
    EXPECT_EQ(server.closed, QList<uint>{41});
}

TEST_F(DbusUserNotificationsTest, ARequestMissedWhileClosedIsPostedOnceAtTheNextStart) {
    startServer();
    const CalendarTrigger daily{{}, {}, 9, 0, true};
    open()->add({u"daily"_s, u"Rappel"_s, u"B"_s, true, daily, false});
    {
        const auto notifications = open();
        notifications->add({u"removed"_s, u"Retiré"_s, u"B"_s, true, daily, false});
        notifications->removePendingAndDelivered({u"removed"_s});
    }
    clock.set(QDateTime(QDate(2026, 1, 20), QTime(12, 0)));
    for (const char* start : {"first start after", "second start after"}) {
        const auto notifications = open();
        QTest::qWait(100);
        ASSERT_EQ(server.notified.size(), 1) << start;
    }
    EXPECT_EQ(server.notified[0][3], u"Rappel"_s);
    QFile file(m_folder.filePath(u"pending.json"_s));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(PendingNotifications::decode(file.readAll()).nextDue(),
              QDateTime(QDate(2026, 1, 21), QTime(9, 0)));
}

TEST_F(DbusUserNotificationsTest, AReminderNoServerShowedIsTriedAgainFiveMinutesLater) {
    const auto pendingDue = [&] {
        QFile file(m_folder.filePath(u"pending.json"_s));
        return file.open(QIODevice::ReadOnly)
                   ? PendingNotifications::decode(file.readAll()).nextDue()
                   : std::nullopt;
    };
    open()->add({u"once"_s, u"Déclaration URSSAF"_s, u"B"_s, true,
                 CalendarTrigger{1, 10, 9, 0, false}, false});
    clock.set(QDateTime(QDate(2026, 1, 10), QTime(9, 30)));
    const QDateTime retry(QDate(2026, 1, 10), QTime(9, 35));
    {
        // Nobody answers on the bus yet.
        const auto notifications = open();
        ASSERT_TRUE(QTest::qWaitFor([&] { return pendingDue() == retry; }, 5000));
    }
    startServer();
    clock.set(retry);
    const auto notifications = open();
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.notified.size() == 1; }, 5000));
    EXPECT_EQ(server.notified[0][3], u"Déclaration URSSAF"_s);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !pendingDue(); }, 5000));
}

} // namespace
} // namespace velmora

#include "DbusUserNotificationsTest.moc"
