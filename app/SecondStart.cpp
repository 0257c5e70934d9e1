#include "app/SecondStart.h"

#include "ledger/ProgramFolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>

QString SecondStart::serverName()
{
    const QString folder = QFileInfo(programFolder()).canonicalFilePath();
    const QByteArray key = (folder.isEmpty() ? programFolder() : folder).toUtf8() + '\n' + QDir::homePath().toUtf8();
    return QStringLiteral("KaneloY-")
           + QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16));
}

bool SecondStart::handOver(const QString& commandLine)
{
    // The running program listens a moment after it has taken the folder.
    for (int attempt = 0; attempt < 10; ++attempt) {
        QLocalSocket socket;
        socket.connectToServer(serverName());
        if (socket.waitForConnected(500)) {
            socket.write(commandLine.toUtf8() + '\n');
            const bool sent = socket.waitForBytesWritten(2000);
            socket.disconnectFromServer();
            return sent;
        }
        QThread::msleep(200);
    }
    return false;
}

bool SecondStart::listen()
{
    // Only the holder of the data folder's lock gets here: a socket of the
    // same name is a dead run's.
    QLocalServer::removeServer(serverName());
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &SecondStart::accept, Qt::UniqueConnection);
    return server_.listen(serverName());
}

void SecondStart::accept()
{
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // The line may come with the connection or a moment later.
        auto take = [this, socket] {
            if (!socket->canReadLine())
                return;
            const QString line = QString::fromUtf8(socket->readLine()).trimmed();
            socket->disconnectFromServer();
            emit started(line);
        };
        connect(socket, &QLocalSocket::readyRead, this, take);
        take();
    }
}
