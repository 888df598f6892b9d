#include "CPop3Client.h"

#include <QLoggingCategory>
#include <QTcpSocket>
#include <QTimer>

#include "ExceptionTrace.h"

Q_LOGGING_CATEGORY(lcPop3, "lumivox.mail.pop3", QtWarningMsg)

CPop3Client::CPop3Client()
    : CMailClientBase(&lcPop3, "[POP3]", CMailSettings::SMTP_RESULT::Pop3NotResponse,
                      CMailSettings::SMTP_RESULT::Pop3NotRead)
{
    Init();
}

CPop3Client::~CPop3Client()
{
    m_Timer->stop();
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
    m_Replies.Clear();
}

void CPop3Client::StartAuth(QString server, QString user, QString password)
{
    const bool started = RunTraced(false, [&] {
        m_Server = server;
        m_User = user;
        m_Password = password;
        m_State = STATES::Idle;
        m_StateQueue.clear();
        m_Replies.Clear();
        f_StartRun(new QTcpSocket(this));
        m_StateQueue << STATES::User << STATES::Pass << STATES::Quit;

        qCDebug(lcPop3, "### [POP3] Connect Start   ###");
        m_State = STATES::Greeting;
        m_Timer->start();
        m_Socket->connectToHost(m_Server, Pop3Port, QIODevice::ReadWrite);
        return true;
    });
    if (!started)
        f_processEnd(CMailSettings::SMTP_RESULT::Failed);
}

CMailClientBase::Command CPop3Client::f_BuildCommand(STATES::Enum state, const QString& user,
                                                     const QString& password)
{
    Command command;
    switch (state) {
    case STATES::User:
        command.bytes = "USER " + user.toUtf8() + "\r\n";
        command.trace = QStringLiteral("USER ") + user;
        break;
    case STATES::Pass:
        // The password never reaches the trace.
        command.bytes = "PASS " + password.toUtf8() + "\r\n";
        command.trace = QStringLiteral("PASS ****");
        break;
    case STATES::Quit:
        command.bytes = "QUIT\r\n";
        command.trace = QStringLiteral("QUIT");
        break;
    default:
        break;
    }
    return command;
}

bool CPop3Client::f_IsGoodReply(const QString& line)
{
    return line.left(3).compare(QLatin1String("+OK"), Qt::CaseInsensitive) == 0;
}

bool CPop3Client::f_Send(STATES::Enum state)
{
    qCDebug(lcPop3, "[POP3] f_Send start ----------------------------------");
    // The state first: writing to a peer that reset the connection ends the
    // run at once, and that end belongs to this command.
    m_State = state;
    const bool written = f_WriteCommand(f_BuildCommand(state, m_User, m_Password));
    qCDebug(lcPop3, "[POP3] f_Send end   ----------------------------------");
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
        return m_Socket ? GetSocketError(m_Socket->error()) : R::Pop3NotConnect;
    case STATES::User:
        return R::Pop3NotUserName;
    case STATES::Pass:
        return R::Pop3NotPassword;
    case STATES::Quit:
        return R::Pop3NotQuit;
    }
    return R::Pop3NotLogin;
}

void CPop3Client::f_HandleReceived(const QByteArray& bytes)
{
    m_Replies.Append(bytes);
    QString line;
    const CPop3ReplyReader::Status status = m_Replies.TakeReply(&line);
    for (const QString& dropped : m_Replies.TakeDropped())
        qCDebug(lcPop3) << "[POP3] dropped" << dropped;
    if (status == CPop3ReplyReader::Incomplete)
        return;
    if (status == CPop3ReplyReader::Overflow) {
        qCDebug(lcPop3, "[POP3] reply too long");
        m_Replies.Clear();
        f_processEnd(f_GetError());
        return;
    }
    qCDebug(lcPop3).nospace() << "[POP3] RCV >> " << line;
    f_HandleReply(line);
}

void CPop3Client::f_HandleReply(const QString& line)
{
    if (!f_IsGoodReply(line)) {
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
