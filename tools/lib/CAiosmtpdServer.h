#ifndef CAIOSMTPDSERVER_H
#define CAIOSMTPDSERVER_H

#include <QHostAddress>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QPair>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

// How one test SMTP server runs (tools/mailservers/smtp_test_server.py).
struct AiosmtpdOptions
{
    QHostAddress address;
    QList<quint16> plainPorts;
    QList<quint16> tlsPorts;            // TLS from the first byte
    QString certificateFile;            // needed for tlsPorts
    QString keyFile;
    QList<QPair<QString, QString>> users; // name, password
    QStringList excludeMechanisms;      // e.g. "CRAM-MD5"
    bool noAuth = false;                // offer no AUTH at all
    QList<QPair<QString, QString>> refusals; // recipient, reply such as "550 no such user"
    // Another server script of tools/mailservers built on smtp_test_server.py
    // (empty: that one), and the options of its own.
    QString script;
    QStringList scriptArguments;
};

// The aiosmtpd test server in a process of its own, run by Debian's
// /usr/bin/python3. Each message it takes is stored in a spool folder of this
// object: the bytes received and a JSON summary of what Python's email
// package reads from them. Stopped by its process id when the object goes.
class CAiosmtpdServer : public QObject
{
    Q_OBJECT
public:
    static const char* const Python;

    explicit CAiosmtpdServer(QObject* parent = nullptr);
    ~CAiosmtpdServer() override;

    // Starts the process; waitReady() then waits until every listener is up.
    bool launch(const AiosmtpdOptions& options, QString* error);
    // False with the reason (a failed bind names the port) on failure or time-out.
    bool waitReady(QString* error, int timeoutMs = 15000);
    bool start(const AiosmtpdOptions& options, QString* error)
    {
        return launch(options, error) && waitReady(error);
    }
    void stop();

    const AiosmtpdOptions& options() const { return m_Options; }
    QString spoolFolder() const { return m_Spool.path(); }
    // SMTP sessions begun; on a TLS port only after the handshake succeeded.
    int connectionCount() const { return m_Connections; }
    // MAIL FROM commands the script refused (a gate demanding a log-in first).
    int refusedMailCount() const { return m_RefusedMail; }
    int messageCount() const { return m_Stored.size(); }
    // The SMTP verbs of each session that has ended, oldest first.
    QList<QStringList> closedSessions() const { return m_ClosedSessions; }
    // Waits (running the event loop) until `count` sessions have ended.
    bool waitForClosedSessions(int count, int timeoutMs = 10000);
    // Waits (running the event loop) until `count` messages are stored.
    bool waitForMessages(int count, int timeoutMs = 10000);
    QByteArray rawMessage(int index) const;
    QJsonObject summary(int index) const;
    // Everything the process wrote to its error output.
    QString errorOutput() const { return m_ErrorOutput; }

    // A script of tools/mailservers; by default the plain test server.
    static QString scriptPath(const QString& name = QString());

private:
    void readOutput();
    bool waitFor(const std::function<bool()>& done, int timeoutMs);

    AiosmtpdOptions m_Options;
    QProcess m_Process;
    QTemporaryDir m_Spool;
    QByteArray m_OutputBuffer;
    QString m_ErrorOutput;
    bool m_Ready = false;
    QString m_BindFailure;
    int m_Connections = 0;
    int m_RefusedMail = 0;
    QStringList m_Stored;
    QList<QStringList> m_ClosedSessions;
};

#endif // CAIOSMTPDSERVER_H
