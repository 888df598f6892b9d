#ifndef CSCRIPTEDMAILPEER_H
#define CSCRIPTEDMAILPEER_H

#include <QByteArray>
#include <QByteArrayList>
#include <QHostAddress>
#include <QList>
#include <QSslCertificate>
#include <QSslKey>
#include <QStringList>
#include <QTcpServer>

class QSslSocket;

// One turn of a scripted mail server: what it writes once the client's input
// has ended as expected (the first turn runs at connection, after the TLS
// handshake on a TLS peer).
struct ScriptedMailStep
{
    QByteArrayList parts;           // written one after another; none: say nothing
    int delayMs = 0;                // before the first part
    int partDelayMs = 0;            // between parts
    bool closeAfter = false;        // close the connection after the last part
    bool resetAfter = false;        // reset the connection after the last part (TCP RST)
    QByteArray clientEnd = "\r\n";  // how the client's input before this turn ends

    // The reply in one write.
    static ScriptedMailStep reply(const QByteArray& bytes, int delayMs = 0);
    // One write per line (each with its line end).
    static ScriptedMailStep perLine(const QByteArray& bytes, int partDelayMs = 5);
    // One write per byte.
    static ScriptedMailStep perByte(const QByteArray& bytes, int partDelayMs = 1);
    // The reply to a mail text: it follows the client's lone dot line.
    static ScriptedMailStep afterMessage(const QByteArray& bytes);
    // Says nothing and closes the connection.
    static ScriptedMailStep close();
    // This step, then the connection reset at once (SO_LINGER 0): the
    // client's next write fails.
    ScriptedMailStep thenReset() const;
};

// An in-process mail server that answers by a script, plain or TLS, for what
// real servers cannot be made to do: replies in pieces or several at once,
// chosen codes at chosen steps, silence, early closes. It records every byte
// the client sent. Meant for the loopback addresses of one test executable.
class CScriptedMailPeer : public QTcpServer
{
    Q_OBJECT
public:
    explicit CScriptedMailPeer(QObject* parent = nullptr);
    ~CScriptedMailPeer() override;

    // TLS from the first byte with this certificate; call before listenOn().
    void setTls(const QSslCertificate& certificate, const QSslKey& key);
    // False with a reason (a failed bind says why) in `error`.
    bool listenOn(const QHostAddress& address, quint16 port, QString* error);

    void setScript(const QList<ScriptedMailStep>& steps) { m_Steps = steps; }
    // Forgets what was received and counted, and closes open connections.
    void reset();

    QByteArray received() const { return m_Received; }
    int connectionCount() const { return m_ConnectionCount; }
    int stepsDone() const { return m_StepsDone; }
    bool clientClosed() const { return m_ClientClosed; }
    QStringList tlsErrors() const { return m_TlsErrors; }

signals:
    void stepDone(int index);

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    struct Connection {
        QSslSocket* socket = nullptr;
        int nextStep = 0;
        bool running = false;
        QByteArray input; // since the last turn
    };

    void begin(Connection* connection);
    void onReadyRead(Connection* connection);
    void tryNextStep(Connection* connection);
    void runStep(Connection* connection, int index);
    void writePart(Connection* connection, int index, int part);

    QList<ScriptedMailStep> m_Steps;
    QList<Connection*> m_Connections;
    bool m_Tls = false;
    QSslCertificate m_Certificate;
    QSslKey m_Key;
    QByteArray m_Received;
    int m_ConnectionCount = 0;
    int m_StepsDone = 0;
    bool m_ClientClosed = false;
    QStringList m_TlsErrors;
};

#endif // CSCRIPTEDMAILPEER_H
