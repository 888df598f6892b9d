#include "CSMTPClient.h"

#include <QAuthenticator>
#include <QCryptographicHash>
#include <QLocale>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QSslSocket>
#include <QTimer>

#include "CSystemClock.h"
#include "ExceptionTrace.h"

Q_LOGGING_CATEGORY(lcSmtp, "lumivox.mail.smtp")

namespace {

const int CramMd5BlockSize = 64;
const int BodyLineLength = 72;
const char* const MaskedSecret = "****";

QString Quoted(const QString& text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

} // namespace

CSMTPClient::CSMTPClient()
    : QObject(nullptr)
{
    qRegisterMetaType<CMailSettings::SMTP_RESULT::Enum>("CMailSettings::SMTP_RESULT::Enum");
    m_Timer = new QTimer(this);
    m_Timer->setSingleShot(true);
    m_Timer->setInterval(DefaultSessionTimeOutMs);
    connect(m_Timer, &QTimer::timeout, this, &CSMTPClient::f_OnTimerTimeOut, Qt::QueuedConnection);
    Init();
}

CSMTPClient::~CSMTPClient()
{
    m_Timer->stop();
    m_StateQueue.clear();
    f_DeleteSocket();
}

void CSMTPClient::Init()
{
    m_Result = CMailSettings::SMTP_RESULT::Executing;
    m_RecipientRefused = false;
    m_AuthMethod = AUTH_METHOD::None;
    m_CurrentState = STATES::Idle;
    m_StateQueue.clear();
    f_DeleteSocket();
}

void CSMTPClient::SetSessionTimeOut(int milliseconds)
{
    m_Timer->setInterval(milliseconds);
}

// ---------------------------------------------------------------------------
// Composition

bool CSMTPClient::f_CheckMailAddress(const QString& address)
{
    // Line breaks or a NUL would let a setting add commands or header lines.
    if (address.contains(QLatin1Char('\r')) || address.contains(QLatin1Char('\n'))
        || address.contains(QChar(0)))
        return false;
    if (!address.contains(QLatin1Char('@')))
        return false;
    const bool open = address.contains(QLatin1Char('<'));
    const bool close = address.contains(QLatin1Char('>'));
    return open == close;
}

QString CSMTPClient::f_ConvertMailAddress(const QString& address, bool forEnvelope)
{
    const int open = address.indexOf(QLatin1Char('<'));
    if (forEnvelope) {
        if (open < 0 && !address.contains(QLatin1Char('>')))
            return QLatin1Char('<') + address + QLatin1Char('>');
        return open < 0 ? address : address.mid(open);
    }
    if (address.startsWith(QLatin1Char('<')) && address.contains(QLatin1Char('>'))) {
        QString bare = address;
        bare.remove(QLatin1Char('<'));
        bare.remove(QLatin1Char('>'));
        return bare;
    }
    return address;
}

QString CSMTPClient::f_DateText(const QDateTime& now)
{
    const QString local = QLocale::c().toString(now, QStringLiteral("dd MMM yyyy hh:mm:ss"));
    const int offsetMinutes = now.offsetFromUtc() / 60;
    const int magnitude = qAbs(offsetMinutes);
    return QStringLiteral("%1 %2%3%4")
        .arg(local)
        .arg(offsetMinutes < 0 ? QLatin1Char('-') : QLatin1Char('+'))
        .arg(magnitude / 60, 2, 10, QLatin1Char('0'))
        .arg(magnitude % 60, 2, 10, QLatin1Char('0'));
}

QString CSMTPClient::f_ComposeMessage(const QString& sender, const QStringList& recipients,
                                      const QString& subject, const QString& body,
                                      const QDateTime& now)
{
    QStringList to;
    for (const QString& recipient : recipients)
        to << f_ConvertMailAddress(recipient, false);

    QString text;
    text += QStringLiteral("MIME-Version: 1.0 \n");
    text += QStringLiteral("From: ") + f_ConvertMailAddress(sender, false) + QLatin1Char('\n');
    // ", " separates an address list; mail readers misparse ";".
    text += QStringLiteral("To: ") + to.join(QStringLiteral(", ")) + QLatin1Char('\n');
    text += QStringLiteral("Date: ") + f_DateText(now) + QLatin1Char('\n');
    text += QStringLiteral("Subject: =?utf-8?B?") + QString::fromLatin1(subject.toUtf8().toBase64())
        + QStringLiteral("?=\n");
    text += QStringLiteral("Content-Type: text/plain; charset=utf-8\n");
    text += QStringLiteral("Content-Transfer-Encoding: base64\n\n");

    const QString encoded = QString::fromLatin1(body.toUtf8().toBase64());
    for (int at = 0; at < encoded.size(); at += BodyLineLength) {
        const QString line = encoded.mid(at, BodyLineLength);
        text += line;
        if (line.size() == BodyLineLength)
            text += QLatin1Char('\n');
    }

    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    const QString loneDot = QStringLiteral("\r\n.\r\n");
    while (text.contains(loneDot))
        text.replace(loneDot, QStringLiteral("\r\n..\r\n"));
    return text;
}

QList<CSMTPClient::STATES::Enum> CSMTPClient::f_StateQueue(int authority, int recipientCount)
{
    QList<STATES::Enum> queue{STATES::Connected, STATES::Ehlo};
    if (authority == 2)
        queue << STATES::AuthStart << STATES::AuthSecond << STATES::AuthThird;
    queue << STATES::MailFrom;
    for (int i = 0; i < recipientCount; ++i)
        queue << STATES::RcptTo;
    queue << STATES::Data << STATES::Message << STATES::Quit;
    return queue;
}

void CSMTPClient::SendMail(CMailSettings settings, QString subject, QString body)
{
    const bool ok = RunTraced(false, [&] {
        m_RecipientRefused = false;
        m_AuthMethod = AUTH_METHOD::None;
        m_CurrentState = STATES::Idle;
        m_SMTPServer = settings.m_SMTPServer;
        m_POP3Server = settings.m_POP3Server;
        m_User = settings.m_User;
        m_Pass = settings.m_Pass;
        m_Sender = settings.m_Sender;
        m_OverSSL = settings.m_SMTPOverSSL;

        if (!f_CheckMailAddress(m_Sender)) {
            qCDebug(lcSmtp) << "[SMTP] sender address refused";
            f_processEnd(CMailSettings::SMTP_RESULT::InvalidSetting);
            return true;
        }
        m_Recipients.clear();
        for (const QString& recipient : settings.m_Recipients.mid(0, 3)) {
            if (recipient.isEmpty())
                continue;
            if (!f_CheckMailAddress(recipient)) {
                qCDebug(lcSmtp) << "[SMTP] recipient address refused";
                f_processEnd(CMailSettings::SMTP_RESULT::InvalidSetting);
                return true;
            }
            m_Recipients << recipient;
        }

        m_Subject = subject;
        m_Body = body;
        m_Authority = settings.m_Authority;
        m_StateQueue.clear();
        f_DeleteSocket();
        m_Replies.Clear();
        m_Socket = new QSslSocket(this);
        f_SignalsConnect();

        m_Message = f_ComposeMessage(m_Sender, m_Recipients, m_Subject, m_Body, CSystemClock::Now());
        m_StateQueue = f_StateQueue(m_Authority, m_Recipients.size());
        m_RecipientIndex = 0;

        qCDebug(lcSmtp) << "[SMTP] Connect Start";
        m_Timer->start();
        if (m_OverSSL) {
            if (!QSslSocket::supportsSsl())
                qCWarning(lcSmtp) << "[SMTP] this system offers no TLS; the connection will fail";
            m_Socket->connectToHostEncrypted(m_SMTPServer, SmtpOverSslPort, QIODevice::ReadWrite);
        } else {
            m_Socket->connectToHost(m_SMTPServer, SmtpPort, QIODevice::ReadWrite);
        }
        return true;
    });
    if (!ok)
        f_processEnd(CMailSettings::SMTP_RESULT::Failed);
}

// ---------------------------------------------------------------------------
// Commands

QByteArray CSMTPClient::f_authCramMd5(const QByteArray& challengeBase64, const QByteArray& user,
                                      const QByteArray& password)
{
    const QByteArray challenge = QByteArray::fromBase64(challengeBase64.trimmed());
    QByteArray key = password;
    if (key.size() > CramMd5BlockSize)
        key = QCryptographicHash::hash(key, QCryptographicHash::Md5);
    key = key.leftJustified(CramMd5BlockSize, '\0');
    QByteArray innerPad(CramMd5BlockSize, '\0');
    QByteArray outerPad(CramMd5BlockSize, '\0');
    for (int i = 0; i < CramMd5BlockSize; ++i) {
        innerPad[i] = char(key.at(i) ^ 0x36);
        outerPad[i] = char(key.at(i) ^ 0x5C);
    }
    const QByteArray inner = QCryptographicHash::hash(innerPad + challenge, QCryptographicHash::Md5);
    const QByteArray outer = QCryptographicHash::hash(outerPad + inner, QCryptographicHash::Md5);
    return (user + ' ' + outer.toHex()).toBase64();
}

CSMTPClient::Command CSMTPClient::f_BuildCommand(STATES::Enum state, const CommandInput& input)
{
    QString text;
    QString trace;
    switch (state) {
    case STATES::Ehlo:
        text = QStringLiteral("EHLO ") + input.server;
        break;
    case STATES::AuthStart:
        if (input.method == AUTH_METHOD::Plain) {
            const QByteArray user = input.user.toUtf8();
            const QByteArray blob = user + '\0' + user + '\0' + input.password.toUtf8();
            text = QStringLiteral("AUTH PLAIN ") + QString::fromLatin1(blob.toBase64());
            trace = QStringLiteral("AUTH PLAIN ") + QLatin1String(MaskedSecret);
        } else if (input.method == AUTH_METHOD::Login) {
            text = QStringLiteral("AUTH LOGIN");
        } else if (input.method == AUTH_METHOD::CramMd5) {
            text = QStringLiteral("AUTH CRAM-MD5");
        }
        break;
    case STATES::AuthSecond:
        if (input.method == AUTH_METHOD::Login)
            text = QString::fromLatin1(input.user.toUtf8().toBase64());
        else if (input.method == AUTH_METHOD::CramMd5)
            text = QString::fromLatin1(input.cramMd5Answer);
        if (!text.isEmpty())
            trace = QLatin1String(MaskedSecret);
        break;
    case STATES::AuthThird:
        if (input.method == AUTH_METHOD::Login) {
            text = QString::fromLatin1(input.password.toUtf8().toBase64());
            trace = QLatin1String(MaskedSecret);
        }
        break;
    case STATES::MailFrom:
        text = QStringLiteral("MAIL FROM: ") + f_ConvertMailAddress(input.sender, true);
        break;
    case STATES::RcptTo:
        if (input.hasRecipient)
            text = QStringLiteral("RCPT TO:") + f_ConvertMailAddress(input.recipient, true);
        break;
    case STATES::Data:
        text = QStringLiteral("DATA");
        break;
    case STATES::Message:
        text = input.message + QStringLiteral("\r\n.");
        break;
    case STATES::Quit:
        text = QStringLiteral("QUIT");
        break;
    default:
        break;
    }
    Command command;
    if (text.isEmpty())
        return command;
    command.bytes = text.toUtf8() + "\r\n";
    command.trace = trace.isEmpty() ? text : trace;
    return command;
}

bool CSMTPClient::f_Send(STATES::Enum state)
{
    qCDebug(lcSmtp) << "[SMTP] f_Send start ----------------------------------";
    CommandInput input;
    input.server = m_SMTPServer;
    input.user = m_User;
    input.password = m_Pass;
    input.sender = m_Sender;
    input.hasRecipient = m_RecipientIndex < m_Recipients.size();
    if (input.hasRecipient)
        input.recipient = m_Recipients.at(m_RecipientIndex);
    input.message = m_Message;
    input.cramMd5Answer = m_CramMd5Answer;
    input.method = m_AuthMethod;
    const Command command = f_BuildCommand(state, input);

    bool written = false;
    if (!command.bytes.isEmpty() && m_Socket) {
        m_Socket->write(command.bytes);
        m_Socket->flush();
        qCDebug(lcSmtp).noquote() << "[SMTP] SND <<" << Quoted(command.trace);
        if (state == STATES::RcptTo)
            ++m_RecipientIndex;
        written = true;
    }
    m_CurrentState = state;
    qCDebug(lcSmtp) << "[SMTP] f_Send end   ----------------------------------";
    return written;
}

// ---------------------------------------------------------------------------
// Session

void CSMTPClient::f_SignalsConnect()
{
    if (!m_Socket)
        return;
    connect(m_Socket, &QAbstractSocket::connected, this, &CSMTPClient::f_OnConnected);
    connect(m_Socket, &QAbstractSocket::disconnected, this, &CSMTPClient::f_OnDisconnected);
    connect(m_Socket, &QAbstractSocket::errorOccurred, this, &CSMTPClient::f_OnErrorReceived);
    connect(m_Socket, &QAbstractSocket::hostFound, this, &CSMTPClient::f_OnHostFound);
    connect(m_Socket, &QAbstractSocket::proxyAuthenticationRequired, this,
            &CSMTPClient::f_OnProxyAuthenticationRequired);
    connect(m_Socket, &QAbstractSocket::stateChanged, this, &CSMTPClient::f_OnStateChanged);
    connect(m_Socket, &QIODevice::aboutToClose, this, &CSMTPClient::f_OnAboutToClose);
    connect(m_Socket, &QIODevice::bytesWritten, this, &CSMTPClient::f_OnBytesWritten);
    connect(m_Socket, &QIODevice::readChannelFinished, this, &CSMTPClient::f_OnReadChannelFinished);
    connect(m_Socket, &QIODevice::readyRead, this, &CSMTPClient::f_OnReadyRead);
    connect(m_Socket, &QObject::destroyed, this, &CSMTPClient::f_OnDestroyed);
    // Certificate problems are only traced: the handshake then fails, and
    // that error ends the session.
    connect(m_Socket, QOverload<const QList<QSslError>&>::of(&QSslSocket::sslErrors), this,
            &CSMTPClient::f_OnSslErrors);
}

void CSMTPClient::f_SignalsDisconnect()
{
    if (m_Socket)
        m_Socket->disconnect(this);
}

void CSMTPClient::f_DeleteSocket()
{
    if (m_Socket) {
        f_SignalsDisconnect();
        // Always deleted later: the outcome is reported from inside the
        // socket's own signals, and a receiver that starts the next mail there
        // (Init, SendMail) would otherwise delete a socket still emitting.
        m_Socket->abort();
        m_Socket->deleteLater();
        m_Socket = nullptr;
    }
    m_Replies.Clear();
}

CMailSettings::SMTP_RESULT::Enum CSMTPClient::f_GetError() const
{
    switch (m_CurrentState) {
    case STATES::Idle:
    case STATES::Connected:
        return CMailSettings::SMTP_RESULT::FailedConnect;
    case STATES::AuthStart:
    case STATES::AuthSecond:
    case STATES::AuthThird:
        return CMailSettings::SMTP_RESULT::FailedSmtpAuth;
    case STATES::RcptTo:
        return CMailSettings::SMTP_RESULT::FaildRecipient;
    default:
        return CMailSettings::SMTP_RESULT::Failed;
    }
}

void CSMTPClient::f_processEnd(CMailSettings::SMTP_RESULT::Enum code)
{
    m_Timer->stop();
    if (m_Result != CMailSettings::SMTP_RESULT::Executing)
        return;
    // QUIT goes out only after the server took the message: whatever happens
    // then, the mail was sent.
    if (m_CurrentState == STATES::Quit)
        code = m_RecipientRefused ? CMailSettings::SMTP_RESULT::FaildRecipient
                                  : CMailSettings::SMTP_RESULT::Completed;
    if (m_Socket)
        m_Socket->close();
    m_Result = code;
    qCDebug(lcSmtp) << "[SMTP] end" << int(code);
    emit EndSignal(code);
}

int CSMTPClient::f_AuthMethodOffered(const QStringList& ehloReply)
{
    static const QRegularExpression authLine(
        QStringLiteral("^250[- ]AUTH(?:[\\s=](.*))?$"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression separators(QStringLiteral("[\\s=]+"));
    for (const QString& line : ehloReply) {
        const QRegularExpressionMatch match = authLine.match(line);
        if (!match.hasMatch())
            continue;
        const QStringList mechanisms =
            match.captured(1).toUpper().split(separators, Qt::SkipEmptyParts);
        if (mechanisms.contains(QStringLiteral("CRAM-MD5")))
            return AUTH_METHOD::CramMd5;
        if (mechanisms.contains(QStringLiteral("PLAIN")))
            return AUTH_METHOD::Plain;
        if (mechanisms.contains(QStringLiteral("LOGIN")))
            return AUTH_METHOD::Login;
        return AUTH_METHOD::None;
    }
    return -1;
}

void CSMTPClient::f_HandleReply(const QStringList& reply)
{
    const QString& first = reply.first();
    if (first.startsWith(QLatin1Char('5')) || first.startsWith(QLatin1Char('4'))) {
        if (first.startsWith(QStringLiteral("551"))) {
            m_RecipientRefused = true;
        } else {
            const CMailSettings::SMTP_RESULT::Enum code = f_GetError();
            if (code != CMailSettings::SMTP_RESULT::FaildRecipient) {
                f_processEnd(code);
                return;
            }
            m_RecipientRefused = true;
        }
    }

    if (m_CurrentState == STATES::Ehlo && m_Authority == 2) {
        const int offered = f_AuthMethodOffered(reply);
        if (offered == AUTH_METHOD::None) {
            f_processEnd(CMailSettings::SMTP_RESULT::FailedNotSupportAuth);
            return;
        }
        m_AuthMethod = offered < 0 ? int(AUTH_METHOD::None) : offered;
        qCDebug(lcSmtp) << "[SMTP] authentication method" << m_AuthMethod;
    } else if (m_CurrentState == STATES::AuthStart && m_AuthMethod == AUTH_METHOD::CramMd5) {
        m_CramMd5Answer.clear();
        if (first.startsWith(QStringLiteral("334")))
            m_CramMd5Answer = f_authCramMd5(first.mid(4).trimmed().toLatin1(), m_User.toUtf8(),
                                            m_Pass.toUtf8());
    }
    f_SendNext();
}

void CSMTPClient::f_SendNext()
{
    if (m_StateQueue.isEmpty()) {
        f_processEnd(m_RecipientRefused ? CMailSettings::SMTP_RESULT::FaildRecipient
                                        : CMailSettings::SMTP_RESULT::Completed);
        return;
    }
    while (!m_StateQueue.isEmpty()) {
        if (f_Send(m_StateQueue.takeFirst()))
            break;
    }
}

void CSMTPClient::f_OnReadyRead()
{
    const bool ok = RunTraced(false, [&] {
        qCDebug(lcSmtp) << "[SMTP] f_OnReadyRead()";
        if (!m_Socket)
            return true;
        m_Replies.Append(m_Socket->readAll());
        if (m_Result != CMailSettings::SMTP_RESULT::Executing) {
            m_Replies.Clear();
            return true;
        }
        QStringList reply;
        const CSmtpReplyReader::Status status = m_Replies.TakeReply(&reply);
        if (status == CSmtpReplyReader::Incomplete)
            return true;
        if (status == CSmtpReplyReader::Overflow) {
            qCDebug(lcSmtp) << "[SMTP] reply too long, giving up";
            m_Replies.Clear();
            f_processEnd(f_GetError());
            return true;
        }
        for (int i = 0; i < reply.size(); ++i) {
            if (i == 0)
                qCDebug(lcSmtp).noquote() << "[SMTP] RCV >>" << Quoted(reply.at(i));
            else
                qCDebug(lcSmtp).noquote() << Quoted(reply.at(i));
        }
        // What came after a whole reply was not asked for yet: it would be
        // taken as the answer to the next command.
        for (const QString& line : m_Replies.TakeRest())
            qCDebug(lcSmtp).noquote() << "[SMTP] dropped" << Quoted(line);
        f_HandleReply(reply);
        return true;
    });
    if (!ok)
        f_processEnd(CMailSettings::SMTP_RESULT::Failed);
}

void CSMTPClient::f_OnConnected()
{
    qCDebug(lcSmtp) << "[SMTP] f_OnConnected()";
    if (!m_StateQueue.isEmpty())
        f_Send(m_StateQueue.takeFirst());
}

void CSMTPClient::f_OnErrorReceived(QAbstractSocket::SocketError error)
{
    qCDebug(lcSmtp) << "[SMTP] f_OnErrorReceived()" << error
                    << (m_Socket ? m_Socket->errorString() : QString());
    f_processEnd(f_GetError());
}

void CSMTPClient::f_OnTimerTimeOut()
{
    qCDebug(lcSmtp) << "[SMTP] f_OnTimerTimeOut";
    // The time-out is queued: a session started after it fired has its own
    // timer running, and this one is not its time-out.
    if (m_Timer->isActive())
        return;
    f_processEnd(CMailSettings::SMTP_RESULT::FailedTimeOut);
}

void CSMTPClient::f_OnSslErrors(const QList<QSslError>& errors)
{
    for (const QSslError& error : errors)
        qCDebug(lcSmtp) << "[SMTP] f_OnSslErrors()" << error.errorString();
}

void CSMTPClient::f_OnStateChanged(QAbstractSocket::SocketState state)
{
    qCDebug(lcSmtp) << "[SMTP] f_OnStateChanged()" << state;
}

void CSMTPClient::f_OnDisconnected()
{
    qCDebug(lcSmtp) << "[SMTP] f_OnDisconnected()";
}

void CSMTPClient::f_OnHostFound()
{
    qCDebug(lcSmtp) << "[SMTP] f_OnHostFound()";
}

void CSMTPClient::f_OnProxyAuthenticationRequired(const QNetworkProxy&, QAuthenticator*)
{
    qCDebug(lcSmtp) << "[SMTP] f_OnProxyAuthenticationRequired()";
}

void CSMTPClient::f_OnAboutToClose()
{
    qCDebug(lcSmtp) << "[SMTP] f_OnAboutToClose()";
}

void CSMTPClient::f_OnBytesWritten(qint64)
{
    qCDebug(lcSmtp) << "[SMTP] f_OnBytesWritten()";
}

void CSMTPClient::f_OnReadChannelFinished()
{
    qCDebug(lcSmtp) << "[SMTP] f_OnReadChannelFinished()";
}

void CSMTPClient::f_OnDestroyed(QObject*)
{
    qCDebug(lcSmtp) << "[SMTP] f_OnDestroyed()";
}
