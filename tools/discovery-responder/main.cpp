// Simulated projectors for the discovery protocol, in a process of their own.
//
//   discovery-responder --port P [--subnet 127.0.4.0/22] [--address 127.0.0.2 ...]
//                       [--fanout 127.0.7.255] [--delay-ms N] [--no-log]
//
// Prints "ready N" once N responders are bound. Reads commands from standard
// input, one a line: "stats" prints
// "stats requests=R replies=S accepts=A datagrams=D", "reset" zeroes the
// counters, "quit" (or the end of input) ends the program.

#include <QCoreApplication>
#include <QHostAddress>
#include <QSocketNotifier>
#include <QStringList>
#include <QTextStream>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "DiscoveryResponder.h"

namespace {

void raiseFileLimit()
{
    // One socket per responder: a /22 needs more than the usual 1024 descriptors.
    rlimit limit {};
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        setrlimit(RLIMIT_NOFILE, &limit);
    }
}

bool hostsOfSubnet(const QString &text, QList<QHostAddress> *hosts)
{
    const QPair<QHostAddress, int> subnet = QHostAddress::parseSubnet(text);
    if (subnet.first.protocol() != QAbstractSocket::IPv4Protocol || subnet.second < 8 || subnet.second > 30)
        return false;
    const quint32 size = 1u << (32 - subnet.second);
    const quint32 network = subnet.first.toIPv4Address() & ~(size - 1);
    for (quint32 i = 1; i + 1 < size; ++i)
        hosts->append(QHostAddress(network + i));
    return true;
}

void fail(const QString &message)
{
    std::fprintf(stderr, "discovery-responder: %s\n", qPrintable(message));
    std::exit(2);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    raiseFileLimit();

    quint16 port = 0;
    QList<QHostAddress> hosts;
    QHostAddress fanOut;
    DiscoveryReplyScript script;
    bool logging = true;

    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        const QString &a = args.at(i);
        const QString value = i + 1 < args.size() ? args.at(i + 1) : QString();
        if (a == QLatin1String("--port")) {
            port = quint16(value.toUInt());
            ++i;
        } else if (a == QLatin1String("--subnet")) {
            if (!hostsOfSubnet(value, &hosts))
                fail(QStringLiteral("bad subnet %1").arg(value));
            ++i;
        } else if (a == QLatin1String("--address")) {
            hosts.append(QHostAddress(value));
            ++i;
        } else if (a == QLatin1String("--fanout")) {
            fanOut = QHostAddress(value);
            ++i;
        } else if (a == QLatin1String("--delay-ms")) {
            script.delayMs = value.toInt();
            ++i;
        } else if (a == QLatin1String("--no-log")) {
            logging = false;
        } else {
            fail(QStringLiteral("unknown argument %1").arg(a));
        }
    }
    if (port == 0)
        fail(QStringLiteral("--port is required"));

    DiscoveryResponder responder(port);
    responder.setDefaultScript(script);
    responder.setLogging(logging);
    for (const QHostAddress &host : hosts) {
        if (!responder.addResponder(host))
            fail(QStringLiteral("cannot answer on %1:%2 (only 127.0.0.0/8)").arg(host.toString()).arg(port));
    }
    if (!fanOut.isNull() && !responder.setFanOutAddress(fanOut))
        fail(QStringLiteral("cannot listen on fan-out %1:%2").arg(fanOut.toString()).arg(port));

    QTextStream out(stdout);
    out << "ready " << responder.responderCount() << Qt::endl;

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char line[256];
        const ssize_t n = ::read(STDIN_FILENO, line, sizeof line - 1);
        if (n <= 0) {
            input.setEnabled(false);
            app.quit();
            return;
        }
        line[n] = '\0';
        const QStringList commands = QString::fromLatin1(line).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (const QString &command : commands) {
            const QString c = command.trimmed();
            if (c == QLatin1String("stats")) {
                out << "stats requests=" << responder.requestsReceived() << " replies=" << responder.repliesSent()
                    << " accepts=" << responder.acceptsReceived() << " datagrams=" << responder.datagramsReceived()
                    << Qt::endl;
            } else if (c == QLatin1String("reset")) {
                responder.resetCounters();
                responder.clearLog();
                out << "reset" << Qt::endl;
            } else if (c == QLatin1String("quit")) {
                app.quit();
            }
        }
    });
    return app.exec();
}
