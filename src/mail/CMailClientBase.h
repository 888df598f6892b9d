#ifndef CMAILCLIENTBASE_H
#define CMAILCLIENTBASE_H

#include <QAbstractSocket>
#include <QByteArray>
#include <QObject>
#include <QString>

#include "CMailSettings.h"

class QAuthenticator;
class QLoggingCategory;
class QNetworkProxy;
class QTcpSocket;
class QTimer;

// What the SMTP and the POP3 client share: the socket of a run with its
// signals wired to the tracing and error slots, one timer for the whole run,
// and the single end of a run. A run ends once, through f_processEnd, and
// EndSignal is emitted once per Init; once the run has ended nothing more is
// written to the server.
class CMailClientBase : public QObject
{
    Q_OBJECT
public:
    using TraceCategory = const QLoggingCategory& (*)();

    // A command as written to the server, and as the trace shows it (secrets masked).
    struct Command {
        QByteArray bytes;
        QString trace;
    };

    static constexpr int DefaultTimeOutMs = 60000;

    ~CMailClientBase() override;

    // Time for a whole run, from connecting to the end. Only tests change it.
    void SetTimeOut(int milliseconds);
    int GetTimeOut() const;

    CMailSettings::SMTP_RESULT::Enum GetResult() const { return m_Result; }

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

protected:
    // `tag` starts every trace line ("[SMTP]"); the codes end a run whose
    // timer ran out and one whose reply handling stopped at an exception.
    CMailClientBase(TraceCategory category, const char* tag, CMailSettings::SMTP_RESULT::Enum timeOutCode,
                    CMailSettings::SMTP_RESULT::Enum readFailedCode);

    // The outcome for a failure in the current state.
    virtual CMailSettings::SMTP_RESULT::Enum f_GetError() const = 0;
    // The outcome reported for an end with `code`; by default `code` itself.
    virtual CMailSettings::SMTP_RESULT::Enum f_EndCode(CMailSettings::SMTP_RESULT::Enum code) const;
    // The connection is up.
    virtual void f_HandleConnected() {}
    // Bytes received from the server.
    virtual void f_HandleReceived(const QByteArray& bytes) = 0;

    // Opens a run on `socket` (owned from now on): the old socket goes, the
    // new one is wired to the slots, and commands may be written again.
    void f_StartRun(QTcpSocket* socket);
    // Writes and flushes one command; false when the run has ended or there
    // is no socket. A peer that reset the connection ends the run from inside
    // the flush, so the caller sets its state before writing.
    bool f_WriteCommand(const Command& command);

    void f_SignalsConnect();
    void f_SignalsDisconnect();
    void f_DeleteSocket();
    void f_processEnd(CMailSettings::SMTP_RESULT::Enum code);

    TraceCategory m_Category;
    QTcpSocket* m_Socket = nullptr;
    CMailSettings::SMTP_RESULT::Enum m_Result = CMailSettings::SMTP_RESULT::Executing;
    QTimer* m_Timer = nullptr;

private:
    QString m_Tag;
    CMailSettings::SMTP_RESULT::Enum m_TimeOutCode;
    CMailSettings::SMTP_RESULT::Enum m_ReadFailedCode;
    bool m_Ended = false;
};

#endif // CMAILCLIENTBASE_H
