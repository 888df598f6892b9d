#include "CSMTPClient.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QHostInfo>
#include <QLocale>
#include <QLoggingCategory>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSslSocket>
#include <QTimer>

#include <atomic>

#include "CMailHeader.h"
#include "CSystemClock.h"
#include "ExceptionTrace.h"

Q_LOGGING_CATEGORY(lcSmtp, "lumivox.mail.smtp", QtWarningMsg)

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
    : CMailClientBase(&lcSmtp, "[SMTP]", CMailSettings::SMTP_RESULT::FailedTimeOut,
                      CMailSettings::SMTP_RESULT::Failed)
{
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
    m_MessageAccepted = false;
    m_AuthMethod = AUTH_METHOD::None;
    m_CurrentState = STATES::Idle;
    m_StateQueue.clear();
    f_DeleteSocket();
    m_Replies.Clear();
}

QSslSocket* CSMTPClient::GetSocket() const
{
    return static_cast<QSslSocket*>(m_Socket);
}

// ---------------------------------------------------------------------------
// Composition

bool CSMTPClient::f_CheckMailAddress(const QString& address)
{
    return CMailHeader::ParseAddress(address).valid;
}

QString CSMTPClient::f_ConvertMailAddress(const QString& address, bool forEnvelope)
{
    const CMailHeader::Address parts = CMailHeader::ParseAddress(address);
    if (forEnvelope)
        return QLatin1Char('<') + parts.address + QLatin1Char('>');
    return CMailHeader::AddressWords(parts).join(QLatin1Char(' '));
}

