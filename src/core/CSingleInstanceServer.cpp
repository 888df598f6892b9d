#include "CSingleInstanceServer.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLocalServer>
#include <QLoggingCategory>
#include <QThread>
#include <QTimer>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "ExceptionTrace.h"

namespace {

// How often a start that waits for another start's server looks again.
const int SINGLE_INSTANCE_RETRY_MS = 20;

} // namespace

CSingleInstanceServer::CSingleInstanceServer(const QString& serverName, const QLoggingCategory& category,
                                             QObject* parent)
    : QObject(parent)
    , m_ServerName(serverName)
    , m_Category(category)
{
}

CSingleInstanceServer::~CSingleInstanceServer()
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

CSingleInstanceServer::Outcome CSingleInstanceServer::Claim(int deadlineMs)
{
    m_ListenError.clear();
    Outcome outcome = NoAnswer;
    const bool finished = RunTraced(false, [&] {
        outcome = f_Claim(deadlineMs);
        return true;
    });
    if (!finished) {
        // Stopped at an exception: neither connected nor, unless the name is
        // already this server's, holding the lock.
        f_DropProbe();
        if (!m_Server)
            f_Unlock();
        return NoAnswer;
    }
    return outcome;
}

CSingleInstanceServer::Outcome CSingleInstanceServer::f_Claim(int deadlineMs)
{
    if (m_LockFd < 0)
        m_LockFd = ::open(QFile::encodeName(LockName()).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        // Without a lock file (a folder that cannot hold one) the claim goes
        // on as if it held the lock: nothing better can be had there.
        const bool locked = f_TryLock() || m_LockFd < 0;
        f_Probe(qMax(1, deadlineMs - int(clock.elapsed())));
        if (m_State == 1) {
            // Stays connected until this object goes.
            f_Unlock();
            return Connected;
        }
        f_DropProbe();
        if (m_State == -1 && locked)
            return f_Listen() ? Listening : ListenFailed;
        if (m_State == -1 && clock.elapsed() < deadlineMs) {
            // Another start holds the lock and does not listen yet: it is
            // becoming the server, or it ends and frees the lock.
            QThread::msleep(SINGLE_INSTANCE_RETRY_MS);
            continue;
        }
        f_Unlock();
        return NoAnswer;
    }
}

bool CSingleInstanceServer::f_TryLock()
{
    if (!m_Locked && m_LockFd >= 0)
        m_Locked = ::flock(m_LockFd, LOCK_EX | LOCK_NB) == 0;
    return m_Locked;
}

void CSingleInstanceServer::f_Unlock()
{
    if (m_Locked && m_LockFd >= 0)
        ::flock(m_LockFd, LOCK_UN);
    m_Locked = false;
}

void CSingleInstanceServer::f_Probe(int timeoutMs)
{
    f_DropProbe();
    m_State = 0;
    m_Socket = new QLocalSocket(this);
    QLocalSocket* socket = m_Socket;
    connect(socket, &QLocalSocket::connected, this, [this, socket] {
        m_State = 1;
        // No later error of this connection changes the outcome.
        disconnect(socket, &QLocalSocket::errorOccurred, this, nullptr);
        emit ProbeConnected();
    });
    connect(socket, &QLocalSocket::errorOccurred, this, [this](QLocalSocket::LocalSocketError socketError) {
        const bool nobody =
            socketError == QLocalSocket::ConnectionRefusedError || socketError == QLocalSocket::ServerNotFoundError;
        m_State = nobody ? -1 : 2;
        emit ProbeFailed(socketError);
    });

    // The answer usually comes within connectToServer() itself; otherwise wait
    // for it without spinning.
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    // A coarse timer may end up to 5 % early.
    deadline.setTimerType(Qt::PreciseTimer);
    connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(socket, &QLocalSocket::connected, &loop, &QEventLoop::quit);
    connect(socket, &QLocalSocket::errorOccurred, &loop, &QEventLoop::quit);
    socket->connectToServer(m_ServerName, QIODevice::ReadWrite);
    if (m_State == 0) {
        deadline.start(timeoutMs);
        loop.exec();
    }
}

void CSingleInstanceServer::f_DropProbe()
{
    if (m_Socket) {
        m_Socket->abort();
        delete m_Socket;
        m_Socket = nullptr;
    }
}

bool CSingleInstanceServer::f_Listen()
{
    m_Server = new QLocalServer(this);
    // Only this user may connect, wherever the socket lies.
    m_Server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_Server, &QLocalServer::newConnection, this, &CSingleInstanceServer::NewConnection);
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (m_Server->listen(m_ServerName))
            return true;
        m_ListenError = m_Server->errorString();
        qCDebug(m_Category, "!!! Listen error[%s] !!!", qUtf8Printable(m_ListenError));
        m_Server->close();
        // A socket file left behind by a run that ended without closing it.
        QLocalServer::removeServer(m_ServerName);
    }
    delete m_Server;
    m_Server = nullptr;
    f_Unlock();
    return false;
}
