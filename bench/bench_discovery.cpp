// Discovery search against a /22 of simulated projectors in their own process.
//
//   bench_discovery [--responder PATH] [--runs N] [--debug]
//
// A broadcast search in a 1022-host domain (every responder answers each of
// the four requests) and an address search over the same 1022 hosts. Prints
// per search: replies sent, projectors listed, accepts received, replies lost,
// the engine's CPU time and the wall time. --debug keeps the engine's debug
// lines on (formatted, then dropped) instead of switching their category off.

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QTextStream>
#include <QTimer>


#include "DiscoveryResponder.h"
#include "DiscoveryResponderProcess.h"
#include "PJSearchUdp.h"
#include "ProcessFigures.h"

namespace {

const char *const Subnet = "127.0.4.0/22";
const char *const FanOut = "127.0.7.255";
const int Hosts = 1022;

// Runs one search to its end, then lets the last accepts land.
void runSearch(PJSearchUdp &engine, unsigned int command, double *cpu, qint64 *wallMs)
{
    QElapsedTimer wall;
    const double cpu0 = CpuMs() / 1000.0;
    wall.start();
    if (!engine.Start(command)) {
        *cpu = -1;
        *wallMs = -1;
        return;
    }
    // Sleep in the event loop until the engine's own timer ends the search.
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (!engine.isRunning())
            loop.quit();
    });
    poll.start(10);
    loop.exec();
    *cpu = CpuMs() / 1000.0 - cpu0;
    *wallMs = wall.elapsed();
    QTimer::singleShot(300, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);

    QString program = QDir(app.applicationDirPath()).filePath("../tools/discovery-responder");
    int runs = 3;
    bool debug = false;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args.at(i) == "--responder" && i + 1 < args.size())
            program = args.at(++i);
        else if (args.at(i) == "--runs" && i + 1 < args.size())
            runs = qMax(1, args.at(++i).toInt());
        else if (args.at(i) == "--debug")
            debug = true;
    }
    if (!QFileInfo(program).isExecutable()) {
        out << "responder program not found: " << program << Qt::endl;
        return 2;
    }
    if (debug)
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    else
        QLoggingCategory::setFilterRules(QStringLiteral("lumivox.discovery.*.debug=false"));

    const QHostAddress local(QStringLiteral("127.0.0.1"));
    const quint16 port = DiscoveryResponder::findFreePort({local, QHostAddress(FanOut), QHostAddress("127.0.4.1")});
    DiscoveryResponderProcess responder;
    if (port == 0 || !responder.start(program, port, Subnet, FanOut, Hosts)) {
        out << "responder did not start" << Qt::endl;
        return 2;
    }

    QList<QHostAddress> hosts;
    const quint32 network = QHostAddress(QStringLiteral("127.0.4.0")).toIPv4Address();
    for (quint32 i = 1; i <= quint32(Hosts); ++i)
        hosts.append(QHostAddress(network + i));

    out << "discovery search, " << Hosts << " responders in " << Subnet << " (own process), port " << port
        << ", debug lines " << (debug ? "formatted and dropped" : "off") << Qt::endl;
    out << "search     run  replies  listed  accepts  lost  engine-cpu-s  wall-ms" << Qt::endl;

    int status = 0;
    for (int run = 1; run <= runs; ++run) {
        for (unsigned int command : {unsigned(SRCH_CMD_BROADCAST), unsigned(SRCH_CMD_UNICAST)}) {
            QList<QHostAddress> list{local};
            if (command == SRCH_CMD_BROADCAST)
                list.append(QHostAddress(FanOut));
            else
                list.append(hosts);
            PJSearchUdp engine(nullptr, 0x20, list);
            engine.SetBindAddress(local, port);
            responder.reset();
            double cpu = 0;
            qint64 wallMs = 0;
            runSearch(engine, command, &cpu, &wallMs);
            const DiscoveryResponderProcess::Stats s = responder.stats();
            const int listed = engine.PJListCount();
            // Every broadcast reply that arrives is accepted; every address
            // search reply lists its own sender.
            const qint64 received = command == SRCH_CMD_BROADCAST ? s.accepts : listed;
            const qint64 lost = s.replies - received;
            out << (command == SRCH_CMD_BROADCAST ? "broadcast" : "address  ") << "  " << run
                << qSetFieldWidth(9) << s.replies << qSetFieldWidth(8) << listed << qSetFieldWidth(9) << s.accepts
                << qSetFieldWidth(6) << lost << qSetFieldWidth(14) << QString::number(cpu, 'f', 3)
                << qSetFieldWidth(9) << wallMs << qSetFieldWidth(0) << Qt::endl;
            if (listed != Hosts || lost != 0 || cpu < 0)
                status = 1;
        }
    }
    responder.stop();
    return status;
}
