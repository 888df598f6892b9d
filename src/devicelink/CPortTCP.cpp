#include "CPortTCP.h"

#include <QElapsedTimer>
#include <QLoggingCategory>

#include <exception>

#include "CPortTCPEvent.h"
#include "CTcpStream.h"

namespace {
Q_LOGGING_CATEGORY(lcPort, "lumivox.devicelink.port", QtWarningMsg)

using Handler = CEventThread::EventFunction;

const int READ_CHUNK = 8192;
}

CPortTCP::CPortTCP(QObject* parent)
    : CPortBase(parent)
{
    try {
        f_ConnectRenew();
        f_Init();
        f_CreateEventList();
        m_ConnectTimer.setSingleShot(true);
        connect(&m_ConnectTimer, &QTimer::timeout, this, &CPortTCP::f_OnConnectTimeout);
        connect(this, &CPortTCP::InnerDisconnect, this,
                static_cast<void (CPortTCP::*)()>(&CPortTCP::f_OnDisconnected), Qt::QueuedConnection);
    } catch (const std::exception& e) {
        qCDebug(lcPort, "exception occured [%s]", e.what());
        f_DeleteSocket();
        throw;
    }
}

CPortTCP::~CPortTCP()
{
    // The worker thread only runs after Destruction(); never leave it behind.
    if (isRunning())
        SafeAbort();
    f_DeleteSocket();
}

void CPortTCP::f_Init()
{
    m_Host = QStringLiteral("192.168.0.10");
    m_nPort = 7142;
    m_bWait = true;
    m_nConnectTimeout = 3000;
    m_nSendTimeout = 3000;
    m_nReceiveTimeout = 3000;
    m_nFrameTimeout = 600;
    m_tsTransportState = TS_DISCONNECTED;
    m_nLastError = 0;
    m_SendBuffer.clear();
    m_ReceiveBuffer.clear();
    m_bConnected = false;
    m_bClearBeforeSend = false;
}

void CPortTCP::f_CreateEventList()
{
    try {
        f_AddEvent(CPortTCPEvent::KEY_CONNECT, static_cast<Handler>(&CPortTCP::ConnectProc));
        f_AddEvent(CPortTCPEvent::KEY_SEND, static_cast<Handler>(&CPortTCP::SendProc));
        f_AddEvent(CPortTCPEvent::KEY_RECEIVE, static_cast<Handler>(&CPortTCP::ReceiveProc));
        f_AddEvent(CPortTCPEvent::KEY_DISCONNECT, static_cast<Handler>(&CPortTCP::DisconnectProc));
        f_AddEvent(CPortTCPEvent::KEY_DISCONNECTED, static_cast<Handler>(&CPortTCP::DisconnectedProc));
        f_AddEvent(CPortTCPEvent::KEY_SET_CONNECT_TIMEOUT, static_cast<Handler>(&CPortTCP::SetConnectTimeoutProc));
        f_AddEvent(CPortTCPEvent::KEY_SET_SEND_TIMEOUT, static_cast<Handler>(&CPortTCP::SetSendTimeoutProc));
        f_AddEvent(CPortTCPEvent::KEY_SET_RECEIVE_TIMEOUT, static_cast<Handler>(&CPortTCP::SetReceiveTimeoutProc));
        f_AddEvent(CPortTCPEvent::KEY_SET_FRAME_TIMEOUT, static_cast<Handler>(&CPortTCP::SetFrameTimeoutProc));
    } catch (const std::exception& e) {
        qCDebug(lcPort, "exception occured [%s]", e.what());
    }
}

// ---- public operations ------------------------------------------------------

int CPortTCP::Connect(QString* host, QString* port, bool wait)
{
    if (m_tsTransportState == TS_DISCONNECTED)
        m_bWait = wait;
    CPortTCPEventConnect event(host ? *host : QString(), port ? *port : QString());
    ConnectProc(&event);
    return m_nLastError;
}

int CPortTCP::Connect(bool wait)
{
    QString host = m_Host;
    QString port = QString::number(m_nPort);
    return Connect(&host, &port, wait);
}

int CPortTCP::Send(QByteArray data, int from, int length)
{
    CPortTCPEventSend event(data.mid(from, length), m_bClearBeforeSend);
    SendProc(&event);
    return m_nLastError;
}

