// Relays bytes both ways until either side closes; held connections only wait.
#include "tests/shell/window_proxy.h"

namespace k3::test {

WindowProxy::WindowProxy() {
    m_server.listen(QHostAddress::LocalHost, 0);
    connect(&m_server, &QTcpServer::newConnection, this, &WindowProxy::onNewConnection);
}

int WindowProxy::openHeldConnections() const {
    int open = 0;
    for (const QPointer<QTcpSocket>& socket : m_held)
        open += socket && socket->state() == QAbstractSocket::ConnectedState ? 1 : 0;
    return open;
}

void WindowProxy::onNewConnection() {
    while (QTcpSocket* client = m_server.nextPendingConnection()) {
        if (!m_holding) {
            relay(client);
            continue;
        }
        m_held.append(client);
        emit connectionHeld();
    }
}

void WindowProxy::relay(QTcpSocket* client) {
    auto* upstream = new QTcpSocket(client);
    upstream->connectToHost(QHostAddress::LocalHost, m_targetPort);
    connect(client, &QTcpSocket::readyRead, upstream,
            [client, upstream] { upstream->write(client->readAll()); });
    connect(upstream, &QTcpSocket::readyRead, client,
            [client, upstream] { client->write(upstream->readAll()); });
    connect(upstream, &QTcpSocket::disconnected, client, &QTcpSocket::disconnectFromHost);
    connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
}

}  // namespace k3::test