QString CSMTPClient::f_MessageId(const QString& sender, const QDateTime& now)
{
    static std::atomic<quint32> counter{0};
    static const QRegularExpression domainName(
        QStringLiteral("^(?:[A-Za-z0-9-]+(?:\\.[A-Za-z0-9-]+)*|\\[[^][\\\\\\s]*\\])$"));
    const QString address = CMailHeader::ParseAddress(sender).address;
    QString domain = address.mid(address.lastIndexOf(QLatin1Char('@')) + 1);
    if (!domainName.match(domain).hasMatch())
        domain = QHostInfo::localHostName();
    if (!domainName.match(domain).hasMatch())
        domain = QStringLiteral("localhost");
    return QStringLiteral("<%1.%2.%3.%4@%5>")
        .arg(now.toMSecsSinceEpoch(), 0, 36)
        .arg(QCoreApplication::applicationPid(), 0, 36)
        .arg(++counter, 0, 36)
        .arg(QRandomGenerator::global()->generate64(), 0, 36)
        .arg(domain);
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
                                      const QDateTime& now, const QString& messageId)
{
    // ", " separates an address list; mail readers misparse ";".
    QStringList to;
    for (const QString& recipient : recipients) {
        if (!to.isEmpty())
            to.last() += QLatin1Char(',');
        to << CMailHeader::AddressWords(CMailHeader::ParseAddress(recipient));
    }

    QString text;
    text += QStringLiteral("MIME-Version: 1.0 \n");
    text += CMailHeader::Fold(QStringLiteral("From"), CMailHeader::AddressWords(CMailHeader::ParseAddress(sender)));
    text += CMailHeader::Fold(QStringLiteral("To"), to);
    text += QStringLiteral("Date: ") + f_DateText(now) + QLatin1Char('\n');
    text += QStringLiteral("Message-ID: ") + messageId + QLatin1Char('\n');
    // A long subject is several encoded words on lines of their own: one
    // word may hold 75 characters, a line should hold 78.
    text += CMailHeader::Fold(QStringLiteral("Subject"), CMailHeader::EncodedWords(subject));
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
        m_MessageAccepted = false;
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
        m_Replies.Clear();
        auto* socket = new QSslSocket(this);
        f_StartRun(socket);
        // Certificate problems are only traced: the handshake then fails, and
        // that error ends the session.
        connect(socket, QOverload<const QList<QSslError>&>::of(&QSslSocket::sslErrors), this,
                &CSMTPClient::f_OnSslErrors);

        const QDateTime now = CSystemClock::Now();
        m_Message = f_ComposeMessage(m_Sender, m_Recipients, m_Subject, m_Body, now, f_MessageId(m_Sender, now));
        m_StateQueue = f_StateQueue(m_Authority, m_Recipients.size());
        m_RecipientIndex = 0;

        qCDebug(lcSmtp) << "[SMTP] Connect Start";
        m_Timer->start();
        if (m_OverSSL) {
            if (!QSslSocket::supportsSsl())
                qCWarning(lcSmtp) << "[SMTP] this system offers no TLS; the connection will fail";
            socket->connectToHostEncrypted(m_SMTPServer, SmtpOverSslPort, QIODevice::ReadWrite);
        } else {
            socket->connectToHost(m_SMTPServer, SmtpPort, QIODevice::ReadWrite);
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
    // Every answer to AUTH LOGIN is a line, an empty one too: leaving one out
    // would make the next command the answer.
    bool line = false;
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
        if (input.method == AUTH_METHOD::Login) {
            text = QString::fromLatin1(input.user.toUtf8().toBase64());
            line = true;
        } else if (input.method == AUTH_METHOD::CramMd5) {
            text = QString::fromLatin1(input.cramMd5Answer);
        }
        if (line || !text.isEmpty())
            trace = QLatin1String(MaskedSecret);
        break;
    case STATES::AuthThird:
        if (input.method == AUTH_METHOD::Login) {
            text = QString::fromLatin1(input.password.toUtf8().toBase64());
            trace = QLatin1String(MaskedSecret);
            line = true;
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
    if (text.isEmpty() && !line)
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

    // State and recipient first: writing to a peer that reset the connection
    // ends the session at once, and that end belongs to this command.
    m_CurrentState = state;
    if (state == STATES::RcptTo && !command.bytes.isEmpty() && m_Socket)
        ++m_RecipientIndex;
    const bool written = f_WriteCommand(command);
    qCDebug(lcSmtp) << "[SMTP] f_Send end   ----------------------------------";
    return written;
}

// ---------------------------------------------------------------------------
// Session

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

CMailSettings::SMTP_RESULT::Enum CSMTPClient::f_EndCode(CMailSettings::SMTP_RESULT::Enum code) const
{
    if (!m_MessageAccepted)
        return code;
    return m_RecipientRefused ? CMailSettings::SMTP_RESULT::FaildRecipient : CMailSettings::SMTP_RESULT::Completed;
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
        // A server that offers no AUTH at all is no exception: going on
        // without it would end at RCPT ("relay not permitted") and name the
        // wrong cause.
        const int offered = f_AuthMethodOffered(reply);
        if (offered <= AUTH_METHOD::None) {
            f_processEnd(CMailSettings::SMTP_RESULT::FailedNotSupportAuth);
            return;
        }
        m_AuthMethod = offered;
        qCDebug(lcSmtp) << "[SMTP] authentication method" << m_AuthMethod;
    } else if (m_CurrentState == STATES::Message) {
        m_MessageAccepted = true;
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

void CSMTPClient::f_HandleReceived(const QByteArray& bytes)
{
    m_Replies.Append(bytes);
    if (m_Result != CMailSettings::SMTP_RESULT::Executing) {
        m_Replies.Clear();
        return;
    }
    QStringList reply;
    const CSmtpReplyReader::Status status = m_Replies.TakeReply(&reply);
    if (status == CSmtpReplyReader::Incomplete)
        return;
    if (status == CSmtpReplyReader::Overflow) {
        qCDebug(lcSmtp) << "[SMTP] reply too long, giving up";
        m_Replies.Clear();
        f_processEnd(f_GetError());
        return;
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
}

void CSMTPClient::f_HandleConnected()
{
    if (!m_StateQueue.isEmpty())
        f_Send(m_StateQueue.takeFirst());
}

void CSMTPClient::f_OnSslErrors(const QList<QSslError>& errors)
{
    for (const QSslError& error : errors)
        qCDebug(lcSmtp) << "[SMTP] f_OnSslErrors()" << error.errorString();
}
