#ifndef SCRIPTEDLINEPEER_H
#define SCRIPTEDLINEPEER_H

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

// A line-oriented server that plays a script: the first reply is the
// greeting, each further one answers one received line. It records every
// byte it gets. Runs in the test's own event loop.
class ScriptedLinePeer : public QObject
{
    Q_OBJECT
public:
    struct Script
    {
        QList<QByteArray> replies;  // [0] on connect, [n] after line n; beyond the list: silence
        int closeAtLine = -1;       // close instead of answering line n
        bool closeAfterLast = false;// close once the last reply went out
        bool byteByByte = false;    // every byte in a write of its own, 5 ms apart
    };

    explicit ScriptedLinePeer(QObject* parent = nullptr) : QObject(parent)
    {
        connect(&m_Server, &QTcpServer::newConnection, this, &ScriptedLinePeer::onNewConnection);
    }

    bool listen(const QHostAddress& address, quint16 port) { return m_Server.listen(address, port); }
    QString errorString() const { return m_Server.errorString(); }
    void setScript(const Script& script) { m_Script = script; }

    QByteArray received() const { return m_Received; }
    QList<QByteArray> lines() const { return m_Lines; }
    int connections() const { return m_Connections; }
    bool clientClosed() const { return m_Client.isNull() || m_Client->state() != QAbstractSocket::ConnectedState; }

private slots:
    void onNewConnection()
    {
        QTcpSocket* client = m_Server.nextPendingConnection();
        ++m_Connections;
        m_Received.clear();
        m_Lines.clear();
        m_Pending.clear();
        m_Client = client;
        client->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        connect(client, &QTcpSocket::readyRead, this, [this, client] { onReadyRead(client); });
        connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
        reply(0);
    }

private:
    void onReadyRead(QTcpSocket* client)
    {
        const QByteArray bytes = client->readAll();
        m_Received += bytes;
        m_Pending += bytes;
        int end;
        while ((end = m_Pending.indexOf('\n')) >= 0) {
            m_Lines << m_Pending.left(end + 1);
            m_Pending.remove(0, end + 1);
            const int n = m_Lines.size();
            if (n == m_Script.closeAtLine) {
                client->disconnectFromHost();
                return;
            }
            reply(n);
        }
    }

    void reply(int index)
    {
        if (m_Client.isNull() || index >= m_Script.replies.size())
            return;
        const QByteArray text = m_Script.replies.at(index);
        const bool last = index == m_Script.replies.size() - 1;
        if (!m_Script.byteByByte) {
            m_Client->write(text);
            m_Client->flush();
            if (last && m_Script.closeAfterLast)
                m_Client->disconnectFromHost();
            return;
        }
        for (int i = 0; i < text.size(); ++i) {
            QTimer::singleShot(5 * (i + 1), this, [this, byte = text.mid(i, 1), end = last && i == text.size() - 1] {
                if (m_Client.isNull())
                    return;
                m_Client->write(byte);
                m_Client->flush();
                if (end && m_Script.closeAfterLast)
                    m_Client->disconnectFromHost();
            });
        }
    }

    QTcpServer m_Server;
    QPointer<QTcpSocket> m_Client;
    Script m_Script;
    QByteArray m_Received;
    QByteArray m_Pending;
    QList<QByteArray> m_Lines;
    int m_Connections = 0;
};

#endif // SCRIPTEDLINEPEER_H
