#ifndef CPORTTCP_H
#define CPORTTCP_H

#include <QAbstractSocket>
#include <QTimer>

#include "CPortBase.h"

#include "CTcpStream.h"

// The TCP connection to one projector: one TCP stream, a small transport
// state, and every step reported as a signal carrying the port's key.
class CPortTCP : public CPortBase, private CTcpStreamOwner
{
    Q_OBJECT
public:
    enum TransportState {
        TS_DISCONNECTED = 0,
        TS_CONNECTING = 1,
        TS_CONNECTED = 2,
        TS_SENDING = 3,
        TS_RECEIVING = 4
    };

    explicit CPortTCP(QObject* parent = nullptr);
    ~CPortTCP() override;

    int Connect(QString* host, QString* port, bool wait) override;
    int Connect(bool wait) override;
    int Disconnect() override;
    int Send(QByteArray data, int from, int length) override;
    int Receive(QByteArray* out, int maxSize) override;
    bool Destruction(bool wait) override;
    int GetConnectionState() override;
    void BeforeDelete() override;

    int GetSocketState() const;
    // Hands what write() buffered to the kernel now instead of on the next
    // event-loop turn.
    void FlushSent();
    int GetTransportState() const { return m_tsTransportState; }
    int GetConnectTimeout() const { return m_nConnectTimeout; }
    int GetSendTimeout() const { return m_nSendTimeout; }
    int GetReceiveTimeout() const { return m_nReceiveTimeout; }
    int GetFrameTimeout() const { return m_nFrameTimeout; }
    void SetConnectTimeout(int timeout);
    void SetSendTimeout(int timeout);
    void SetReceiveTimeout(int timeout);
    void SetFrameTimeout(int timeout);
    void SetClearBeforeSend(bool clear) { m_bClearBeforeSend = clear; }
    QString GetHost() const { return m_Host; }
    int GetPortNumber() const { return m_nPort; }

    // The socket error number as a port error code: -1000 minus the number
    // for 0 to 18, -1099 for any other.
    static int f_EncodeError(int socketError);

public slots:
    void Abort() override;

signals:
    void InnerDisconnect();

protected:
    void f_CreateEventList() override;

private:
    void ConnectProc(CEventBase* event);
    void SendProc(CEventBase* event);
    void ReceiveProc(CEventBase* event);
    void DisconnectProc(CEventBase* event);
    void DisconnectedProc(CEventBase* event);
    void SetConnectTimeoutProc(CEventBase* event);
    void SetSendTimeoutProc(CEventBase* event);
    void SetReceiveTimeoutProc(CEventBase* event);
    void SetFrameTimeoutProc(CEventBase* event);

    void f_Init();
    void f_ConnectRenew();
    void f_DeleteSocket();
    void f_SignalsConnect();
    void f_SignalsDisconnect();
    void f_SocketError();
    void f_StateSynchronizeWithSocket();
    void f_AbortLator();
    bool f_WaitForThreadEnd(int timeout, bool forceQuit, int forceTimeout);

    // The stream's events, told directly.
    void StreamHostFound() override { f_OnHostFound(); }
    void StreamConnected() override { f_OnConnected(); }
    void StreamDisconnected() override { f_OnDisconnected(); }
    void StreamStateChanged(QAbstractSocket::SocketState state) override { f_OnStateChanged(state); }
    void StreamError(QAbstractSocket::SocketError error) override { f_OnError(error); }
    void StreamReadyRead() override { f_OnReadyRead(); }

private slots:
    void f_OnConnected();
    void f_OnDisconnected();
    void f_OnError(QAbstractSocket::SocketError socketError);
    void f_OnHostFound();
    void f_OnStateChanged(QAbstractSocket::SocketState socketState);
    void f_OnReadyRead();
    void f_OnConnectTimeout();

private:
    QString m_Host;
    int m_nPort = 0;
    bool m_bWait = true;
    CTcpStream* m_pSocket = nullptr;
    int m_nConnectTimeout = 0;
    int m_nSendTimeout = 0;
    int m_nReceiveTimeout = 0;
    int m_nFrameTimeout = 0;
    int m_tsTransportState = TS_DISCONNECTED;
    bool m_bClearBeforeSend = false;
    // A connection attempt that has not succeeded within the connect timeout
    // is given up, so an unplugged projector is reported in seconds.
    QTimer m_ConnectTimer;
};

#endif // CPORTTCP_H
