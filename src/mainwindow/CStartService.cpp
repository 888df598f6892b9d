#include "CStartService.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLocalServer>
#include <QThread>
#include <QTimer>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "ExceptionTrace.h"
#include "LocalServerPath.h"
#include "LogCategories.h"

namespace {

// How often a start that waits for another start's server looks again.
const int RETRY_MS = 20;

} // namespace

CStartService::CStartService(QObject* parent)
    : QObject(parent)
    , m_ServerName(LocalServerPath(QStringLiteral("Lumivox 5")))
    , m_State(0)
    , m_Server(nullptr)
    , m_Socket(nullptr)
{
}

CStartService::~CStartService()
{
    if (m_Server) {
        m_Server->close();
        // Still under the lock: no start can be listening under the name now.
        QLocalServer::removeServer(m_ServerName);
        delete m_Server;
        m_Server = nullptr;
    }
    f_DropProbe();
    f_Unlock();
    if (m_LockFd >= 0)
        ::close(m_LockFd);
}

bool CStartService::CheckStart()
{
    bool first = false;
    const bool finished = RunTraced(false, [&] {
        first = f_Check();
        return true;
    });
    if (!finished) {
        f_DropProbe();
        f_Unlock();
        return false;
    }
    return first;
}

bool CStartService::f_Check()
{
    m_ListenFailed = false;
    m_ListenError.clear();
    if (m_LockFd < 0)
        m_LockFd = ::open(QFile::encodeName(LockName()).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        // Without a lock file (a folder that cannot hold one) the check goes
        // on as if it held the lock: nothing better can be had there.
        const bool locked = f_TryLock() || m_LockFd < 0;
        f_Probe(qMax(1, PROBE_TIMEOUT_MS - int(clock.elapsed())));
        if (m_State == 1) {
            // Stays connected until the service goes.
            f_Unlock();
            return false;
        }
        f_DropProbe();
        if (m_State == -1 && locked)
            return f_Listen();
        if (m_State == -1 && clock.elapsed() < PROBE_TIMEOUT_MS) {
            // Another start holds the lock and does not listen yet: it is
            // becoming the first instance, or it ends and frees the lock.
            QThread::msleep(RETRY_MS);
            continue;
        }
        f_Unlock();
        return false;
    }
}

bool CStartService::f_TryLock()
{
    if (!m_Locked && m_LockFd >= 0)
        m_Locked = ::flock(m_LockFd, LOCK_EX | LOCK_NB) == 0;
    return m_Locked;
}

void CStartService::f_Unlock()
{
    if (m_Locked && m_LockFd >= 0)
        ::flock(m_LockFd, LOCK_UN);
    m_Locked = false;
}

void CStartService::f_Probe(int timeoutMs)
{
    f_DropProbe();
    m_State = 0;
    m_Socket = new QLocalSocket(this);
    connect(m_Socket, &QLocalSocket::connected, this, &CStartService::ConnectSuccess);
    connect(m_Socket, &QLocalSocket::errorOccurred, this, &CStartService::ConnectError);

    // The answer usually comes within connectToServer() itself; otherwise wait
    // for it without spinning.
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    // A coarse timer may end up to 5 % early.
    deadline.setTimerType(Qt::PreciseTimer);
    connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(m_Socket, &QLocalSocket::connected, &loop, &QEventLoop::quit);
    connect(m_Socket, &QLocalSocket::errorOccurred, &loop, &QEventLoop::quit);
    m_Socket->abort();
    m_Socket->connectToServer(m_ServerName, QIODevice::ReadWrite);
    if (m_State == 0) {
        deadline.start(timeoutMs);
        loop.exec();
    }
}

void CStartService::f_DropProbe()
{
    if (m_Socket) {
        m_Socket->abort();
        delete m_Socket;
        m_Socket = nullptr;
    }
}

bool CStartService::f_Listen()
{
    m_Server = new QLocalServer(this);
    // Only this user may connect, wherever the socket lies.
    m_Server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_Server, &QLocalServer::newConnection, this, &CStartService::f_TakeConnections);
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (m_Server->listen(m_ServerName))
            return true;
        m_ListenError = m_Server->errorString();
        qCDebug(lcMainWindow, "!!! Listen error[%s] !!!", qUtf8Printable(m_ListenError));
        m_Server->close();
        // A socket file left behind by a run that ended without closing it.
        QLocalServer::removeServer(m_ServerName);
    }
    delete m_Server;
    m_Server = nullptr;
    m_ListenFailed = true;
    f_Unlock();
    return false;
}

void CStartService::ConnectSuccess()
{
    m_State = 1;
    qCDebug(lcMainWindow, "[CStartService::ConnectSuccess] Lumivox5 already exist");
    // No later error of this connection changes the outcome.
    if (m_Socket)
        disconnect(m_Socket, &QLocalSocket::errorOccurred, this, &CStartService::ConnectError);
}

void CStartService::ConnectError(QLocalSocket::LocalSocketError socketError)
{
    m_State = 2;
    qCDebug(lcMainWindow, "[CStartService::ConnectError] Lumivox5 not exist");
    if (socketError == QLocalSocket::ConnectionRefusedError || socketError == QLocalSocket::ServerNotFoundError)
        m_State = -1;
}

void CStartService::StartHandingOver()
{
    m_HandingOver = true;
    for (; m_WaitingStarts > 0; --m_WaitingStarts)
        emit MultipleStarted();
}

void CStartService::f_TakeConnections()
{
    // Each connection is only a knock: take it and close it, or the server
    // stops accepting once its queue of pending connections is full.
    while (QLocalSocket* connection = m_Server ? m_Server->nextPendingConnection() : nullptr) {
        connection->abort();
        connection->deleteLater();
        if (m_HandingOver)
            emit MultipleStarted();
        else
            ++m_WaitingStarts;
    }
}
