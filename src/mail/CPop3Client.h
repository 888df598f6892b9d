#ifndef CPOP3CLIENT_H
#define CPOP3CLIENT_H

#include <QAbstractSocket>
#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include "CMailLineBuffer.h"
#include "CMailSettings.h"

class QAuthenticator;
class QNetworkProxy;
class QTcpSocket;
class QTimer;

// The POP3 log-in that precedes sending when the mail settings ask for
// "POP before SMTP": greeting, USER, PASS, QUIT on port 110, one command per
// good reply, and exactly one EndSignal per run (9 when the log-in succeeded).
// Everything runs on the owner's thread, driven by the socket and one timer.
class CPop3Client : public QObject
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

    // The whole log-in, greeting to the reply to QUIT, has this long.
    static const int DefaultLoginTimeOutMs = 60000;
    static const quint16 Pop3Port = 110;

    CPop3Client();
    ~CPop3Client() override;

    // Opens a fresh run: result 1, nothing stored, no socket.
    void Init();
    // Connects and logs in; the outcome comes later through EndSignal.
    void StartAuth(QString server, QString user, QString password);

    // Only tests shorten the log-in time.
    void SetLoginTimeOut(int milliseconds);
    int GetLoginTimeOut() const;

    CMailSettings::SMTP_RESULT::Enum GetResult() const { return m_Result; }
    STATES::Enum GetState() const { return m_State; }
    // The socket of the current or last run; null when there is none.
    QTcpSocket* GetSocket() const { return m_pSocket; }

    // Outcome code for a socket error.
    static CMailSettings::SMTP_RESULT::Enum GetSocketError(QAbstractSocket::SocketError error);
    // The command a state sends, and how the trace shows it (the password masked).
    static QByteArray CommandFor(STATES::Enum state, const QString& user, const QString& password);
    static QByteArray TracedCommand(STATES::Enum state, const QByteArray& command);
    // A good reply starts with "+OK" in any case.
    static bool IsGoodReply(const QString& line);

signals:
    void status(int value);
    void EndSignal(CMailSettings::SMTP_RESULT::Enum result);

private slots:
    void f_OnStateChanged(QAbstractSocket::SocketState socketState);
    void f_OnErrorReceived(QAbstractSocket::SocketError socketError);
    void f_OnDisconnected();
    void f_OnConnected();
    void f_OnHostFound();
    void f_OnProxyAuthenticationRequired(const QNetworkProxy& proxy, QAuthenticator* authenticator);
    void f_OnAboutToClose();
    void f_OnBytesWritten(qint64 bytes);
    void f_OnReadChannelFinished();
    void f_OnReadyRead();
    void f_OnDestroyed(QObject* obj);
    void f_OnTimerTimeOut();

private:
    bool f_Send(STATES::Enum state);
    CMailSettings::SMTP_RESULT::Enum f_GetError() const;
    void f_processEnd(CMailSettings::SMTP_RESULT::Enum code);
    void f_SignalsConnect();
    void f_SignalsDisconnect();
    void f_DeleteSocket();
    void f_HandleReply(const QString& line);
    void f_StartAuth();

    QTcpSocket* m_pSocket;
    STATES::Enum m_State;
    QString m_Server;
    QString m_User;
    QString m_Password;
    QList<STATES::Enum> m_StateQueue;
    CMailSettings::SMTP_RESULT::Enum m_Result;
    QTimer* m_pTimer;
    // Received bytes not yet a complete line.
    CMailLineBuffer m_Received;
    // The rest of a line that had begun before the last command went out
    // belongs to the earlier reply and is dropped.
    bool m_bSkipToLineEnd;
};

#endif // CPOP3CLIENT_H
