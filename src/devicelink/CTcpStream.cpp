#include "CTcpStream.h"

#include <QElapsedTimer>
#include <QHostInfo>
#include <QPointer>
#include <QSocketNotifier>
#include <QThread>

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/epoll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

QAbstractSocket::SocketError ConnectError(int code)
{
    switch (code) {
    case ECONNREFUSED:
    case EINVAL:
        return QAbstractSocket::ConnectionRefusedError;
    case EACCES:
    case EPERM:
        return QAbstractSocket::SocketAccessError;
    default:
        return QAbstractSocket::NetworkError;
    }
}

QAbstractSocket::SocketError TransferError(int code)
{
    return code == ECONNRESET || code == EPIPE ? QAbstractSocket::RemoteHostClosedError
                                               : QAbstractSocket::NetworkError;
}

} // namespace

CTcpStream::CTcpStream(QObject* parent)
    : QObject(parent)
{
}

template <typename... Args>
void CTcpStream::f_Tell(void (CTcpStreamOwner::*told)(Args...), void (CTcpStream::*signal)(Args...), Args... args)
{
    if (!m_pOwner)
        (this->*signal)(args...);
    else if (!signalsBlocked())
        (m_pOwner->*told)(args...);
}

CTcpStream::~CTcpStream()
{
    f_CancelLookup();
    f_CloseDescriptor();
}

void CTcpStream::connectToHost(const QString& host, quint16 port)
{
    if (m_State != QAbstractSocket::UnconnectedState)
        return;
    m_Host = host;
    m_Port = port;
    m_Error = QAbstractSocket::UnknownSocketError;
    m_bPendingClose = false;
    m_In.clear();
    m_Out.clear();
    m_Addresses.clear();
    QPointer<CTcpStream> alive(this);
    f_SetState(QAbstractSocket::HostLookupState);
    if (!alive)
        return;
    QHostAddress address;
    if (address.setAddress(host)) {
        f_StartConnecting({address});
        return;
    }
    m_LookupId = QHostInfo::lookupHost(host, this, [this](const QHostInfo& info) { f_OnLookedUp(info); });
}

void CTcpStream::f_OnLookedUp(const QHostInfo& info)
{
    if (info.lookupId() != m_LookupId)
        return;
    m_LookupId = -1;
    f_StartConnecting(info.addresses());
}

void CTcpStream::f_CancelLookup()
{
    if (m_LookupId == -1)
        return;
    QHostInfo::abortHostLookup(m_LookupId);
    m_LookupId = -1;
}

void CTcpStream::f_StartConnecting(const QList<QHostAddress>& addresses)
{
    if (m_State != QAbstractSocket::HostLookupState)
        return;
    QPointer<CTcpStream> alive(this);
    if (addresses.isEmpty()) {
        m_Error = QAbstractSocket::HostNotFoundError;
        f_SetState(QAbstractSocket::UnconnectedState);
        if (alive)
            f_Tell(&CTcpStreamOwner::StreamError, &CTcpStream::errorOccurred, m_Error);
        return;
    }
    m_Addresses = addresses;
    f_SetState(QAbstractSocket::ConnectingState);
    if (!alive)
        return;
    f_Tell(&CTcpStreamOwner::StreamHostFound, &CTcpStream::hostFound);
    if (!alive)
        return;
    f_ConnectToNextAddress();
}

