// A loopback TCP relay between the client and k3drawd that can start holding new connections
// without ever answering them: a service that accepts a request and then hangs.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

namespace k3::test {

class WindowProxy final : public QObject {
    Q_OBJECT
public:
    WindowProxy();

    quint16 port() const { return m_server.serverPort(); }
    // Where relayed connections go; set before the first connection arrives.
    void setTargetPort(quint16 port) { m_targetPort = port; }
    // From now on new connections are accepted and left unanswered.
    void holdNewConnections() { m_holding = true; }
    // Held connections that their client has not closed.
    int openHeldConnections() const;

signals:
    void connectionHeld();

private:
    void onNewConnection();
    void relay(QTcpSocket* client);

    QTcpServer m_server;
    quint16 m_targetPort = 0;
    bool m_holding = false;
    QList<QPointer<QTcpSocket>> m_held;
};

}  // namespace k3::test
