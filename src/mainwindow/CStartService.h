#ifndef CSTARTSERVICE_H
#define CSTARTSERVICE_H

#include <QLocalSocket>
#include <QObject>
#include <QString>

class QLocalServer;

// Decides at start-up whether this process is the program's first instance:
// it connects to the local server "Lumivox 5"; when nobody listens there, it
// becomes that server itself. Every later start connects to that server,
// which makes the first instance bring its window to the front. No data is
// exchanged over a connection.
class CStartService : public QObject
{
    Q_OBJECT

public:
    // How long the probe waits for an answer.
    static const int PROBE_TIMEOUT_MS = 5000;

    explicit CStartService(QObject* parent = nullptr);
    ~CStartService() override;

    // The full socket path of the server.
    QString ServerName() const { return m_ServerName; }

signals:
    // Once for every later start handed over to this instance.
    void MultipleStarted();

public slots:
    // True when this process is the first instance and now listens.
    bool CheckStart();
    void ConnectSuccess();
    void ConnectError(QLocalSocket::LocalSocketError socketError);

private:
    bool f_Probe();
    void f_DropProbe();
    void f_TakeConnections();

    const QString m_ServerName;
    // 0 waiting, 1 connected to a running instance, 2 any other socket error,
    // -1 connection refused or server not found.
    int m_State;
    QLocalServer* m_Server;
    QLocalSocket* m_Socket;
};

#endif // CSTARTSERVICE_H