void CTcpStream::f_ConnectToNextAddress()
{
    for (;;) {
        if (m_Addresses.isEmpty()) {
            if (m_Error == QAbstractSocket::UnknownSocketError)
                m_Error = QAbstractSocket::ConnectionRefusedError;
            QPointer<CTcpStream> alive(this);
            f_SetState(QAbstractSocket::UnconnectedState);
            if (alive)
                f_Tell(&CTcpStreamOwner::StreamError, &CTcpStream::errorOccurred, m_Error);
            return;
        }
        const QHostAddress address = m_Addresses.takeFirst();
        sockaddr_storage to;
        std::memset(&to, 0, sizeof to);
        socklen_t toSize = 0;
        if (address.protocol() == QAbstractSocket::IPv6Protocol) {
            auto* in6 = reinterpret_cast<sockaddr_in6*>(&to);
            in6->sin6_family = AF_INET6;
            in6->sin6_port = htons(m_Port);
            const Q_IPV6ADDR bytes = address.toIPv6Address();
            std::memcpy(&in6->sin6_addr, &bytes, sizeof bytes);
            in6->sin6_scope_id = address.scopeId().toUInt();
            toSize = sizeof(sockaddr_in6);
        } else {
            auto* in4 = reinterpret_cast<sockaddr_in*>(&to);
            in4->sin_family = AF_INET;
            in4->sin_port = htons(m_Port);
            in4->sin_addr.s_addr = htonl(address.toIPv4Address());
            toSize = sizeof(sockaddr_in);
        }
        m_Fd = ::socket(to.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        m_pEpoll = thread() == QThread::currentThread() ? CEpollEventDispatcher::ForCurrentThread() : nullptr;
        if (m_Fd < 0) {
            m_Error = errno == EACCES || errno == EPERM ? QAbstractSocket::SocketAccessError
                                                        : QAbstractSocket::SocketResourceError;
            continue;
        }
        int result;
        do
            result = ::connect(m_Fd, reinterpret_cast<sockaddr*>(&to), toSize);
        while (result != 0 && errno == EINTR);
        if (result == 0) {
            f_ConnectionMade();
            return;
        }
        if (errno == EINPROGRESS || errno == EALREADY) {
            f_SetInterest(false, true);
            return;
        }
        m_Error = ConnectError(errno);
        f_CloseDescriptor();
    }
}

void CTcpStream::f_TestConnection()
{
    int code = 0;
    socklen_t size = sizeof code;
    if (::getsockopt(m_Fd, SOL_SOCKET, SO_ERROR, &code, &size) != 0)
        code = errno;
    if (code == 0) {
        // No error is not yet a connection: readiness may be stale.
        sockaddr_storage peer;
        socklen_t peerSize = sizeof peer;
        if (::getpeername(m_Fd, reinterpret_cast<sockaddr*>(&peer), &peerSize) != 0)
            return;
        f_ConnectionMade();
        return;
    }
    if (code == EINPROGRESS || code == EALREADY)
        return;
    m_Error = ConnectError(code);
    f_CloseDescriptor();
    f_ConnectToNextAddress();
}

void CTcpStream::f_ConnectionMade()
{
    m_Addresses.clear();
    f_SetInterest(true, false);
    QPointer<CTcpStream> alive(this);
    f_SetState(QAbstractSocket::ConnectedState);
    if (!alive)
        return;
    f_Tell(&CTcpStreamOwner::StreamConnected, &CTcpStream::connected);
    if (!alive || m_State != QAbstractSocket::ConnectedState)
        return;
    if (m_bPendingClose) {
        m_bPendingClose = false;
        f_DisconnectFromHost();
        return;
    }
    // What was written while connecting goes out with the next turn, as any write.
    if (!m_Out.isEmpty())
        f_SetInterest(true, true);
}

bool CTcpStream::waitForConnected(int msecs)
{
    if (m_State == QAbstractSocket::ConnectedState)
        return true;
    if (m_State == QAbstractSocket::UnconnectedState)
        return false;
    QElapsedTimer clock;
    clock.start();
    QPointer<CTcpStream> alive(this);
    if (m_State == QAbstractSocket::HostLookupState && m_LookupId != -1) {
        // The name is wanted now: looked up here instead of in the background.
        f_CancelLookup();
        f_StartConnecting(QHostInfo::fromName(m_Host).addresses());
    }
    while (alive && m_State == QAbstractSocket::ConnectingState && m_Fd >= 0) {
        int remaining = -1;
        if (msecs >= 0) {
            remaining = int(msecs - clock.elapsed());
            if (remaining <= 0)
                break;
        }
        pollfd p{m_Fd, POLLOUT, 0};
        const int ready = ::poll(&p, 1, remaining);
        if (ready > 0)
            f_TestConnection();
        else if (ready == 0 || errno != EINTR)
            break;
    }
    if (!alive)
        return false;
    if (m_State == QAbstractSocket::ConnectingState || m_State == QAbstractSocket::HostLookupState) {
        m_Error = QAbstractSocket::SocketTimeoutError;
        f_Tell(&CTcpStreamOwner::StreamError, &CTcpStream::errorOccurred, m_Error);
        if (!alive)
            return false;
        f_CloseDescriptor();
        m_Addresses.clear();
        f_SetState(QAbstractSocket::UnconnectedState);
        return false;
    }
    return m_State == QAbstractSocket::ConnectedState;
}

qint64 CTcpStream::write(const QByteArray& data)
{
    if (m_State == QAbstractSocket::UnconnectedState || m_bPendingClose) {
        m_Error = QAbstractSocket::UnknownSocketError;
        return -1;
    }
    if (m_State == QAbstractSocket::ConnectedState && m_Out.isEmpty() && !m_bWriteFailed && m_Fd >= 0) {
        if (m_pEpoll && m_pEpoll->QueueSend(m_Fd, data, this)) {
            m_nQueued += data.size();
            return data.size();
        }
        // Straight to the kernel; what it does not take, and a failure, wait
        // for flush() or the next turn of the loop, as with a buffered socket.
        ssize_t written;
        do
            written = ::send(m_Fd, data.constData(), size_t(data.size()), MSG_NOSIGNAL);
        while (written < 0 && errno == EINTR);
        if (written == data.size())
            return data.size();
        if (written > 0)
            m_Out = data.mid(int(written));
        else if (errno == EAGAIN || errno == EWOULDBLOCK)
            m_Out = data;
        else {
            m_bWriteFailed = true;
            m_WriteFailure = TransferError(errno);
        }
        f_SetInterest(true, true);
        return data.size();
    }
    m_Out.append(data);
    if (m_State == QAbstractSocket::ConnectedState)
        f_SetInterest(true, true);
    return data.size();
}

// What the dispatcher holds for this stream goes out before the stream uses
// its socket in any other way.
void CTcpStream::f_SubmitQueuedSends()
{
    if (m_nQueued > 0 && m_pEpoll)
        m_pEpoll->SubmitSends();
}

// Told by the dispatcher; never emits, so a batch can tell every stream of it.
void CTcpStream::EpollSent(int fd, const QByteArray& data, int result)
{
    m_nQueued = qMax(0, m_nQueued - data.size());
    if (fd != m_Fd || result == data.size())
        return;
    if (result >= 0 || result == -EAGAIN || result == -EWOULDBLOCK || result == -EINTR) {
        // The kernel took part or nothing: the rest waits for room, first in line.
        m_Out.prepend(data.mid(qMax(result, 0)));
    } else {
        m_bWriteFailed = true;
        m_WriteFailure = TransferError(-result);
    }
    f_SetInterest(true, true);
}

bool CTcpStream::flush()
{
    f_SubmitQueuedSends();
    if (m_State != QAbstractSocket::ConnectedState || (m_Out.isEmpty() && !m_bWriteFailed))
        return false;
    const int before = m_Out.size();
    // False when the write failed: then this stream may be gone.
    if (!f_WriteOut())
        return false;
    return m_Out.size() < before;
}

bool CTcpStream::f_WriteOut()
{
    f_SubmitQueuedSends();
    if (m_bWriteFailed)
        return f_WriteFailed(m_WriteFailure);
    while (!m_Out.isEmpty()) {
        const ssize_t written = ::send(m_Fd, m_Out.constData(), size_t(m_Out.size()), MSG_NOSIGNAL);
        if (written > 0) {
            if (written == m_Out.size())
                m_Out.clear();
            else
                m_Out.remove(0, int(written));
            continue;
        }
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            f_SetInterest(true, true);
            return true;
        }
        return f_WriteFailed(TransferError(errno));
    }
    if (m_bWrite)
        f_SetInterest(m_bRead, false);
    return true;
}

