#include "CStartService.h"

#include <QDebug>
#include <QLocalServer>

#include "CSingleInstanceServer.h"
#include "LocalServerPath.h"
#include "LogCategories.h"

CStartService::CStartService(QObject* parent)
    : QObject(parent)
    , m_Instance(new CSingleInstanceServer(LocalServerPath(QStringLiteral("Lumivox 5")), lcMainWindow(), this))
{
    connect(m_Instance, &CSingleInstanceServer::ProbeConnected, this, &CStartService::ConnectSuccess);
    connect(m_Instance, &CSingleInstanceServer::ProbeFailed, this, &CStartService::ConnectError);
    connect(m_Instance, &CSingleInstanceServer::NewConnection, this, &CStartService::f_TakeConnections);
}

CStartService::~CStartService()
{
    // Its server goes before the knocks it would hand to this object.
    delete m_Instance;
}

QString CStartService::ServerName() const
{
    return m_Instance->ServerName();
}

QString CStartService::LockName() const
{
    return m_Instance->LockName();
}

bool CStartService::CheckStart()
{
    m_ListenFailed = false;
    m_ListenError.clear();
    const CSingleInstanceServer::Outcome outcome = m_Instance->Claim(PROBE_TIMEOUT_MS);
    if (outcome == CSingleInstanceServer::ListenFailed) {
        m_ListenFailed = true;
        m_ListenError = m_Instance->ListenError();
    }
    return outcome == CSingleInstanceServer::Listening;
}

void CStartService::ConnectSuccess()
{
    qCDebug(lcMainWindow, "[CStartService::ConnectSuccess] Lumivox5 already exist");
}

void CStartService::ConnectError(QLocalSocket::LocalSocketError socketError)
{
    Q_UNUSED(socketError)
    qCDebug(lcMainWindow, "[CStartService::ConnectError] Lumivox5 not exist");
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
    QLocalServer* server = m_Instance->Server();
    while (QLocalSocket* connection = server ? server->nextPendingConnection() : nullptr) {
        connection->abort();
        connection->deleteLater();
        if (m_HandingOver)
            emit MultipleStarted();
        else
            ++m_WaitingStarts;
    }
}
