#ifndef DISCOVERYRESPONDERPROCESS_H
#define DISCOVERYRESPONDERPROCESS_H

#include <QProcess>
#include <QString>

// The discovery responder program (tools/discovery-responder) run as a
// process of its own, for benchmarks: a subnet of responders on loopback
// answering at one port, driven through its standard input.
class DiscoveryResponderProcess
{
public:
    struct Stats
    {
        qint64 requests = -1, replies = -1, accepts = -1;
    };

    ~DiscoveryResponderProcess() { stop(); }

    // Starts it and waits for its "ready N"; false unless `hosts` responders came up.
    bool start(const QString &program, quint16 port, const QString &subnet, const QString &fanOut, int hosts);
    Stats stats();
    void reset();
    void stop();

private:
    QString readLine(int timeoutMs);

    QProcess m_Process;
};

#endif // DISCOVERYRESPONDERPROCESS_H
