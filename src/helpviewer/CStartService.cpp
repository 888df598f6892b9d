#include "CStartService.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QLocalServer>
#include <QTimer>

#include "ExceptionTrace.h"
#include "LocalServerPath.h"
#include "LogCategories.h"

CStartService::CStartService(QObject* parent)
    : QObject(parent)
    , m_State(0)
    , m_Server(nullptr)
    , m_Socket(nullptr)
    , m_DeadlineMs(DEADLINE_MS)
{
}

CStartService::~CStartService()
{
    if (m_Server) {
        m_Server->close();
        QLocalServer::removeServer(ServerName());
        delete m_Server;
        m_Server = nullptr;
    }
    if (m_Socket) {
        m_Socket->abort();
        delete m_Socket;
        m_Socket = nullptr;
    }
}

QString CStartService::ServerName()
{
    return LocalServerPath(QStringLiteral("Lumivox 5 Help Viewer"));
}

bool CStartService::IsListening() const
{
    return m_Server && m_Server->isListening();
}

bool CStartService::CheckStart(const QStringList& commandLine)
{
    return RunTraced(false, [&] {
        m_Arguments.clear();
        for (int i = 1; i < commandLine.size(); ++i)
            m_Arguments << commandLine.at(i).toUpper();

        m_State = 0;
        m_Socket = new QLocalSocket(this);
        connect(m_Socket, &QLocalSocket::connected, this, &CStartService::ConnectSuccess);
        connect(m_Socket, &QLocalSocket::errorOccurred, this, &CStartService::ConnectError);

        // The answer usually comes within connectToServer() itself; otherwise
        // wait for it without spinning.
        QEventLoop loop;
        QTimer deadline;
        deadline.setSingleShot(true);
        deadline.setTimerType(Qt::PreciseTimer);
        connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
        connect(m_Socket, &QLocalSocket::connected, &loop, &QEventLoop::quit);
        connect(m_Socket, &QLocalSocket::errorOccurred, &loop, &QEventLoop::quit);
        m_Socket->abort();
        m_Socket->connectToServer(ServerName(), QIODevice::ReadWrite);
        if (m_State == 0) {
            deadline.start(m_DeadlineMs);
            loop.exec();
        }

        if (m_State == 1)
            return false;
        m_Socket->abort();
        delete m_Socket;
        m_Socket = nullptr;
        return m_Server != nullptr;
    });
}

void CStartService::ConnectSuccess()
{
    RunTraced([&] {
        disconnect(m_Socket, &QLocalSocket::errorOccurred, this, &CStartService::ConnectError);
        QByteArray message;
        QDataStream out(&message, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_4_6);
        // An empty list sends an empty text (a length of 0), never a null one.
        out << m_Arguments.join(QLatin1Char(','));
        m_Socket->write(message);
        m_Socket->flush();
        if (m_Socket->state() != QLocalSocket::UnconnectedState)
            m_Socket->waitForDisconnected(HANDOFF_MS);
        m_State = 1;
    });
}

void CStartService::ConnectError(QLocalSocket::LocalSocketError socketError)
{
    RunTraced([&] {
        if (socketError != QLocalSocket::ConnectionRefusedError && socketError != QLocalSocket::ServerNotFoundError) {
            m_State = 2;
            return;
        }
        m_State = -1;
        f_Listen();
    });
}

void CStartService::f_Listen()
{
    m_Server = new QLocalServer(this);
    // Only this user may hand pages over, wherever the socket lies.
    m_Server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_Server, &QLocalServer::newConnection, this, &CStartService::NewClientConnected);
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (m_Server->listen(ServerName()))
            return;
        qCDebug(lcHelpViewer, "!!! Listen error[%s] !!!", qUtf8Printable(m_Server->errorString()));
        m_Server->close();
        // A socket file left behind by a viewer that did not end normally.
        QLocalServer::removeServer(ServerName());
    }
    delete m_Server;
    m_Server = nullptr;
}

void CStartService::NewClientConnected()
{
    RunTraced([&] {
        if (!m_Server)
            return;
        QLocalSocket* connection = m_Server->nextPendingConnection();
        if (!connection)
            return;
        connect(connection, &QLocalSocket::disconnected, connection, &QObject::deleteLater);
        f_Receive(connection);
    });
}

void CStartService::f_Receive(QLocalSocket* connection)
{
    QDataStream in(connection);
    in.setVersion(QDataStream::Qt_4_6);
    const QDeadlineTimer deadline(m_DeadlineMs);
    for (;;) {
        // The whole message or nothing: a text that came in pieces is read
        // once its last piece is there.
        if (connection->bytesAvailable() >= 4) {
            in.startTransaction();
            QString text;
            in >> text;
            if (in.commitTransaction()) {
                connection->disconnectFromServer();
                emit MultipleStarted(text.split(QLatin1Char(','), Qt::KeepEmptyParts));
                return;
            }
        }
        if (deadline.hasExpired() || connection->state() == QLocalSocket::UnconnectedState) {
            connection->disconnectFromServer();
            if (connection->state() == QLocalSocket::UnconnectedState)
                connection->deleteLater();
            return;
        }
        connection->waitForReadyRead(100);
        QCoreApplication::processEvents();
    }
}
