#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace platform {

static const QByteArray ShowMessage = QByteArrayLiteral("5120");

SingleInstance::SingleInstance(const QString& programDir, QObject* parent)
    : QObject(parent), name_(channelName(programDir))
{
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::channelName(const QString& programDir)
{
    const QByteArray hash =
        QCryptographicHash::hash(QDir::cleanPath(programDir).toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    return QStringLiteral("Postrix-%1-%2").arg(QString::number(getuid()), QString::fromLatin1(hash));
}

bool SingleInstance::handOverToRunning()
{
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(1000))
        return false;
    socket.write(ShowMessage);
    socket.waitForBytesWritten(1000);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(1000);
    return true;
}

bool SingleInstance::listen()
{
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(name_)) {
        // A socket left behind by a copy that crashed: nobody answered on it.
        QLocalServer::removeServer(name_);
        if (!server_->listen(name_))
            return false;
    }
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
    return true;
}

void SingleInstance::onNewConnection()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->readAll().contains(ShowMessage))
                emit showRequested();
        });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
}

} // namespace platform
