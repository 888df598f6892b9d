#ifndef CSTARTSERVICE_H
#define CSTARTSERVICE_H

#include <QLocalSocket>
#include <QObject>
#include <QString>

class CSingleInstanceServer;

// Decides at start-up whether this process is the program's first instance:
// it connects to the local server "Lumivox 5"; when nobody listens there, it
// becomes that server itself. Every later start connects to that server,
// which makes the first instance bring its window to the front. No data is
// exchanged over a connection. Starts at the same moment give one first
// instance (CSingleInstanceServer).
class CStartService : public QObject
{
    Q_OBJECT

public:
    // How long the probe waits for an answer.
    static const int PROBE_TIMEOUT_MS = 5000;

    explicit CStartService(QObject* parent = nullptr);
    ~CStartService() override;

    // The full socket path of the server, and the lock file beside it.
    QString ServerName() const;
    QString LockName() const;

    // After a check that gave false: true when no other instance runs but
    // the server could not listen (the reason in ListenError()), so that the
    // program can say so instead of ending in silence.
    bool ListenFailed() const { return m_ListenFailed; }
    QString ListenError() const { return m_ListenError; }

    // Later starts are signalled from now on; those that came while the
    // program was still starting (a box of its start-up open) are signalled now.
    void StartHandingOver();

signals:
    // Once for every later start handed over to this instance.
    void MultipleStarted();

public slots:
    // True when this process is the first instance and now listens.
    bool CheckStart();
    void ConnectSuccess();
    void ConnectError(QLocalSocket::LocalSocketError socketError);

private:
    void f_TakeConnections();

    CSingleInstanceServer* m_Instance;
    bool m_ListenFailed = false;
    QString m_ListenError;
    bool m_HandingOver = false;
    int m_WaitingStarts = 0;
};

#endif // CSTARTSERVICE_H
