#ifndef CSINGLEINSTANCESERVER_H
#define CSINGLEINSTANCESERVER_H

#include <QLocalSocket>
#include <QObject>
#include <QString>

class QLocalServer;
class QLoggingCategory;

// One program's single-instance server under a socket path: a start connects
// there; when nobody listens, it becomes that server itself.
//
// Starts at the same moment must not both become the server (a listen with
// user-only access makes the socket elsewhere and renames it over the name,
// so a plain listen cannot tell that another start just did the same): a
// lock on "<path>.lock" is held while a start probes and listens, and by the
// server for its whole life. Only the holder removes or replaces the name.
class CSingleInstanceServer : public QObject
{
    Q_OBJECT

public:
    enum Outcome {
        // Connected to the running instance; Socket() stays connected.
        Connected,
        // This process is the server now and listens.
        Listening,
        // Nobody else runs, but listening failed (the reason in ListenError()).
        ListenFailed,
        // No answer within the deadline, or a socket error of another kind.
        NoAnswer
    };

    // `category` takes the trace of failed listens.
    CSingleInstanceServer(const QString& serverName, const QLoggingCategory& category, QObject* parent = nullptr);
    ~CSingleInstanceServer() override;

    QString ServerName() const { return m_ServerName; }
    QString LockName() const { return m_ServerName + QStringLiteral(".lock"); }

    // Probes (again while another start holds the lock and does not listen
    // yet) until an outcome or the deadline. ProbeConnected and ProbeFailed
    // tell each probe's answer as it comes. An exception in the claim (or
    // in a slot it calls) is traced and gives NoAnswer.
    Outcome Claim(int deadlineMs);

    // The connection to the running instance after Connected.
    QLocalSocket* Socket() const { return m_Socket; }
    // The server after Listening.
    QLocalServer* Server() const { return m_Server; }
    QString ListenError() const { return m_ListenError; }

signals:
    void ProbeConnected();
    void ProbeFailed(QLocalSocket::LocalSocketError socketError);
    // The server has connections waiting.
    void NewConnection();

private:
    Outcome f_Claim(int deadlineMs);
    void f_Probe(int timeoutMs);
    void f_DropProbe();
    bool f_Listen();
    bool f_TryLock();
    void f_Unlock();

    const QString m_ServerName;
    const QLoggingCategory& m_Category;
    // 0 waiting, 1 connected, 2 any other socket error, -1 connection
    // refused or server not found.
    int m_State = 0;
    QLocalServer* m_Server = nullptr;
    QLocalSocket* m_Socket = nullptr;
    // The lock file while it is open, and whether this process holds its lock.
    int m_LockFd = -1;
    bool m_Locked = false;
    QString m_ListenError;
};

#endif // CSINGLEINSTANCESERVER_H
