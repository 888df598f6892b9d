#include "CSimulatedProjector.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "SimFrame.h"

CSimulatedProjector::CSimulatedProjector(const QHostAddress& address, quint16 port, QObject* parent)
    : QObject(parent)
    , m_Address(address)
    , m_Port(port)
{
}

CSimulatedProjector::~CSimulatedProjector()
{
    Stop();
}

bool CSimulatedProjector::IsAllowedAddress(const QHostAddress& address)
{
    bool isIPv4 = false;
    const quint32 ip = address.toIPv4Address(&isIPv4);
    return isIPv4 && (ip >> 24) == 127;
}

bool CSimulatedProjector::Start()
{
    if (!IsAllowedAddress(m_Address)) {
        m_ErrorString = QStringLiteral("%1 is not a loopback address (127.0.0.0/8)").arg(m_Address.toString());
        return false;
    }
    m_Started = true;
    switch (m_Mode) {
    case CONNECT_ACCEPT:
        return f_Listen();
    case CONNECT_STALL:
        return f_Stall();
    case CONNECT_REFUSE:
        return true;
    }
    return false;
}

void CSimulatedProjector::Stop()
{
    f_Unlisten();
    CloseConnections();
    m_Started = false;
}

bool CSimulatedProjector::SetConnectMode(ConnectMode mode)
{
    if (mode == m_Mode)
        return true;
    m_Mode = mode;
    if (!m_Started)
        return true;
    f_Unlisten();
    if (mode == CONNECT_ACCEPT)
        return f_Listen();
    if (mode == CONNECT_STALL)
        return f_Stall();
    return true;
}

bool CSimulatedProjector::f_Listen()
{
    m_Server = new QTcpServer(this);
    connect(m_Server, &QTcpServer::newConnection, this, &CSimulatedProjector::f_OnNewConnection);
    if (!m_Server->listen(m_Address, m_Port)) {
        m_ErrorString = m_Server->errorString();
        delete m_Server;
        m_Server = nullptr;
        return false;
    }
    m_Port = m_Server->serverPort();
    return true;
}

// A listener whose accept queue is held full by one connection of our own:
// the kernel then drops every further connection request, so a client's
// connect neither succeeds nor fails until it gives up by itself.
bool CSimulatedProjector::f_Stall()
{
    sockaddr_in sa;
    std::memset(&sa, 0, sizeof sa);
    sa.sin_family = AF_INET;
    sa.sin_port = htons(m_Port);
    sa.sin_addr.s_addr = htonl(m_Address.toIPv4Address());

    m_StallListener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int one = 1;
    if (m_StallListener < 0
        || ::setsockopt(m_StallListener, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one) != 0
        || ::bind(m_StallListener, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0
        || ::listen(m_StallListener, 0) != 0) {
        m_ErrorString = QString::fromLocal8Bit(std::strerror(errno));
        f_Unlisten();
        return false;
    }
    socklen_t length = sizeof sa;
    if (::getsockname(m_StallListener, reinterpret_cast<sockaddr*>(&sa), &length) == 0)
        m_Port = ntohs(sa.sin_port);

    m_StallFiller = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (m_StallFiller < 0
        || (::connect(m_StallFiller, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0
            && errno != EINPROGRESS)) {
        m_ErrorString = QString::fromLocal8Bit(std::strerror(errno));
        f_Unlisten();
        return false;
    }
    return true;
}

void CSimulatedProjector::f_Unlisten()
{
    if (m_Server) {
        m_Server->close();
        delete m_Server;
        m_Server = nullptr;
    }
    if (m_StallFiller >= 0) {
        ::close(m_StallFiller);
        m_StallFiller = -1;
    }
    if (m_StallListener >= 0) {
        ::close(m_StallListener);
        m_StallListener = -1;
    }
}

void CSimulatedProjector::CloseConnections()
{
    const QList<QPointer<QTcpSocket>> connections = m_Connections;
    for (const QPointer<QTcpSocket>& socket : connections) {
        if (socket)
            socket->disconnectFromHost();
    }
}

int CSimulatedProjector::OpenConnectionCount() const
{
    int count = 0;
    for (const QPointer<QTcpSocket>& socket : m_Connections) {
        if (socket && socket->state() == QAbstractSocket::ConnectedState)
            ++count;
    }
    return count;
}

void CSimulatedProjector::f_OnNewConnection()
{
    while (m_Server && m_Server->hasPendingConnections()) {
        QTcpSocket* socket = m_Server->nextPendingConnection();
        socket->setParent(this);
        ++m_AcceptedCount;
        m_Connections.append(socket);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket]() { f_OnReadyRead(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket]() {
            m_Connections.removeAll(socket);
            socket->deleteLater();
            emit ClientDisconnected();
        });
        emit ClientConnected();
    }
}

void CSimulatedProjector::f_OnReadyRead(QTcpSocket* socket)
{
    QByteArray buffer = socket->property("simBuffer").toByteArray();
    buffer.append(socket->readAll());
    while (const int size = SimFrameLength(buffer)) {
        const QByteArray request = buffer.left(size);
        buffer.remove(0, size);
        m_Requests.append(request);
        emit RequestReceived(request);
        f_Answer(socket, request);
        if (socket->state() != QAbstractSocket::ConnectedState)
            return;
    }
    socket->setProperty("simBuffer", buffer);
}

void CSimulatedProjector::f_Answer(QTcpSocket* socket, const QByteArray& request)
{
    CSimReply reply = m_Handler ? m_Handler(request) : CSimReply::Silence();
    if (m_Faults.silent)
        return;
    if (m_Faults.closeOnRequest || reply.action == CSimReply::ACTION_CLOSE) {
        socket->disconnectFromHost();
        return;
    }
    if (reply.action != CSimReply::ACTION_ANSWER)
        return;
    if (reply.chunkSizes.isEmpty()) {
        reply.chunkSizes = m_Faults.chunkSizes;
        reply.gapMs = m_Faults.gapMs;
    }
    const int delay = qMax(0, reply.delayMs + m_Faults.extraDelayMs);
    QPointer<QTcpSocket> target(socket);
    const QList<QByteArray> chunks = reply.Chunks();
    const int gap = qMax(0, reply.gapMs);
    const bool closeAfter = reply.closeAfter;
    if (delay == 0) {
        f_SendChunks(target, chunks, gap, closeAfter);
    } else {
        QTimer::singleShot(delay, socket, [target, chunks, gap, closeAfter]() {
            f_SendChunks(target, chunks, gap, closeAfter);
        });
    }
}

void CSimulatedProjector::f_SendChunks(QPointer<QTcpSocket> socket, QList<QByteArray> chunks,
                                       int gapMs, bool closeAfter)
{
    if (!socket || socket->state() != QAbstractSocket::ConnectedState)
        return;
    if (!chunks.isEmpty()) {
        socket->write(chunks.takeFirst());
        socket->flush();
    }
    if (chunks.isEmpty()) {
        if (closeAfter)
            socket->disconnectFromHost();
        return;
    }
    QTimer::singleShot(gapMs, socket.data(), [socket, chunks, gapMs, closeAfter]() {
        f_SendChunks(socket, chunks, gapMs, closeAfter);
    });
}