int CPortTCP::Receive(QByteArray* out, int maxSize)
{
    CPortTCPEventReceive event(out, maxSize, m_Condition);
    ReceiveProc(&event);
    return m_nLastError;
}

int CPortTCP::Disconnect()
{
    CPortTCPEventDisconnect event;
    DisconnectProc(&event);
    return m_nLastError;
}

void CPortTCP::SetConnectTimeout(int timeout)
{
    CPortTCPEventSetTimeout event(CPortTCPEvent::KEY_SET_CONNECT_TIMEOUT, timeout);
    SetConnectTimeoutProc(&event);
}

void CPortTCP::SetSendTimeout(int timeout)
{
    CPortTCPEventSetTimeout event(CPortTCPEvent::KEY_SET_SEND_TIMEOUT, timeout);
    SetSendTimeoutProc(&event);
}

void CPortTCP::SetReceiveTimeout(int timeout)
{
    CPortTCPEventSetTimeout event(CPortTCPEvent::KEY_SET_RECEIVE_TIMEOUT, timeout);
    SetReceiveTimeoutProc(&event);
}

void CPortTCP::SetFrameTimeout(int timeout)
{
    CPortTCPEventSetTimeout event(CPortTCPEvent::KEY_SET_FRAME_TIMEOUT, timeout);
    SetFrameTimeoutProc(&event);
}

int CPortTCP::GetConnectionState()
{
    return GetSocketState();
}

int CPortTCP::GetSocketState() const
{
    return m_pSocket ? int(m_pSocket->state()) : int(QAbstractSocket::UnconnectedState);
}

void CPortTCP::BeforeDelete()
{
    f_DeleteSocket();
}

void CPortTCP::Abort()
{
    if (!m_pSocket)
        return;
    switch (m_pSocket->state()) {
    case QAbstractSocket::HostLookupState:
    case QAbstractSocket::ConnectingState:
        f_AbortLator();
        break;
    case QAbstractSocket::ConnectedState:
    case QAbstractSocket::ListeningState:
        m_ConnectTimer.stop();
        m_pSocket->abort();
        break;
    default:
        break;
    }
}

void CPortTCP::f_AbortLator()
{
    f_ConnectRenew();
    emit InnerDisconnect();
}

bool CPortTCP::Destruction(bool wait)
{
    qCDebug(lcPort, "CPortTCP::Destruction");
    f_ClearEventQueue();
    Disconnect();
    ThreadAbort();
    if (!wait)
        return false;
    const bool finished = f_WaitForThreadEnd(5000, true, 5000);
    if (!finished)
        qCDebug(lcPort, "Thread is not finished.");
    return finished;
}

bool CPortTCP::f_WaitForThreadEnd(int timeout, bool forceQuit, int forceTimeout)
{
    QElapsedTimer elapsed;
    elapsed.start();
    int limit = timeout;
    bool quitSent = false;
    for (;;) {
        if (!isRunning() || wait(1000)) {
            qCDebug(lcPort, "[%08X] Finished.", quint32(quintptr(QThread::currentThreadId())));
            return true;
        }
        if (limit != -1 && elapsed.elapsed() >= limit) {
            qCDebug(lcPort, "Timeout! Thread [%08X] is not finished.", quint32(quintptr(QThread::currentThreadId())));
            if (!forceQuit || quitSent)
                return false;
            quit();
            quitSent = true;
            limit = forceTimeout;
            elapsed.restart();
        }
    }
}

// ---- handlers ---------------------------------------------------------------

void CPortTCP::ConnectProc(CEventBase* event)
{
    auto* e = static_cast<CPortTCPEventConnect*>(event);
    m_nLastError = 0;
    if (m_tsTransportState != TS_DISCONNECTED) {
        m_nLastError = -4;
        return;
    }
    m_Host = e->m_Host;
    if (m_Host.isEmpty()) {
        // Reported like a bad port: a request must never wait for a
        // connection that is never attempted.
        qCDebug(lcPort, "Host name is empty.");
        m_nLastError = -3;
        f_TellError(m_nLastError);
        return;
    }
    bool ok = false;
    const int port = e->m_Port.toInt(&ok, 10);
    if (!ok || port < 1 || port > 65535) {
        // A number outside the port range would wrap to some other port.
        qCDebug(lcPort, "Port number is invalid.");
        m_nLastError = -3;
        f_TellError(m_nLastError);
        return;
    }
    m_nPort = port;
    if (!m_pSocket)
        f_ConnectRenew();

    m_pSocket->blockSignals(m_bWait);
    m_tsTransportState = TS_CONNECTING;
    if (f_Heard())
        emit ConnectStart(m_nKey);
    m_pSocket->connectToHost(m_Host, quint16(m_nPort));
    if (!m_bWait) {
        m_ConnectTimer.start(qMax(0, m_nConnectTimeout));
        return;
    }

    const bool connected = m_pSocket->waitForConnected(m_nConnectTimeout);
    // A port that reports nothing after connecting would never see its replies.
    m_pSocket->blockSignals(false);
    if (connected) {
        m_tsTransportState = TS_CONNECTED;
        m_bConnected = true;
        f_TellConnected();
    } else {
        m_tsTransportState = TS_DISCONNECTED;
        f_SocketError();
    }
}