// As a failed write of a socket: the error, then the connection is dropped.
bool CTcpStream::f_WriteFailed(QAbstractSocket::SocketError error)
{
    m_bWriteFailed = false;
    m_Error = error;
    QPointer<CTcpStream> alive(this);
    f_Tell(&CTcpStreamOwner::StreamError, &CTcpStream::errorOccurred, m_Error);
    if (alive)
        abort();
    return false;
}

void CTcpStream::f_OnWritable()
{
    if (m_State == QAbstractSocket::ConnectingState)
        f_TestConnection();
    else if (m_State == QAbstractSocket::ConnectedState || m_State == QAbstractSocket::ClosingState)
        f_WriteOut();
    else
        f_SetInterest(m_bRead, false);
}

void CTcpStream::EpollReady(int fd, quint32 events)
{
    if (fd != m_Fd)
        return;
    // One at a time: either may end with this stream deleted. What is left
    // is told again on the next turn.
    if (m_State == QAbstractSocket::ConnectingState)
        f_TestConnection();
    else if (m_bRead && (events & (EPOLLIN | EPOLLHUP | EPOLLERR | EPOLLRDHUP)))
        f_OnReadable();
    else if (m_bWrite && (events & (EPOLLOUT | EPOLLHUP | EPOLLERR)))
        f_OnWritable();
}

