#ifndef CPOP3CLIENT_H
#define CPOP3CLIENT_H

#include <QAbstractSocket>
#include <QByteArray>
#include <QList>
#include <QString>

#include "CMailClientBase.h"
#include "CMailSettings.h"
#include "CPop3ReplyReader.h"

class QTcpSocket;

// The POP3 log-in that precedes sending when the mail settings ask for
// "POP before SMTP": greeting, USER, PASS, QUIT on port 110, one command per
// good reply, and exactly one EndSignal per run (9 when the log-in succeeded).
// Everything runs on the owner's thread, driven by the socket and one timer.
class CPop3Client : public CMailClientBase
{
    Q_OBJECT
public:
    struct STATES {
        enum Enum : int {
            Idle = 0,
            Greeting = 1,
            User = 2,
            Pass = 3,
            Quit = 4
        };
    };

    static constexpr quint16 Pop3Port = 110;

    CPop3Client();
    ~CPop3Client() override;

    // Opens a fresh run: result 1, nothing stored, no socket.
    void Init();
    // Connects and logs in; the outcome comes later through EndSignal.
    void StartAuth(QString server, QString user, QString password);

    STATES::Enum GetState() const { return m_State; }
    // The socket of the current or last run; null when there is none.
    QTcpSocket* GetSocket() const { return m_Socket; }

    // Outcome code for a socket error.
    static CMailSettings::SMTP_RESULT::Enum GetSocketError(QAbstractSocket::SocketError error);
    // The command a state sends (none for the others), and its trace with the password masked.
    static Command f_BuildCommand(STATES::Enum state, const QString& user, const QString& password);
    // A good reply starts with "+OK" in any case.
    static bool f_IsGoodReply(const QString& line);

private:
    bool f_Send(STATES::Enum state);
    CMailSettings::SMTP_RESULT::Enum f_GetError() const override;
    void f_HandleReceived(const QByteArray& bytes) override;
    void f_HandleReply(const QString& line);

    STATES::Enum m_State = STATES::Idle;
    QString m_Server;
    QString m_User;
    QString m_Password;
    QList<STATES::Enum> m_StateQueue;
    CPop3ReplyReader m_Replies;
};

#endif // CPOP3CLIENT_H
