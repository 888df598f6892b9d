#include "CStartService.h"

#include <QDataStream>
#include <QLocalServer>
#include <QTimer>

#include "CSingleInstanceServer.h"
#include "ExceptionTrace.h"
#include "LocalServerPath.h"
#include "LogCategories.h"

CStartService::CStartService(QObject* parent)
    : QObject(parent)
    , m_Instance(new CSingleInstanceServer(ServerName(), lcHelpViewer(), this))
    , m_DeadlineMs(DEADLINE_MS)
{
    connect(m_Instance, &CSingleInstanceServer::ProbeConnected, this, &CStartService::ConnectSuccess);
    connect(m_Instance, &CSingleInstanceServer::NewConnection, this, &CStartService::NewClientConnected);
}

CStartService::~CStartService()
{
    // Its server goes before the pages it would hand to this object.
    delete m_Instance;
}

QString CStartService::ServerName()
{
    return LocalServerPath(QStringLiteral("Lumivox 5 Help Viewer"));
}

bool CStartService::IsListening() const
{
    return m_Instance->Server() && m_Instance->Server()->isListening();
}

bool CStartService::CheckStart(const QStringList& commandLine)
{
    return RunTraced(false, [&] {
        m_Arguments.clear();
        for (int i = 1; i < commandLine.size(); ++i)
            m_Arguments << commandLine.at(i).toUpper();
        return m_Instance->Claim(m_DeadlineMs) == CSingleInstanceServer::Listening;
    });
}

void CStartService::ConnectSuccess()
{
    RunTraced([&] {
        QLocalSocket* socket = m_Instance->Socket();
        if (!socket)
            return;
        QByteArray message;
        QDataStream out(&message, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_4_6);
        // An empty list sends an empty text (a length of 0), never a null one.
        out << m_Arguments.join(QLatin1Char(','));
        socket->write(message);
        socket->flush();
        if (socket->state() != QLocalSocket::UnconnectedState)
            socket->waitForDisconnected(HANDOFF_MS);
    });
}

void CStartService::ConnectError(QLocalSocket::LocalSocketError socketError)
{
    // Nothing to hand over: the claim itself listens or gives up.
    Q_UNUSED(socketError)
}

void CStartService::NewClientConnected()
{
    RunTraced([&] {
        QLocalServer* server = m_Instance->Server();
        while (QLocalSocket* connection = server ? server->nextPendingConnection() : nullptr)
            f_Receive(connection);
    });
}

void CStartService::f_Receive(QLocalSocket* connection)
{
    // Read as its bytes come, never in a loop of its own: a start may close
    // its connection at any point, and the connection then goes from the
    // event loop. Everything below is tied to the connection, so nothing
    // outlives it.
    connect(connection, &QLocalSocket::disconnected, connection, &QObject::deleteLater);
    auto* deadline = new QTimer(connection);
    deadline->setSingleShot(true);
    connect(deadline, &QTimer::timeout, connection, [connection] { f_Drop(connection); });
    connect(connection, &QLocalSocket::readyRead, deadline, [this, connection, deadline] {
        RunTraced([&] { f_Read(connection, deadline); });
    });
    deadline->start(m_DeadlineMs);
    f_Read(connection, deadline);
}

void CStartService::f_Read(QLocalSocket* connection, QTimer* deadline)
{
    // The whole message or nothing: a text that came in pieces is read once
    // its last piece is there.
    QDataStream in(connection);
    in.setVersion(QDataStream::Qt_4_6);
    in.startTransaction();
    QString text;
    in >> text;
    if (!in.commitTransaction())
        return;
    // One message per connection: nothing after it is read.
    delete deadline;
    f_Drop(connection);
    emit MultipleStarted(text.split(QLatin1Char(','), Qt::KeepEmptyParts));
}

void CStartService::f_Drop(QLocalSocket* connection)
{
    connection->disconnectFromServer();
    if (connection->state() == QLocalSocket::UnconnectedState)
        connection->deleteLater();
}