void CTcpStream::f_SetInterest(bool read, bool write)
{
    if (m_Fd < 0 || (read == m_bRead && write == m_bWrite))
        return;
    m_bRead = read;
    m_bWrite = write;
    if (m_pEpoll) {
        m_pEpoll->WatchDescriptor(m_Fd, (read ? EPOLLIN : 0u) | (write ? EPOLLOUT : 0u), this, true);
        return;
    }
    if (read && !m_pReadNotifier) {
        m_pReadNotifier = new QSocketNotifier(m_Fd, QSocketNotifier::Read, this);
        connect(m_pReadNotifier, &QSocketNotifier::activated, this, &CTcpStream::f_OnReadable);
    }
    if (write && !m_pWriteNotifier) {
        m_pWriteNotifier = new QSocketNotifier(m_Fd, QSocketNotifier::Write, this);
        connect(m_pWriteNotifier, &QSocketNotifier::activated, this, &CTcpStream::f_OnWritable);
    }
    if (m_pReadNotifier)
        m_pReadNotifier->setEnabled(read);
    if (m_pWriteNotifier)
        m_pWriteNotifier->setEnabled(write);
}

void CTcpStream::f_OnReadable()
{
    char buffer[16384];
    ssize_t got;
    do
        got = ::read(m_Fd, buffer, sizeof buffer);
    while (got < 0 && errno == EINTR);
    f_TakeRead(buffer, got < 0 ? -errno : int(got));
}

void CTcpStream::EpollRead(int fd, quint32 events, const char* data, int result)
{
    if (fd != m_Fd)
        return;
    if (m_State == QAbstractSocket::ConnectingState || !m_bRead) {
        EpollReady(fd, events);
        return;
    }
    f_TakeRead(data, result);
}

// One read's outcome: bytes, 0 at the peer's end, or a negative errno.
void CTcpStream::f_TakeRead(const char* data, int result)
{
    if (result > 0) {
        m_In.append(data, result);
        f_Tell(&CTcpStreamOwner::StreamReadyRead, &CTcpStream::readyRead);
        return;
    }
    if (result == -EAGAIN || result == -EWOULDBLOCK || result == -EINTR)
        return;
    f_FailAndClose(result == 0 ? QAbstractSocket::RemoteHostClosedError : TransferError(-result));
}

// The peer closed or the connection broke: the error, then the closing steps
// of an orderly disconnect.
void CTcpStream::f_FailAndClose(QAbstractSocket::SocketError error)
{
    m_Error = error;
    f_CloseDescriptor();
    QPointer<CTcpStream> alive(this);
    f_Tell(&CTcpStreamOwner::StreamError, &CTcpStream::errorOccurred, error);
    if (alive)
        f_DisconnectFromHost();
}

