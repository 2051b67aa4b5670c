#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

class QLocalServer;

namespace velmora {

// One running application per user and data folder: a second start hands its
// files to the first one through a local socket and ends.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    // The socket name follows the data folder, so that tests and other
    // folders never meet a running application.
    static QString serverNameFor(const QString& rootFolder);

    explicit SingleInstance(QString serverName, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when a running application took the files (an empty list only
    // asks it to come to the front).
    bool sendToRunning(const QList<QUrl>& files, int timeoutMs = 2000) const;
    // Starts answering later starts; false when the name cannot be taken.
    bool listen();

signals:
    // Every file another start was given; an empty list when it had none.
    void filesReceived(const QList<QUrl>& files);

private:
    void readConnection();

    QString m_name;
    QLocalServer* m_server = nullptr;
};

} // namespace velmora
