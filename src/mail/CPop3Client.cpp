#include "CPop3Client.h"

#include <QAuthenticator>
#include <QDebug>
#include <QLoggingCategory>
#include <QNetworkProxy>
#include <QTcpSocket>
#include <QTimer>

#include "ExceptionTrace.h"

Q_LOGGING_CATEGORY(lcPop3, "lumivox.mail.pop3")

namespace {

const char* const SEND_START = "[POP3] f_Send start ----------------------------------";
const char* const SEND_END = "[POP3] f_Send end   ----------------------------------";

} // namespace

CPop3Client::CPop3Client()
    : QObject(nullptr),
      m_pSocket(nullptr),
      m_State(STATES::Idle),
      m_Result(CMailSettings::SMTP_RESULT::Executing),
      m_pTimer(new QTimer(this)),
      m_bSkipToLineEnd(false)
{
    qRegisterMetaType<CMailSettings::SMTP_RESULT::Enum>("CMailSettings::SMTP_RESULT::Enum");
    m_pTimer->setSingleShot(true);
    m_pTimer->setInterval(DefaultLoginTimeOutMs);
    connect(m_pTimer, &QTimer::timeout, this, &CPop3Client::f_OnTimerTimeOut, Qt::QueuedConnection);
    Init();
}

CPop3Client::~CPop3Client()
{
    m_pTimer->stop();
    m_StateQueue.clear();
    f_DeleteSocket();
}

void CPop3Client::Init()
{
    m_Result = CMailSettings::SMTP_RESULT::Executing;
    m_State = STATES::Idle;
    m_Server = QString();
    m_User = QString();
    m_Password = QString();
    m_StateQueue.clear();
    f_DeleteSocket();
}

void CPop3Client::SetLoginTimeOut(int milliseconds)
{
    m_pTimer->setInterval(milliseconds);
}

int CPop3Client::GetLoginTimeOut() const
{
    return m_pTimer->interval();
}

void CPop3Client::StartAuth(QString server, QString user, QString password)
{
    const bool started = RunTraced(false, [&] {
        m_Server = server;
        m_User = user;
        m_Password = password;
        f_StartAuth();
        return true;
    });
    if (!started)
        f_processEnd(CMailSettings::SMTP_RESULT::Failed);
}

void CPop3Client::f_StartAuth()
{
    m_State = STATES::Idle;
    m_StateQueue.clear();
    f_DeleteSocket();

    m_pSocket = new QTcpSocket(this);
    f_SignalsConnect();

    m_StateQueue << STATES::User << STATES::Pass << STATES::Quit;

    qCDebug(lcPop3, "### [POP3] Connect Start   ###");
    m_State = STATES::Greeting;
    m_pTimer->start();
    m_pSocket->connectToHost(m_Server, Pop3Port, QIODevice::ReadWrite);
}

QByteArray CPop3Client::CommandFor(STATES::Enum state, const QString& user, const QString& password)
{
    switch (state) {
    case STATES::User:
        return "USER " + user.toUtf8() + "\r\n";
    case STATES::Pass:
        return "PASS " + password.toUtf8() + "\r\n";
    case STATES::Quit:
        return "QUIT\r\n";
    default:
        return QByteArray();
    }
}

QByteArray CPop3Client::TracedCommand(STATES::Enum state, const QByteArray& command)
{
    // The password never reaches the debug output.
    if (state == STATES::Pass)
        return "PASS ****\r\n";
    return command;
}

bool CPop3Client::IsGoodReply(const QString& line)
{
    return line.left(3).compare(QLatin1String("+OK"), Qt::CaseInsensitive) == 0;
}

bool CPop3Client::f_Send(STATES::Enum state)
{
    qCDebug(lcPop3, "%s", SEND_START);
    const QByteArray command = CommandFor(state, m_User, m_Password);
    bool written = false;
    if (!command.isEmpty() && m_pSocket) {
        m_pSocket->write(command);
        m_pSocket->flush();
        qCDebug(lcPop3).nospace() << "[POP3] SND << " << QString::fromUtf8(TracedCommand(state, command));
        written = true;
    }
    m_State = state;
    qCDebug(lcPop3, "%s", SEND_END);
    return written;
}

