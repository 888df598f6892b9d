#include "CMailClientBase.h"

#include <QAuthenticator>
#include <QLoggingCategory>
#include <QNetworkProxy>
#include <QTcpSocket>
#include <QTimer>

#include "ExceptionTrace.h"

CMailClientBase::CMailClientBase(TraceCategory category, const char* tag,
                                 CMailSettings::SMTP_RESULT::Enum timeOutCode,
                                 CMailSettings::SMTP_RESULT::Enum readFailedCode)
    : QObject(nullptr),
      m_Category(category),
      m_Tag(QString::fromLatin1(tag)),
      m_TimeOutCode(timeOutCode),
      m_ReadFailedCode(readFailedCode)
{
    qRegisterMetaType<CMailSettings::SMTP_RESULT::Enum>("CMailSettings::SMTP_RESULT::Enum");
    m_Timer = new QTimer(this);
    m_Timer->setSingleShot(true);
    m_Timer->setInterval(DefaultTimeOutMs);
    connect(m_Timer, &QTimer::timeout, this, &CMailClientBase::f_OnTimerTimeOut, Qt::QueuedConnection);
}

CMailClientBase::~CMailClientBase()
{
    m_Timer->stop();
    f_DeleteSocket();
}

void CMailClientBase::SetTimeOut(int milliseconds)
{
    m_Timer->setInterval(milliseconds);
}

int CMailClientBase::GetTimeOut() const
{
    return m_Timer->interval();
}

CMailSettings::SMTP_RESULT::Enum CMailClientBase::f_EndCode(CMailSettings::SMTP_RESULT::Enum code) const
{
    return code;
}

void CMailClientBase::f_StartRun(QTcpSocket* socket)
{
    f_DeleteSocket();
    m_Socket = socket;
    f_SignalsConnect();
    m_Ended = false;
}

bool CMailClientBase::f_WriteCommand(const Command& command)
{
    if (m_Ended || !m_Socket || command.bytes.isEmpty())
        return false;
    qCDebug(m_Category).noquote() << m_Tag << "SND <<" << QLatin1Char('"') + command.trace + QLatin1Char('"');
    m_Socket->write(command.bytes);
    // May end the run (and, through a receiver of the outcome, replace the
    // socket): nothing here touches the socket afterwards.
    m_Socket->flush();
    return true;
}

void CMailClientBase::f_SignalsConnect()
{
    if (!m_Socket)
        return;
    QTcpSocket* s = m_Socket;
    connect(s, &QAbstractSocket::connected, this, &CMailClientBase::f_OnConnected);
    connect(s, &QAbstractSocket::disconnected, this, &CMailClientBase::f_OnDisconnected);
    connect(s, &QAbstractSocket::errorOccurred, this, &CMailClientBase::f_OnErrorReceived);
    connect(s, &QAbstractSocket::hostFound, this, &CMailClientBase::f_OnHostFound);
    connect(s, &QAbstractSocket::proxyAuthenticationRequired, this,
            &CMailClientBase::f_OnProxyAuthenticationRequired);
    connect(s, &QAbstractSocket::stateChanged, this, &CMailClientBase::f_OnStateChanged);
    connect(s, &QIODevice::aboutToClose, this, &CMailClientBase::f_OnAboutToClose);
    connect(s, &QIODevice::bytesWritten, this, &CMailClientBase::f_OnBytesWritten);
    connect(s, &QIODevice::readChannelFinished, this, &CMailClientBase::f_OnReadChannelFinished);
    connect(s, &QIODevice::readyRead, this, &CMailClientBase::f_OnReadyRead);
    connect(s, &QObject::destroyed, this, &CMailClientBase::f_OnDestroyed);
}

void CMailClientBase::f_SignalsDisconnect()
{
    if (m_Socket)
        m_Socket->disconnect(this);
}

void CMailClientBase::f_DeleteSocket()
{
    if (!m_Socket)
        return;
    f_SignalsDisconnect();
    // Always deleted later: the outcome is reported from inside the socket's
    // own signals, and a receiver that starts the next run there would
    // otherwise delete a socket that is still emitting. The connection
    // itself ends now.
    m_Socket->abort();
    m_Socket->deleteLater();
    m_Socket = nullptr;
}

void CMailClientBase::f_processEnd(CMailSettings::SMTP_RESULT::Enum code)
{
    m_Ended = true;
    m_Timer->stop();
    if (m_Result != CMailSettings::SMTP_RESULT::Executing)
        return;
    code = f_EndCode(code);
    if (m_Socket)
        m_Socket->close();
    m_Result = code;
    qCDebug(m_Category).noquote() << m_Tag << "end" << int(code);
    emit EndSignal(code);
}

void CMailClientBase::f_OnReadyRead()
{
    qCDebug(m_Category).noquote() << m_Tag << "f_OnReadyRead()";
    if (!m_Socket)
        return;
    const bool handled = RunTraced(false, [&] {
        f_HandleReceived(m_Socket->readAll());
        return true;
    });
    if (!handled)
        f_processEnd(m_ReadFailedCode);
}

void CMailClientBase::f_OnConnected()
{
    qCDebug(m_Category).noquote() << m_Tag << "f_OnConnected()";
    f_HandleConnected();
}

void CMailClientBase::f_OnErrorReceived(QAbstractSocket::SocketError socketError)
{
    qCDebug(m_Category).noquote() << m_Tag << "f_OnErrorReceived()" << socketError
                                  << (m_Socket ? m_Socket->errorString() : QString());
    f_processEnd(f_GetError());
}

void CMailClientBase::f_OnTimerTimeOut()
{
    // The time-out reaches us through the event loop: one of an earlier run
    // may arrive while the timer already runs for the next, and is not its.
    if (m_Timer->isActive())
        return;
    qCDebug(m_Category).noquote() << m_Tag << "f_OnTimerTimeOut";
    f_processEnd(m_TimeOutCode);
}

void CMailClientBase::f_OnStateChanged(QAbstractSocket::SocketState socketState)
{
    qCDebug(m_Category).noquote() << m_Tag << "f_OnStateChanged()" << socketState;
}

void CMailClientBase::f_OnDisconnected()
{
    qCDebug(m_Category).noquote() << m_Tag << "f_OnDisconnected()";
}

void CMailClientBase::f_OnHostFound()
{
    qCDebug(m_Category).noquote() << m_Tag << "f_OnHostFound()";
}

void CMailClientBase::f_OnProxyAuthenticationRequired(const QNetworkProxy&, QAuthenticator*)
{
    qCDebug(m_Category).noquote() << m_Tag << "f_OnProxyAuthenticationRequired()";
}

void CMailClientBase::f_OnAboutToClose()
{
    qCDebug(m_Category).noquote() << m_Tag << "f_OnAboutToClose()";
}

void CMailClientBase::f_OnBytesWritten(qint64)
{
    qCDebug(m_Category).noquote() << m_Tag << "f_OnBytesWritten()";
}

void CMailClientBase::f_OnReadChannelFinished()
{
    qCDebug(m_Category).noquote() << m_Tag << "f_OnReadChannelFinished()";
}

void CMailClientBase::f_OnDestroyed(QObject*)
{
    qCDebug(m_Category).noquote() << m_Tag << "f_OnDestroyed()";
}
