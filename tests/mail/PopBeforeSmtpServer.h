#ifndef POPBEFORESMTPSERVER_H
#define POPBEFORESMTPSERVER_H

#include <QDir>
#include <QFileInfo>
#include <QDeadlineTimer>
#include <QHostAddress>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "CAiosmtpdServer.h"

// The mail tests' SMTP server demanding "POP before SMTP"
// (tools/mailservers/pop_before_smtp.py): plain on port 25 of one address,
// no AUTH, MAIL FROM refused unless the dovecot log shows a fresh log-in of
// the user. Counts connections, refused MAIL FROMs and stored messages.
class PopBeforeSmtpServer
{
public:
    ~PopBeforeSmtpServer() { stop(); }

    bool start(const QHostAddress& address, const QString& popLog, const QString& popUser, QString* error)
    {
        const QString script = QFileInfo(CAiosmtpdServer::scriptPath()).dir().filePath(
            QStringLiteral("pop_before_smtp.py"));
        m_Process.start(QString::fromLatin1(CAiosmtpdServer::Python),
                        {QStringLiteral("-W"), QStringLiteral("ignore"), script, QStringLiteral("--address"),
                         address.toString(), QStringLiteral("--plain-port"), QStringLiteral("25"),
                         QStringLiteral("--no-auth"), QStringLiteral("--spool"), m_Spool.path(),
                         QStringLiteral("--pop-log"), popLog, QStringLiteral("--pop-user"), popUser});
        const QDeadlineTimer deadline(15000);
        while (!m_Ready && m_Process.state() != QProcess::NotRunning && !deadline.hasExpired()) {
            m_Process.waitForReadyRead(50);
            read();
        }
        if (!m_Ready)
            *error = QStringLiteral("POP-before-SMTP server on %1:25 did not start: %2 %3")
                         .arg(address.toString(), m_Failure, QString::fromLocal8Bit(m_Process.readAllStandardError()));
        return m_Ready;
    }

    void stop()
    {
        if (m_Process.state() == QProcess::NotRunning)
            return;
        m_Process.terminate();
        if (!m_Process.waitForFinished(5000)) {
            m_Process.kill();
            m_Process.waitForFinished(5000);
        }
    }

    // Counts as of now: what the server has written so far is read first.
    int connections() { read(); return m_Connections; }
    int refusedMailFrom() { read(); return m_Refused; }
    int stored() { read(); return m_Stored; }

private:
    void read()
    {
        m_Output += m_Process.readAllStandardOutput();
        int end;
        while ((end = m_Output.indexOf('\n')) >= 0) {
            const QByteArray line = m_Output.left(end).trimmed();
            m_Output.remove(0, end + 1);
            if (line == "READY")
                m_Ready = true;
            else if (line.startsWith("BIND-FAILED"))
                m_Failure = QString::fromUtf8(line);
            else if (line.startsWith("CONNECT "))
                ++m_Connections;
            else if (line.startsWith("REFUSED-MAIL"))
                ++m_Refused;
            else if (line.startsWith("STORED "))
                ++m_Stored;
        }
    }

    QProcess m_Process;
    QTemporaryDir m_Spool;
    QByteArray m_Output;
    QString m_Failure;
    bool m_Ready = false;
    int m_Connections = 0;
    int m_Refused = 0;
    int m_Stored = 0;
};

#endif // POPBEFORESMTPSERVER_H