void CPortTCP::SendProc(CEventBase* event)
{
    auto* e = static_cast<CPortTCPEventSend*>(event);
    m_nLastError = 0;
    if (m_tsTransportState == TS_DISCONNECTED || !m_pSocket) {
        m_nLastError = -5;
        f_TellError(m_nLastError);
        qCDebug(lcPort, "m_tsTransportState != TS_CONNECTED");
        return;
    }
    m_tsTransportState = TS_SENDING;
    m_SendBuffer = e->m_Data;
    if (e->m_bClearBeforeSend) {
        const int dropped = m_pSocket->readAll().size();
        if (dropped > 0)
            qCDebug(lcPort, "%d byte(s) received before the send dropped", dropped);
        if (f_Heard())
            emit ReceiveBufferCleared(m_nKey);
    }
    if (f_Heard())
        emit SendStart(m_nKey);
    if (m_pSocket->write(m_SendBuffer) == -1) {
        f_SocketError();
        return;
    }
    if (f_Heard())
        emit SendCompleted(m_nKey, m_SendBuffer, m_SendBuffer.size());
}

void CPortTCP::FlushSent()
{
    if (m_pSocket && m_pSocket->bytesToWrite() > 0)
        m_pSocket->flush();
}

// Non-blocking: one read of what has arrived. The blocking variant is never
// needed, so the receive key reads the same way.
void CPortTCP::ReceiveProc(CEventBase* event)
{
    auto* e = static_cast<CPortTCPEventReceive*>(event);
    m_nLastError = 0;
    if (m_tsTransportState == TS_DISCONNECTED || !m_pSocket) {
        m_nLastError = -5;
        f_TellError(m_nLastError);
        return;
    }
    m_tsTransportState = TS_RECEIVING;
    m_ReceiveBuffer.clear();
    if (f_Heard())
        emit ReceiveStart(m_nKey);
    // Only what is there: reading with the full chunk size allocates that
    // much for every few bytes of a reply.
    m_ReceiveBuffer = m_pSocket->read(qBound<qint64>(0, m_pSocket->bytesAvailable(), READ_CHUNK));
    if (e->m_pOut)
        e->m_pOut->append(m_ReceiveBuffer);
    if (f_Heard())
        emit Received(m_nKey, m_ReceiveBuffer, m_ReceiveBuffer.size());
    f_StateSynchronizeWithSocket();
}

void CPortTCP::DisconnectProc(CEventBase*)
{
    m_nLastError = 0;
    if (f_Heard())
        emit DisconnectStart(m_nKey);
    m_ConnectTimer.stop();
    if (m_pSocket)
        m_pSocket->close();
    m_tsTransportState = TS_DISCONNECTED;
    m_bConnected = false;
    f_TellDisconnected();
}

void CPortTCP::DisconnectedProc(CEventBase*)
{
    qCDebug(lcPort, "f_OnDisconnected()");
    m_ConnectTimer.stop();
    m_tsTransportState = TS_DISCONNECTED;
    m_bConnected = false;
    f_TellDisconnected();
}

void CPortTCP::SetConnectTimeoutProc(CEventBase* event)
{
    m_nLastError = 0;
    m_nConnectTimeout = static_cast<CPortTCPEventSetTimeout*>(event)->m_nTimeout;
}

void CPortTCP::SetSendTimeoutProc(CEventBase* event)
{
    m_nLastError = 0;
    m_nSendTimeout = static_cast<CPortTCPEventSetTimeout*>(event)->m_nTimeout;
}

