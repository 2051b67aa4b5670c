// The update check end to end: the real fetcher against an HTTP server on the
// loopback interface, started by the test itself.

#include "core/app/UpdateChecker.h"
#include "desktop/NetworkHttpFetcher.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QHostAddress>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>

using namespace Qt::StringLiterals;

using namespace velmora;
using namespace std::chrono_literals;

namespace {

// Answers every request with one canned response, or never answers at all.
class ManifestServer : public QObject {
public:
    ManifestServer() {
        EXPECT_TRUE(m_server.listen(QHostAddress::LocalHost));
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                socket->setParent(this);
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
            }
        });
    }

    void respond(int status, QByteArray body) {
        m_status = status;
        m_body = std::move(body);
        m_silent = false;
    }
    void neverAnswer() { m_silent = true; }

    QUrl url() const {
        return QUrl(u"http://127.0.0.1:%1/version.json"_s.arg(m_server.serverPort()));
    }
    const QByteArray& lastRequest() const { return m_lastRequest; }

private:
    void serve(QTcpSocket* socket) {
        QByteArray& pending = m_pending[socket];
        pending += socket->readAll();
        if (!pending.contains("\r\n\r\n"))
            return;
        m_lastRequest = pending;
        pending.clear();
        if (m_silent)
            return;
        const QByteArray reason = m_status == 200 ? "OK" : "Not Found";
        socket->write("HTTP/1.1 " + QByteArray::number(m_status) + ' ' + reason +
                      "\r\nContent-Type: application/json\r\nContent-Length: " +
                      QByteArray::number(m_body.size()) + "\r\nConnection: close\r\n\r\n" + m_body);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    QHash<QTcpSocket*, QByteArray> m_pending;
    QByteArray m_lastRequest;
    int m_status = 200;
    QByteArray m_body;
    bool m_silent = false;
};

QByteArray manifest(const QByteArray& version) {
    return R"({"version":")" + version +
           R"(","download_url":"https://velmora.app/telecharger","release_notes":"Relances automatiques"})";
}

class UpdateCheckerTest : public testing::Test {
protected:
    UpdateCheckerTest() : m_checker(m_fetcher, u"1.4.2"_s) {
        m_checker.setVersionURL(m_server.url());
        m_checker.setTimeout(300ms);
    }

    // Runs one check to its end; false when it never ended.
    bool check() {
        QSignalSpy finished(&m_checker, &UpdateChecker::checkFinished);
        m_checker.checkForUpdates();
        return finished.wait(5000) && finished.size() == 1;
    }

    ManifestServer m_server;
    NetworkHttpFetcher m_fetcher;
    UpdateChecker m_checker;
};

} // namespace

TEST_F(UpdateCheckerTest, NewerManifestAnnouncesTheUpdate) {
    m_server.respond(200, manifest("1.10.0"));
    ASSERT_TRUE(check());
    EXPECT_TRUE(m_checker.updateAvailable());
    EXPECT_EQ(m_checker.latestVersion(), u"1.10.0"_s);
    EXPECT_EQ(m_checker.downloadURL(), u"https://velmora.app/telecharger"_s);
    EXPECT_EQ(m_checker.releaseNotes(), u"Relances automatiques"_s);

    const QByteArray request = m_server.lastRequest();
    EXPECT_TRUE(request.startsWith("GET /version.json HTTP/1.1\r\n")) << request.constData();
    // The request asks past any cache on the way.
    EXPECT_TRUE(request.toLower().contains("cache-control: no-cache")) << request.constData();
}

TEST_F(UpdateCheckerTest, OnlyTheBodyCountsAndOnlyAWholeManifest) {
    m_server.respond(200, manifest("1.4.2.0"));
    ASSERT_TRUE(check());
    EXPECT_FALSE(m_checker.updateAvailable());
    EXPECT_EQ(m_checker.latestVersion(), u"1.4.2.0"_s);
    EXPECT_EQ(m_checker.downloadURL(), u"https://velmora.app/telecharger"_s);

    // A manifest without release notes, garbage or nothing change nothing.
    for (const QByteArray& body :
         {QByteArray(R"({"version":"9.0","download_url":"https://velmora.app/telecharger"})"),
          QByteArray("\x89PNG\r\n\x1a\n garbage"), QByteArray()}) {
        m_server.respond(200, body);
        ASSERT_TRUE(check());
        EXPECT_FALSE(m_checker.updateAvailable());
        EXPECT_EQ(m_checker.latestVersion(), u"1.4.2.0"_s);
        EXPECT_EQ(m_checker.releaseNotes(), u"Relances automatiques"_s);
    }

    // The status is not examined.
    m_server.respond(404, manifest("2.0"));
    ASSERT_TRUE(check());
    EXPECT_TRUE(m_checker.updateAvailable());
    EXPECT_EQ(m_checker.latestVersion(), u"2.0"_s);
    m_server.respond(404, "<html>Introuvable</html>");
    ASSERT_TRUE(check());
    EXPECT_EQ(m_checker.latestVersion(), u"2.0"_s);
}

TEST_F(UpdateCheckerTest, ASilentServerTimesOutAndChangesNothing) {
    m_server.respond(200, manifest("3.0"));
    ASSERT_TRUE(check());
    m_server.neverAnswer();

    QElapsedTimer timer;
    timer.start();
    ASSERT_TRUE(check());
    EXPECT_LT(timer.elapsed(), 4000);
    EXPECT_TRUE(m_checker.updateAvailable());
    EXPECT_EQ(m_checker.latestVersion(), u"3.0"_s);
}

TEST_F(UpdateCheckerTest, NoServerAtAllChangesNothing) {
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const quint16 port = closed.serverPort();
    closed.close();
    m_checker.setVersionURL(QUrl(u"http://127.0.0.1:%1/version.json"_s.arg(port)));
    ASSERT_TRUE(check());
    EXPECT_FALSE(m_checker.updateAvailable());
    EXPECT_EQ(m_checker.latestVersion(), QString());
    EXPECT_EQ(m_checker.downloadURL(), QString());
    EXPECT_EQ(m_checker.releaseNotes(), QString());
}
