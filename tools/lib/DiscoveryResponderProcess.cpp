#include "DiscoveryResponderProcess.h"

#include <QElapsedTimer>
#include <QRegularExpression>

bool DiscoveryResponderProcess::start(const QString &program, quint16 port, const QString &subnet,
                                      const QString &fanOut, int hosts)
{
    m_Process.setProgram(program);
    m_Process.setArguments({"--port", QString::number(port), "--subnet", subnet, "--fanout", fanOut, "--no-log"});
    m_Process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_Process.start();
    if (!m_Process.waitForStarted(5000))
        return false;
    return readLine(20000) == QStringLiteral("ready %1").arg(hosts);
}

DiscoveryResponderProcess::Stats DiscoveryResponderProcess::stats()
{
    m_Process.write("stats\n");
    static const QRegularExpression re("stats requests=(\\d+) replies=(\\d+) accepts=(\\d+)");
    const QRegularExpressionMatch m = re.match(readLine(5000));
    Stats s;
    if (m.hasMatch()) {
        s.requests = m.captured(1).toLongLong();
        s.replies = m.captured(2).toLongLong();
        s.accepts = m.captured(3).toLongLong();
    }
    return s;
}

void DiscoveryResponderProcess::reset()
{
    m_Process.write("reset\n");
    readLine(5000);
}

void DiscoveryResponderProcess::stop()
{
    if (m_Process.state() == QProcess::NotRunning)
        return;
    m_Process.write("quit\n");
    m_Process.closeWriteChannel();
    if (!m_Process.waitForFinished(5000))
        m_Process.kill();
    m_Process.waitForFinished(2000);
}

QString DiscoveryResponderProcess::readLine(int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (!m_Process.canReadLine() && t.elapsed() < timeoutMs)
        m_Process.waitForReadyRead(100);
    return QString::fromLatin1(m_Process.readLine()).trimmed();
}
