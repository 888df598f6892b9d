#ifndef CSTARTSERVICE_H
#define CSTARTSERVICE_H

#include <QLocalSocket>
#include <QObject>
#include <QStringList>

class CSingleInstanceServer;
class QTimer;

// Lets one help viewer run per user. A start connects to the local server
// "Lumivox 5 Help Viewer": when a viewer listens there, the start hands it
// its upper-cased arguments (one data-stream string, joined with ",") and
// ends; otherwise it becomes that server, and every later start's arguments
// arrive here as MultipleStarted. Starts at the same moment give one viewer
// (CSingleInstanceServer).
class CStartService : public QObject
{
    Q_OBJECT

public:
    // How long a start waits for an answer, and the viewer for a message.
    static const int DEADLINE_MS = 5000;
    // How long a start waits for the running viewer to take its message.
    static const int HANDOFF_MS = 30000;

    explicit CStartService(QObject* parent = nullptr);
    ~CStartService() override;

    // The full socket path of the server.
    static QString ServerName();

    // `commandLine` with the program first. True when this process now
    // listens as the server; false when the arguments went to a running
    // viewer, and on every failure.
    bool CheckStart(const QStringList& commandLine);

    // The arguments after the program, upper-cased.
    QStringList Arguments() const { return m_Arguments; }
    bool IsListening() const;

    // Tests shorten the waits.
    void SetDeadline(int milliseconds) { m_DeadlineMs = milliseconds; }

signals:
    void MultipleStarted(QStringList arguments);

public slots:
    void ConnectSuccess();
    void ConnectError(QLocalSocket::LocalSocketError socketError);
    void NewClientConnected();

private:
    void f_Receive(QLocalSocket* connection);
    // Emits the message once it is whole, and closes the connection.
    void f_Read(QLocalSocket* connection, QTimer* deadline);
    static void f_Drop(QLocalSocket* connection);

    QStringList m_Arguments;
    CSingleInstanceServer* m_Instance;
    int m_DeadlineMs;
};

#endif // CSTARTSERVICE_H