CMailSettings::SMTP_RESULT::Enum CPop3Client::GetSocketError(QAbstractSocket::SocketError error)
{
    using R = CMailSettings::SMTP_RESULT;
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return R::Pop3NG;
    case QAbstractSocket::HostNotFoundError:
    case QAbstractSocket::ProxyNotFoundError:
    case QAbstractSocket::ProxyProtocolError:
        return R::Pop3NotFound;
    case QAbstractSocket::SocketAccessError:
    case QAbstractSocket::ProxyAuthenticationRequiredError:
    case QAbstractSocket::ProxyConnectionRefusedError:
    case QAbstractSocket::ProxyConnectionClosedError:
        return R::Pop3NotLogin;
    case QAbstractSocket::SocketTimeoutError:
    case QAbstractSocket::ProxyConnectionTimeoutError:
        return R::Pop3NotResponse;
    case QAbstractSocket::DatagramTooLargeError:
        return R::Pop3NotWrite;
    default:
        return R::Pop3NotConnect;
    }
}

CMailSettings::SMTP_RESULT::Enum CPop3Client::f_GetError() const
{
    using R = CMailSettings::SMTP_RESULT;
    switch (m_State) {
    case STATES::Idle:
    case STATES::Greeting:
        return m_pSocket ? GetSocketError(m_pSocket->error()) : R::Pop3NotConnect;
    case STATES::User:
        return R::Pop3NotUserName;
    case STATES::Pass:
        return R::Pop3NotPassword;
    case STATES::Quit:
        return R::Pop3NotQuit;
    }
    return R::Pop3NotLogin;
}

void CPop3Client::f_processEnd(CMailSettings::SMTP_RESULT::Enum code)
{
    m_pTimer->stop();
    if (m_Result != CMailSettings::SMTP_RESULT::Executing)
        return;
    if (m_pSocket)
        m_pSocket->close();
    m_Result = code;
    emit EndSignal(code);
}

void CPop3Client::f_OnReadyRead()
{
    qCDebug(lcPop3, "[POP3] f_OnReadyRead()");
    if (!m_pSocket)
        return;
    const bool handled = RunTraced(false, [&] {
        m_Received.Append(m_pSocket->readAll());
        QString line;
        while (m_Received.TakeLine(&line)) {
            if (m_bSkipToLineEnd) {
                m_bSkipToLineEnd = false;
                qCDebug(lcPop3) << "[POP3] dropped" << line;
                continue;
            }
            qCDebug(lcPop3).nospace() << "[POP3] RCV >> " << line;
            // What came with the reply was sent before the server saw the next
            // command, so it answers nothing of ours.
            QString stale;
            while (m_Received.TakeLine(&stale))
                qCDebug(lcPop3) << "[POP3] dropped" << stale;
            m_bSkipToLineEnd = m_Received.Buffered() > 0;
            m_Received.Clear();
            f_HandleReply(line);
            return true;
        }
        if (m_Received.Buffered() > CMailLineBuffer::MaxBufferedBytes) {
            qCDebug(lcPop3, "[POP3] reply too long");
            m_Received.Clear();
            f_processEnd(f_GetError());
        }
        return true;
    });
    if (!handled)
        f_processEnd(CMailSettings::SMTP_RESULT::Pop3NotRead);
}

void CPop3Client::f_HandleReply(const QString& line)
{
    if (!IsGoodReply(line)) {
        f_processEnd(f_GetError());
        return;
    }
    if (m_StateQueue.isEmpty()) {
        f_processEnd(CMailSettings::SMTP_RESULT::Pop3OK);
        return;
    }
    while (!m_StateQueue.isEmpty()) {
        if (f_Send(m_StateQueue.takeFirst()))
            break;
    }
}