void CPortTCP::SetReceiveTimeoutProc(CEventBase* event)
{
    m_nLastError = 0;
    m_nReceiveTimeout = static_cast<CPortTCPEventSetTimeout*>(event)->m_nTimeout;
}

void CPortTCP::SetFrameTimeoutProc(CEventBase* event)
{
    m_nLastError = 0;
    m_nFrameTimeout = static_cast<CPortTCPEventSetTimeout*>(event)->m_nTimeout;
}

// ---- socket -----------------------------------------------------------------

void CPortTCP::f_ConnectRenew()
{
    if (m_pSocket)
        f_DeleteSocket();
    m_pSocket = new CTcpStream(nullptr);
    f_SignalsConnect();
}

void CPortTCP::f_DeleteSocket()
{
    m_ConnectTimer.stop();
    if (!m_pSocket)
        return;
    f_SignalsDisconnect();
    switch (m_pSocket->state()) {
    case QAbstractSocket::HostLookupState:
    case QAbstractSocket::ConnectingState:
    case QAbstractSocket::ClosingState:
        m_pSocket->deleteLater();
        break;
    default:
        delete m_pSocket;
        break;
    }
    m_pSocket = nullptr;
}

// The port is the stream's owner: told of its events directly, as a fleet
// makes thousands of ports and millions of such events.
void CPortTCP::f_SignalsConnect()
{
    m_pSocket->SetOwner(this);
}

void CPortTCP::f_SignalsDisconnect()
{
    m_pSocket->SetOwner(nullptr);
}

int CPortTCP::f_EncodeError(int socketError)
{
    if (socketError >= 0 && socketError <= 18)
        return -1000 - socketError;
    return -1099;
}

void CPortTCP::f_SocketError()
{
    const int raw = m_pSocket ? int(m_pSocket->error()) : int(QAbstractSocket::UnknownSocketError);
    m_nLastError = f_EncodeError(raw);
    f_StateSynchronizeWithSocket();
    qCDebug(lcPort, "Socket error.(code=%d)", raw);
    f_TellError(m_nLastError);
}

void CPortTCP::f_StateSynchronizeWithSocket()
{
    switch (GetSocketState()) {
    case QAbstractSocket::HostLookupState:
    case QAbstractSocket::ConnectingState:
        m_tsTransportState = TS_CONNECTING;
        break;
    case QAbstractSocket::ConnectedState:
    case QAbstractSocket::BoundState:
        m_tsTransportState = TS_CONNECTED;
        break;
    default:
        m_tsTransportState = TS_DISCONNECTED;
        break;
    }
}

// ---- socket notifications ---------------------------------------------------

void CPortTCP::f_OnConnected()
{
    qCDebug(lcPort, "f_OnConnected()");
    m_ConnectTimer.stop();
    m_tsTransportState = TS_CONNECTED;
    f_TellConnected();
}

void CPortTCP::f_OnDisconnected()
{
    CPortTCPEventDisconnected event;
    DisconnectedProc(&event);
}

void CPortTCP::f_OnError(QAbstractSocket::SocketError socketError)
{
    qCDebug(lcPort, "f_OnError()");
    m_ConnectTimer.stop();
    f_StateSynchronizeWithSocket();
    m_nLastError = f_EncodeError(int(socketError));
    f_TellError(m_nLastError);
}

void CPortTCP::f_OnConnectTimeout()
{
    if (!m_pSocket)
        return;
    const QAbstractSocket::SocketState state = m_pSocket->state();
    if (state != QAbstractSocket::HostLookupState && state != QAbstractSocket::ConnectingState)
        return;
    qCDebug(lcPort, "Connect timeout.");
    // The old socket goes (later, as it is still connecting) and takes its
    // notifications with it; the port is left unconnected.
    f_ConnectRenew();
    m_tsTransportState = TS_DISCONNECTED;
    m_bConnected = false;
    m_nLastError = f_EncodeError(QAbstractSocket::SocketTimeoutError);
    f_TellError(m_nLastError);
}

void CPortTCP::f_OnHostFound()
{
    qCDebug(lcPort, "f_OnHostFound()");
}

void CPortTCP::f_OnStateChanged(QAbstractSocket::SocketState)
{
    qCDebug(lcPort, "f_OnStateChanged()");
    f_StateSynchronizeWithSocket();
    f_TellStateChanged();
}

void CPortTCP::f_OnReadyRead()
{
    qCDebug(lcPort, "f_OnReadyRead()");
    f_TellReadyRead();
}
