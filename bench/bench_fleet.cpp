// Status update of a fleet of simulated projectors through the command engine.
// The simulator runs as a process of its own, every projector on its own
// loopback address with a reply delay. For fleets of 1, 200 and 2000 and
// delays of 0, 20 and 50 ms, and once for 2000 at 20 ms with a tenth of the
// fleet refusing, silent or answering late, this prints the wall time of the
// sweep, its ratio to the one-projector sweep at the same delay, this
// program's CPU time per projector during the sweep, its peak memory (in all
// and per projector), the longest time the main thread (the GUI thread in the
// program, which runs the command engine) and the device link's own threads
// each went without returning to their event loop, and the simulator's CPU
// time in all and of its busiest thread. Each configuration
// runs in a fresh child process so its peak memory is its own; the child
// starts as the program does (it sets what the program sets).
//
//   bench_fleet [--simulator path] [--profile path] [--model name] [--link-threads N]
//   bench_fleet --one <count> <delay ms> <troubled percent> ...   (one configuration; one result line)

#include <QCoreApplication>
#include <QProcess>
#include <QStringList>


#include <cstdio>

#include "CFleetSweep.h"
#include "ProcessFigures.h"
#include "FleetHeap.h"
#include "RaiseOpenFileLimit.h"

namespace {

QString Option(const QStringList& args, const QString& name, const QString& fallback = QString())
{
    const int i = args.indexOf(name);
    return i >= 0 && i + 1 < args.size() ? args.at(i + 1) : fallback;
}

// Late ones answer after the response time has run out (5000 ms).
const int LATE_MS = 6000;

// The same simulator and exchanges without the program: the floor.
int RunBare(const QStringList& args)
{
    const int at = args.indexOf(QStringLiteral("--bare"));
    CFleetSweep sweep;
    if (!sweep.StartSimulator(CFleetSweep::FindSimulator(Option(args, QStringLiteral("--simulator"))),
                              args.value(at + 1).toInt(), Option(args, QStringLiteral("--model"), QStringLiteral("LV-L100")),
                              args.value(at + 2).toInt())) {
        std::fprintf(stderr, "bench_fleet: %s\n", qPrintable(sweep.Error()));
        return 2;
    }
    const CFleetSweep::Outcome o = sweep.BareSweep(args.value(at + 3).toInt(), 120000);
    std::printf("BARE %lld %.3f %d %d %d\n", static_cast<long long>(o.wallMs), o.cpuMs, o.completed, o.failed,
                o.frames);
    std::fflush(stdout);
    return o.timedOut ? 1 : 0;
}

int RunOne(const QStringList& args)
{
    const int at = args.indexOf(QStringLiteral("--one"));
    const int count = args.value(at + 1).toInt();
    const int delay = args.value(at + 2).toInt();
    const int troubled = args.value(at + 3).toInt();
    CFleetSweep sweep;
    sweep.SetLinkThreads(Option(args, QStringLiteral("--link-threads"), QStringLiteral("0")).toInt());
    QStringList extra;
    if (troubled > 0)
        extra << QStringLiteral("--troubled") << QString::number(troubled) << QStringLiteral("--late")
              << QString::number(LATE_MS);
    if (!sweep.StartSimulator(CFleetSweep::FindSimulator(Option(args, QStringLiteral("--simulator"))), count,
                              Option(args, QStringLiteral("--model"), QStringLiteral("LV-L100")), delay, extra)
        || !sweep.CreateRecords(CFleetSweep::FindProfile(Option(args, QStringLiteral("--profile"))))) {
        std::fprintf(stderr, "bench_fleet: %s\n", qPrintable(sweep.Error()));
        return 2;
    }
    // With late answers about, wait past them for any second result.
    const CFleetSweep::Outcome o = sweep.Sweep(120000, troubled > 0 ? LATE_MS : 0);
    QStringList perThread;
    for (qint64 ms : o.linkStallsMs)
        perThread << QString::number(ms);
    if (perThread.isEmpty())
        perThread << QStringLiteral("-");
    std::printf("RESULT %lld %.3f %ld %d %d %d %.0f %d %.0f %lld %lld %s %.3f %d\n", static_cast<long long>(o.wallMs), o.cpuMs,
                PeakKiB(), o.completed, o.failed, o.timedOut ? 1 : 0, o.simulatorCpuMs, o.doubled,
                o.simulatorBusiestThreadMs, static_cast<long long>(o.longestStallMs),
                static_cast<long long>(o.longestLinkStallMs), qPrintable(perThread.join(QLatin1Char('/'))), o.mainCpuMs, o.frames);
    std::fflush(stdout);
    return 0;
}

struct Row
{
    bool ok = false;
    qint64 wallMs = 0;
    double cpuMs = 0;
    double mainCpuMs = 0;
    long peakKiB = 0;
    int completed = 0;
    int failed = 0;
    bool timedOut = false;
    double simulatorCpuMs = 0;
    int doubled = 0;
    double simulatorBusiestThreadMs = 0;
    qint64 longestStallMs = 0;
    qint64 longestLinkStallMs = 0;
    QByteArray linkStallsMs;
    int frames = 0;
};

Row RunChild(const QStringList& args, int count, int delay, int troubled)
{
    Row row;
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QStringList childArgs = args.mid(1);
    childArgs << QStringLiteral("--one") << QString::number(count) << QString::number(delay)
              << QString::number(troubled);
    child.start(QCoreApplication::applicationFilePath(), childArgs);
    if (!child.waitForFinished(300000)) {
        child.kill();
        child.waitForFinished(5000);
        return row;
    }
    for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> f = line.split(' ');
        if (f.size() != 15 || f.at(0) != "RESULT")
            continue;
        row.wallMs = f.at(1).toLongLong();
        row.cpuMs = f.at(2).toDouble();
        row.peakKiB = f.at(3).toLong();
        row.completed = f.at(4).toInt();
        row.failed = f.at(5).toInt();
        row.timedOut = f.at(6).toInt() != 0;
        row.simulatorCpuMs = f.at(7).toDouble();
        row.doubled = f.at(8).toInt();
        row.simulatorBusiestThreadMs = f.at(9).toDouble();
        row.longestStallMs = f.at(10).toLongLong();
        row.longestLinkStallMs = f.at(11).toLongLong();
        row.linkStallsMs = f.at(12);
        row.mainCpuMs = f.at(13).toDouble();
        row.frames = f.at(14).trimmed().toInt();
        row.ok = true;
    }
    return row;
}

} // namespace