void CPop3Client::f_OnTimerTimeOut()
{
    // The time-out reaches us through the event loop: one of an earlier run
    // arrives while the timer runs for the next and is no longer ours.
    if (m_pTimer->isActive())
        return;
    qCDebug(lcPop3, "[POP3] f_OnTimerTimeOut");
    f_processEnd(CMailSettings::SMTP_RESULT::Pop3NotResponse);
}

void CPop3Client::f_OnErrorReceived(QAbstractSocket::SocketError socketError)
{
    qCDebug(lcPop3) << "[POP3] f_OnErrorReceived() " << socketError;
    f_processEnd(f_GetError());
}

void CPop3Client::f_OnStateChanged(QAbstractSocket::SocketState socketState)
{
    qCDebug(lcPop3) << "[POP3] f_OnStateChanged() " << socketState;
}

void CPop3Client::f_OnDisconnected()
{
    qCDebug(lcPop3, "[POP3] f_OnDisconnected()");
}

void CPop3Client::f_OnConnected()
{
    qCDebug(lcPop3, "[POP3] f_OnConnected() ");
}

void CPop3Client::f_OnHostFound()
{
    qCDebug(lcPop3, "[POP3] f_OnHostFound()");
}

void CPop3Client::f_OnProxyAuthenticationRequired(const QNetworkProxy& proxy, QAuthenticator* authenticator)
{
    Q_UNUSED(proxy)
    Q_UNUSED(authenticator)
    qCDebug(lcPop3, "[POP3] f_OnProxyAuthenticationRequired()");
}

void CPop3Client::f_OnAboutToClose()
{
    qCDebug(lcPop3, "[POP3] f_OnAboutToClose()");
}

void CPop3Client::f_OnBytesWritten(qint64 bytes)
{
    Q_UNUSED(bytes)
    qCDebug(lcPop3, "[POP3] f_OnBytesWritten()");
}

void CPop3Client::f_OnReadChannelFinished()
{
    qCDebug(lcPop3, "[POP3] f_OnReadChannelFinished()");
}

void CPop3Client::f_OnDestroyed(QObject* obj)
{
    Q_UNUSED(obj)
    qCDebug(lcPop3, "[POP3] f_OnDestroyed()");
}

void CPop3Client::f_SignalsConnect()
{
    if (!m_pSocket)
        return;
    QTcpSocket* s = m_pSocket;
    connect(s, &QTcpSocket::connected, this, &CPop3Client::f_OnConnected);
    connect(s, &QTcpSocket::disconnected, this, &CPop3Client::f_OnDisconnected);
    connect(s, &QTcpSocket::errorOccurred, this, &CPop3Client::f_OnErrorReceived);
    connect(s, &QTcpSocket::hostFound, this, &CPop3Client::f_OnHostFound);
    connect(s, &QTcpSocket::proxyAuthenticationRequired, this, &CPop3Client::f_OnProxyAuthenticationRequired);
    connect(s, &QTcpSocket::stateChanged, this, &CPop3Client::f_OnStateChanged);
    connect(s, &QTcpSocket::aboutToClose, this, &CPop3Client::f_OnAboutToClose);
    connect(s, &QTcpSocket::bytesWritten, this, &CPop3Client::f_OnBytesWritten);
    connect(s, &QTcpSocket::readChannelFinished, this, &CPop3Client::f_OnReadChannelFinished);
    connect(s, &QTcpSocket::readyRead, this, &CPop3Client::f_OnReadyRead);
    connect(s, &QTcpSocket::destroyed, this, &CPop3Client::f_OnDestroyed);
}

void CPop3Client::f_SignalsDisconnect()
{
    if (m_pSocket)
        disconnect(m_pSocket, nullptr, this, nullptr);
}

void CPop3Client::f_DeleteSocket()
{
    m_Received.Clear();
    m_bSkipToLineEnd = false;
    if (!m_pSocket)
        return;
    f_SignalsDisconnect();
    // The socket may be the one whose signal is running, so it is freed by
    // the event loop; the connection itself ends now.
    m_pSocket->abort();
    m_pSocket->deleteLater();
    m_pSocket = nullptr;
}