QByteArray CTcpStream::read(qint64 maxSize)
{
    if (maxSize <= 0 || m_In.isEmpty())
        return QByteArray();
    if (maxSize >= m_In.size()) {
        QByteArray all;
        all.swap(m_In);
        return all;
    }
    const QByteArray part = m_In.left(int(maxSize));
    m_In.remove(0, int(maxSize));
    return part;
}

QByteArray CTcpStream::readAll()
{
    if (m_State == QAbstractSocket::ConnectedState && m_Fd >= 0) {
        char buffer[16384];
        for (;;) {
            const ssize_t got = ::recv(m_Fd, buffer, sizeof buffer, MSG_DONTWAIT);
            if (got <= 0)
                break;
            m_In.append(buffer, int(got));
        }
    }
    return read(m_In.size());
}

void CTcpStream::abort()
{
    m_Out.clear();
    m_In.clear();
    f_CancelLookup();
    m_bPendingClose = false;
    if (m_State == QAbstractSocket::UnconnectedState)
        return;
    m_bAborting = true;
    QPointer<CTcpStream> alive(this);
    f_DisconnectFromHost();
    if (alive)
        m_bAborting = false;
}

void CTcpStream::close()
{
    m_In.clear();
    if (m_State != QAbstractSocket::UnconnectedState)
        f_DisconnectFromHost();
}

void CTcpStream::f_DisconnectFromHost()
{
    if (m_State == QAbstractSocket::UnconnectedState)
        return;
    if (!m_bAborting
        && (m_State == QAbstractSocket::ConnectingState || m_State == QAbstractSocket::HostLookupState)) {
        m_bPendingClose = true;
        return;
    }
    QPointer<CTcpStream> alive(this);
    if (!m_bAborting) {
        if (m_State != QAbstractSocket::ClosingState) {
            f_SetState(QAbstractSocket::ClosingState);
            if (!alive)
                return;
        }
        // What is queued goes first, as far as the kernel takes it now.
        f_SubmitQueuedSends();
        if (m_Fd >= 0 && !m_Out.isEmpty()) {
            const ssize_t written = ::send(m_Fd, m_Out.constData(), size_t(m_Out.size()), MSG_NOSIGNAL);
            Q_UNUSED(written)
        }
    }
    f_CancelLookup();
    m_Out.clear();
    m_Addresses.clear();
    const QAbstractSocket::SocketState previous = m_State;
    f_CloseDescriptor();
    f_SetState(QAbstractSocket::UnconnectedState);
    if (!alive)
        return;
    if (previous == QAbstractSocket::ConnectedState || previous == QAbstractSocket::ClosingState)
        f_Tell(&CTcpStreamOwner::StreamDisconnected, &CTcpStream::disconnected);
}

void CTcpStream::f_SetState(QAbstractSocket::SocketState state)
{
    m_State = state;
    f_Tell(&CTcpStreamOwner::StreamStateChanged, &CTcpStream::stateChanged, state);
}

void CTcpStream::f_CloseDescriptor()
{
    f_SubmitQueuedSends();
    m_nQueued = 0;
    if (m_pEpoll && m_Fd >= 0)
        m_pEpoll->WatchDescriptor(m_Fd, 0, nullptr);
    m_bRead = false;
    m_bWrite = false;
    // The notifiers go before their descriptor does; one may be the sender
    // of the call that got here, so it is deleted later.
    for (QSocketNotifier** notifier : {&m_pReadNotifier, &m_pWriteNotifier}) {
        if (*notifier) {
            (*notifier)->setEnabled(false);
            (*notifier)->disconnect(this);
            (*notifier)->deleteLater();
            *notifier = nullptr;
        }
    }
    if (m_Fd >= 0) {
        ::close(m_Fd);
        m_Fd = -1;
    }
    m_bWriteFailed = false;
}