int main(int argc, char* argv[])
{
    StartAsFleetProgram(argv); // as the program does
    QCoreApplication app(argc, argv);
    RaiseOpenFileLimit();
    const QStringList args = QCoreApplication::arguments();
    if (args.contains(QStringLiteral("--one")))
        return RunOne(args);
    if (args.contains(QStringLiteral("--bare")))
        return RunBare(args);

    struct Config
    {
        int count;
        int delay;
        int troubled; // percent refusing, silent or late
    };
    const Config configs[] = {{1, 0, 0},  {200, 0, 0},  {2000, 0, 0},  {1, 20, 0},    {200, 20, 0},
                              {2000, 20, 0}, {1, 50, 0}, {200, 50, 0}, {2000, 50, 0}, {2000, 20, 10}};
    std::printf("Status update of a fleet through the command engine (simulator in its own process):\n");
    std::printf("%6s %6s %7s %9s %7s %8s %8s %9s %9s %9s %7s %7s %8s %8s %10s %10s  %s\n", "fleet", "delay", "trouble",
                "wall ms", "ratio", "CPU ms", "of it", "peak MiB", "peak KiB", "completed", "failed", "doubled",
                "stall ms", "stall ms", "sim. CPU", "sim. max", "stall ms");
    std::printf("%6s %6s %7s %9s %7s %8s %8s %9s %9s %9s %7s %7s %8s %8s %10s %10s  %s\n", "", "ms", "%", "", "", "/proj.",
                "main", "", "/proj.", "", "", "", "main", "link", "ms", "thread ms", "each link");
    bool allOk = true;
    qint64 single = 0;
    int framesPerProjector = 0;
    for (const Config& c : configs) {
        const Row r = RunChild(args, c.count, c.delay, c.troubled);
        if (!r.ok) {
            std::printf("%6d %6d %7d   (no result)\n", c.count, c.delay, c.troubled);
            allOk = false;
            continue;
        }
        if (c.count == 1)
            single = r.wallMs;
        if (c.count == 1 && c.delay == 0)
            framesPerProjector = r.frames;
        const double ratio = single > 0 && c.troubled == 0 ? double(r.wallMs) / double(single) : 0.0;
        std::printf("%6d %6d %7d %9lld %7.2f %8.3f %8.3f %9.1f %9.1f %9d %7d %7d %8lld %8lld %10.0f %10.0f  %s%s\n", c.count,
                    c.delay, c.troubled, static_cast<long long>(r.wallMs), ratio, r.cpuMs / c.count, r.mainCpuMs / c.count,
                    r.peakKiB / 1024.0, double(r.peakKiB) / c.count, r.completed, r.failed, r.doubled,
                    static_cast<long long>(r.longestStallMs), static_cast<long long>(r.longestLinkStallMs),
                    r.simulatorCpuMs, r.simulatorBusiestThreadMs, r.linkStallsMs.constData(),
                    r.timedOut ? "  (timed out)" : "");
        std::fflush(stdout);
        const bool everyOneResult = r.completed + r.failed == c.count && r.doubled == 0 && !r.timedOut;
        allOk = allOk && everyOneResult && (c.troubled > 0 || r.failed == 0);
    }
    // The floor: the same exchanges from a bare client.
    std::printf("\nThe same %d exchanges per projector from a bare client (one thread, plain sockets, epoll):\n",
                framesPerProjector);
    std::printf("%6s %6s %9s %7s %8s\n", "fleet", "delay", "wall ms", "ratio", "CPU ms");
    std::printf("%6s %6s %9s %7s %8s\n", "", "ms", "", "", "/proj.");
    qint64 bareSingle = 0;
    for (const Config& c : configs) {
        if (c.troubled > 0 || c.count == 200 || framesPerProjector <= 0)
            continue;
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(),
                    args.mid(1) << QStringLiteral("--bare") << QString::number(c.count) << QString::number(c.delay)
                                << QString::number(framesPerProjector));
        child.waitForFinished(300000);
        const QList<QByteArray> f = child.readAllStandardOutput().trimmed().split(' ');
        if (f.size() != 6 || f.at(0) != "BARE") {
            std::printf("%6d %6d   (no result)\n", c.count, c.delay);
            continue;
        }
        const qint64 wall = f.at(1).toLongLong();
        if (c.count == 1)
            bareSingle = wall;
        std::printf("%6d %6d %9lld %7.2f %8.3f\n", c.count, c.delay, static_cast<long long>(wall),
                    bareSingle > 0 ? double(wall) / double(bareSingle) : 0.0, f.at(2).toDouble() / c.count);
        std::fflush(stdout);
    }
    std::printf("\nStall: main is the main thread's (the GUI thread in the program; it runs the command engine),\n"
                "link the device link's own threads' (sockets and their timers), the longest and each one's.\n"
                "CPU: all threads of this program during the sweep, and of it the main thread's.\n");
    return allOk ? 0 : 1;
}
