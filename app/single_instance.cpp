#include "single_instance.h"

#include <QFileInfo>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {

const QByteArray taken("taken\n");
// A path is a line; a longer message is not one of ours.
constexpr qint64 maxMessageBytes = 64 * 1024;

} // namespace

QString SingleInstance::serverName() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty())
        return runtime + QStringLiteral("/calvane.socket");
    // No runtime folder: a name in the temporary folder, one per user.
    return QStringLiteral("calvane-") + qEnvironmentVariable("USER", QStringLiteral("user"));
}

bool SingleInstance::handOver(const QString& name, const QString& file, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(QFileInfo(file).absoluteFilePath().toUtf8() + '\n');
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    QByteArray answer;
    while (!answer.endsWith('\n') && socket.waitForReadyRead(timeoutMs))
        answer += socket.readAll();
    return answer == taken;
}

SingleInstance::SingleInstance(const QString& name, QObject* parent)
    : QObject(parent), m_name(name) {
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::accept);
}

bool SingleInstance::listen() {
    // Asked first: listen() would take the name even from a live program.
    // A live program answers; a socket left by one that crashed does not
    // and is cleared away.
    QLocalSocket probe;
    probe.connectToServer(m_name);
    if (probe.waitForConnected(1000))
        return false;
    QLocalServer::removeServer(m_name);
    return m_server.listen(m_name);
}

void SingleInstance::accept() {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
        readFrom(socket);
    }
}

void SingleInstance::readFrom(QLocalSocket* socket) {
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > maxMessageBytes)
            socket->abort();
        return;
    }
    const QString file = QString::fromUtf8(socket->readLine().chopped(1));
    socket->write(taken);
    socket->flush();
    socket->disconnectFromServer();
    if (!file.isEmpty())
        emit fileReceived(file);
}
