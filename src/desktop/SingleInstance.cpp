#include "desktop/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

namespace velmora {

namespace {

// A request is the files' URLs, one per line, ended by an empty line; a
// lone empty line asks for the window only.
constexpr qint64 maxRequestBytes = 1 << 20;

QList<QUrl> parseRequest(const QByteArray& bytes) {
    QList<QUrl> files;
    for (const QByteArray& line : bytes.split('\n')) {
        const QUrl url(QString::fromUtf8(line.trimmed()), QUrl::StrictMode);
        if (url.isValid() && url.isLocalFile())
            files << url;
    }
    return files;
}

} // namespace

QString SingleInstance::serverNameFor(const QString& rootFolder) {
    const QByteArray digest = QCryptographicHash::hash(
        QDir::cleanPath(QDir(rootFolder).absolutePath()).toUtf8(), QCryptographicHash::Sha256);
    return QStringLiteral("velmora-") + QString::fromLatin1(digest.toHex().left(16));
}

SingleInstance::SingleInstance(QString serverName, QObject* parent)
    : QObject(parent), m_name(std::move(serverName)) {}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::sendToRunning(const QList<QUrl>& files, int timeoutMs) const {
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    QByteArray request;
    for (const QUrl& url : files)
        request += url.toString(QUrl::FullyEncoded).toUtf8() + '\n';
    request += '\n';
    socket.write(request);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    // The running side closes once it has read everything.
    socket.waitForDisconnected(timeoutMs);
    return true;
}

bool SingleInstance::listen() {
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_name)) {
        // A socket left by a crashed run: nobody answered sendToRunning, so
        // it is stale and can go.
        QLocalServer::removeServer(m_name);
        if (!m_server->listen(m_name))
            return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::readConnection);
    return true;
}

void SingleInstance::readConnection() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->bytesAvailable() > maxRequestBytes) {
                socket->abort();
                return;
            }
            const QByteArray pending = socket->peek(socket->bytesAvailable());
            if (!pending.endsWith("\n\n") && pending != "\n")
                return;
            const QByteArray request = socket->readAll();
            socket->disconnectFromServer();
            emit filesReceived(parseRequest(request));
        });
    }
}

} // namespace velmora
