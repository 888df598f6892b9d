#ifndef CSMTPCLIENT_H
#define CSMTPCLIENT_H

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QSslError>
#include <QString>
#include <QStringList>

#include "CMailClientBase.h"
#include "CMailSettings.h"
#include "CSmtpReplyReader.h"

class QSslSocket;

// One SMTP conversation at a time, for the mail sender: SendMail composes the
// mail, queues the protocol states and connects (plain on port 25, TLS from the
// first byte on port 465); each complete good reply sends the next state's
// command, and the session ends exactly once per Init with EndSignal.
class CSMTPClient : public CMailClientBase
{
    Q_OBJECT
public:
    // Protocol states, in the order a session passes them.
    struct STATES {
        enum Enum : int {
            Idle = 0,
            Connected = 1,  // waiting for the greeting
            Ehlo = 2,
            AuthStart = 3,
            AuthSecond = 4,
            AuthThird = 5,
            MailFrom = 6,
            RcptTo = 7,     // one per recipient
            Data = 8,
            Message = 9,
            Quit = 10
        };
    };

    // How the client authenticates, chosen by the server's answer to EHLO.
    struct AUTH_METHOD {
        enum Enum : int { None = 0, Plain = 1, Login = 2, CramMd5 = 3 };
    };

    // What the command of one state is made of.
    struct CommandInput {
        QString server;
        QString user;
        QString password;
        QString sender;
        bool hasRecipient = false; // a recipient is left for RCPT TO
        QString recipient;
        QString message;
        QByteArray cramMd5Answer;
        int method = AUTH_METHOD::None;
    };

    static constexpr int SmtpPort = 25;
    static constexpr int SmtpOverSslPort = 465;

    CSMTPClient();
    ~CSMTPClient() override;

    void Init();
    void SendMail(CMailSettings settings, QString subject, QString body);
    // Writes the command of `state`; false when the state has none.
    bool f_Send(STATES::Enum state);

    // The Base64 answer line to a CRAM-MD5 challenge (HMAC-MD5 keyed with the password).
    static QByteArray f_authCramMd5(const QByteArray& challengeBase64, const QByteArray& user,
                                    const QByteArray& password);
    // An "@", no line break or NUL, and no angle brackets or a single
    // "<...>" followed by nothing but blanks.
    static bool f_CheckMailAddress(const QString& address);
    // The address as written in a header (false) or in MAIL FROM / RCPT TO (true).
    static QString f_ConvertMailAddress(const QString& address, bool forEnvelope);
    // A Message-ID new for every call: "<unique@domain>", the domain the
    // sender's, else the local host name's.
    static QString f_MessageId(const QString& sender, const QDateTime& now);

    // The parts of a session that need no network.
    static Command f_BuildCommand(STATES::Enum state, const CommandInput& input);
    static QList<STATES::Enum> f_StateQueue(int authority, int recipientCount);
    // The method the EHLO reply's first AUTH line offers; -1 when no line offers any.
    static int f_AuthMethodOffered(const QStringList& ehloReply);
    // "dd MMM yyyy hh:mm:ss" and the instant's own offset from UTC as +hhmm or -hhmm.
    static QString f_DateText(const QDateTime& now);
    // The whole mail text with CR LF line ends, without the final dot line.
    static QString f_ComposeMessage(const QString& sender, const QStringList& recipients,
                                    const QString& subject, const QString& body, const QDateTime& now,
                                    const QString& messageId);

    // Read-only views for the sender and for tests.
    STATES::Enum GetCurrentState() const { return m_CurrentState; }
    int GetAuthMethod() const { return m_AuthMethod; }
    QList<STATES::Enum> GetStateQueue() const { return m_StateQueue; }
    QString GetMessage() const { return m_Message; }
    QSslSocket* GetSocket() const;

private slots:
    void f_OnSslErrors(const QList<QSslError>& errors);

private:
    CMailSettings::SMTP_RESULT::Enum f_GetError() const override;
    CMailSettings::SMTP_RESULT::Enum f_EndCode(CMailSettings::SMTP_RESULT::Enum code) const override;
    void f_HandleConnected() override;
    void f_HandleReceived(const QByteArray& bytes) override;
    void f_HandleReply(const QStringList& reply);
    void f_SendNext();

    QString m_Message;
    int m_RecipientIndex = 0;
    QByteArray m_CramMd5Answer;
    STATES::Enum m_CurrentState = STATES::Idle;
    int m_AuthMethod = AUTH_METHOD::None;
    QString m_SMTPServer;
    QString m_POP3Server;
    QString m_User;
    QString m_Pass;
    QString m_Sender;
    QStringList m_Recipients;
    QString m_Subject;
    QString m_Body;
    qint32 m_Authority = 0;
    bool m_OverSSL = false;
    QList<STATES::Enum> m_StateQueue;
    bool m_RecipientRefused = false;
    // The server took the message (the reply that ends the data was good):
    // whatever happens after, the mail was sent.
    bool m_MessageAccepted = false;
    CSmtpReplyReader m_Replies;
};

#endif // CSMTPCLIENT_H
