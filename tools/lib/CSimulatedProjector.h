#ifndef CSIMULATEDPROJECTOR_H
#define CSIMULATEDPROJECTOR_H

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

#include "CSimReply.h"

class QTcpServer;
class QTcpSocket;

// One simulated projector: a TCP listener on a loopback address that cuts the
// incoming byte stream into request frames and answers each through its
// handler. Only addresses in 127.0.0.0/8 are accepted.
class CSimulatedProjector : public QObject
{
    Q_OBJECT
public:
    // Maps one complete request frame to what the projector does.
    using Handler = std::function<CSimReply(const QByteArray& request)>;

    enum ConnectMode {
        CONNECT_ACCEPT, // accept connections and answer
        CONNECT_REFUSE, // nobody listens: connections are refused at once
        CONNECT_STALL   // connections are never accepted: connecting hangs
    };

    CSimulatedProjector(const QHostAddress& address, quint16 port, QObject* parent = nullptr);
    ~CSimulatedProjector() override;

    static bool IsAllowedAddress(const QHostAddress& address);

    // Starts listening; false (see ErrorString) when the address is not in
    // 127.0.0.0/8 or cannot be bound. With port 0 the system picks a free one,
    // which Port() then tells.
    bool Start();
    void Stop();
    QString ErrorString() const { return m_ErrorString; }

    QHostAddress Address() const { return m_Address; }
    quint16 Port() const { return m_Port; }
    QString AddressText() const { return m_Address.toString(); }
    QString PortText() const { return QString::number(m_Port); }

    void SetHandler(Handler handler) { m_Handler = std::move(handler); }
    void SetFaults(const CSimFaults& faults) { m_Faults = faults; }
    CSimFaults Faults() const { return m_Faults; }
    bool SetConnectMode(ConnectMode mode);
    ConnectMode GetConnectMode() const { return m_Mode; }

    // Closes every open connection now (the projector keeps listening).
    void CloseConnections();

    // What the projector has seen.
    QList<QByteArray> Requests() const { return m_Requests; }
    void ClearRequests() { m_Requests.clear(); }
    int AcceptedCount() const { return m_AcceptedCount; }
    int OpenConnectionCount() const;

signals:
    void ClientConnected();
    void ClientDisconnected();
    void RequestReceived(const QByteArray& request);

private slots:
    void f_OnNewConnection();

private:
    bool f_Listen();
    bool f_Stall();
    void f_Unlisten();
    void f_OnReadyRead(QTcpSocket* socket);
    void f_Answer(QTcpSocket* socket, const QByteArray& request);
    static void f_SendChunks(QPointer<QTcpSocket> socket, QList<QByteArray> chunks, int gapMs,
                             bool closeAfter);

    QHostAddress m_Address;
    quint16 m_Port;
    QString m_ErrorString;
    Handler m_Handler;
    CSimFaults m_Faults;
    ConnectMode m_Mode = CONNECT_ACCEPT;
    bool m_Started = false;
    QTcpServer* m_Server = nullptr;
    int m_StallListener = -1; // native listener with a full accept queue
    int m_StallFiller = -1;   // the connection that fills that queue
    QList<QPointer<QTcpSocket>> m_Connections;
    QList<QByteArray> m_Requests;
    int m_AcceptedCount = 0;
};

#endif // CSIMULATEDPROJECTOR_H
