#include "CStartService.h"

#include <QDebug>
#include <QEventLoop>
#include <QLocalServer>
#include <QTimer>

#include "ExceptionTrace.h"
#include "LocalServerPath.h"

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
        QLocalServer::removeServer(m_ServerName);
        delete m_Server;
        m_Server = nullptr;
    }
    f_DropProbe();
}

bool CStartService::CheckStart()
{
    bool first = false;
    const bool finished = RunTraced(false, [&] {
        first = f_Probe();
        return true;
    });
    if (!finished) {
        f_DropProbe();
        return false;
    }
    return first;
}

bool CStartService::f_Probe()
{
    f_DropProbe();
    m_Socket = new QLocalSocket(this);
    connect(m_Socket, &QLocalSocket::connected, this, &CStartService::ConnectSuccess);
    connect(m_Socket, &QLocalSocket::errorOccurred, this, &CStartService::ConnectError);

    // The answer usually comes within connectToServer() itself; otherwise wait
    // for it without spinning, at most PROBE_TIMEOUT_MS.
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
        deadline.start(PROBE_TIMEOUT_MS);
        loop.exec();
    }

    if (m_State == 1) {
        // Stays connected until the service goes.
        return false;
    }
    f_DropProbe();
    return m_Server != nullptr;
}

void CStartService::f_DropProbe()
{
    if (m_Socket) {
        m_Socket->abort();
        delete m_Socket;
        m_Socket = nullptr;
    }
}

void CStartService::ConnectSuccess()
{
    m_State = 1;
    qDebug("[CStartService::ConnectSuccess] Lumivox5 already exist");
    // No later error of this connection changes the outcome.
    if (m_Socket)
        disconnect(m_Socket, &QLocalSocket::errorOccurred, this, &CStartService::ConnectError);
}

void CStartService::ConnectError(QLocalSocket::LocalSocketError socketError)
{
    m_State = 2;
    qDebug("[CStartService::ConnectError] Lumivox5 not exist");
    if (socketError == QLocalSocket::ConnectionRefusedError || socketError == QLocalSocket::ServerNotFoundError)
        m_State = -1;
    if (m_State != -1 || m_Server)
        return;

    m_Server = new QLocalServer(this);
    // Only this user may connect, wherever the socket lies.
    m_Server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_Server, &QLocalServer::newConnection, this, &CStartService::f_TakeConnections);
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (m_Server->listen(m_ServerName))
            return;
        qDebug("!!! Listen error[%s] !!!", qUtf8Printable(m_Server->errorString()));
        m_Server->close();
        // A socket file left behind by a run that ended without closing it.
        QLocalServer::removeServer(m_ServerName);
    }
    delete m_Server;
    m_Server = nullptr;
}

void CStartService::f_TakeConnections()
{
    // Each connection is only a knock: take it and close it, or the server
    // stops accepting once its queue of pending connections is full.
    while (QLocalSocket* connection = m_Server ? m_Server->nextPendingConnection() : nullptr) {
        connection->abort();
        connection->deleteLater();
        emit MultipleStarted();
    }
}
