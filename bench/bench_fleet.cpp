// Status update of a fleet of simulated projectors through the command engine.
// The simulator runs as a process of its own, every projector on its own
// loopback address with a reply delay. For fleets of 1, 200 and 2000 and
// delays of 0, 20 and 50 ms this prints the wall time of the sweep, its ratio
// to the one-projector sweep at the same delay, this program's CPU time per
// projector during the sweep and its peak memory. Each configuration runs in
// a fresh child process so its peak memory is its own; the table is printed
// once as the processes start by default and once with the event dispatcher
// and time zone settings a large fleet wants.
//
//   bench_fleet [--simulator path] [--profile path] [--model name]
//   bench_fleet --one <count> <delay ms> ...   (one configuration; one result line)

#include <QCoreApplication>
#include <QProcess>
#include <QStringList>


#include <cstdio>

#include "CFleetSweep.h"
#include "ProcessFigures.h"
#include "RaiseOpenFileLimit.h"

namespace {

QString Option(const QStringList& args, const QString& name, const QString& fallback = QString())
{
    const int i = args.indexOf(name);
    return i >= 0 && i + 1 < args.size() ? args.at(i + 1) : fallback;
}

int RunOne(const QStringList& args)
{
    const int at = args.indexOf(QStringLiteral("--one"));
    const int count = args.value(at + 1).toInt();
    const int delay = args.value(at + 2).toInt();
    CFleetSweep sweep;
    if (!sweep.StartSimulator(CFleetSweep::FindSimulator(Option(args, QStringLiteral("--simulator"))), count,
                              Option(args, QStringLiteral("--model"), QStringLiteral("LV-L100")), delay)
        || !sweep.CreateRecords(CFleetSweep::FindProfile(Option(args, QStringLiteral("--profile"))))) {
        std::fprintf(stderr, "bench_fleet: %s\n", qPrintable(sweep.Error()));
        return 2;
    }
    const CFleetSweep::Outcome o = sweep.Sweep(120000);
    std::printf("RESULT %lld %.3f %ld %d %d %d %.0f\n", static_cast<long long>(o.wallMs), o.cpuMs, PeakKiB(),
                o.completed, o.failed, o.timedOut ? 1 : 0, o.simulatorCpuMs);
    std::fflush(stdout);
    return 0;
}

struct Row
{
    int count = 0;
    int delay = 0;
    bool ok = false;
    qint64 wallMs = 0;
    double cpuMs = 0;
    long peakKiB = 0;
    int completed = 0;
    int failed = 0;
    bool timedOut = false;
    double simulatorCpuMs = 0;
};

Row RunChild(const QStringList& args, int count, int delay, bool tuned)
{
    Row row;
    row.count = count;
    row.delay = delay;
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    if (tuned) {
        // Qt's own poll dispatcher instead of glib's, whose socket notifier
        // bookkeeping is linear in the number of open sockets; and a fixed
        // time zone, so local times do not stat the zone file every frame.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_NO_GLIB"), QStringLiteral("1"));
        if (!env.contains(QStringLiteral("TZ")))
            env.insert(QStringLiteral("TZ"), QStringLiteral(":/etc/localtime"));
        child.setProcessEnvironment(env);
    }
    QStringList childArgs = args.mid(1);
    childArgs << QStringLiteral("--one") << QString::number(count) << QString::number(delay);
    child.start(QCoreApplication::applicationFilePath(), childArgs);
    if (!child.waitForFinished(300000)) {
        child.kill();
        child.waitForFinished(5000);
        return row;
    }
    for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> f = line.split(' ');
        if (f.size() != 8 || f.at(0) != "RESULT")
            continue;
        row.wallMs = f.at(1).toLongLong();
        row.cpuMs = f.at(2).toDouble();
        row.peakKiB = f.at(3).toLong();
        row.completed = f.at(4).toInt();
        row.failed = f.at(5).toInt();
        row.timedOut = f.at(6).toInt() != 0;
        row.simulatorCpuMs = f.at(7).toDouble();
        row.ok = true;
    }
    return row;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    RaiseOpenFileLimit();
    const QStringList args = QCoreApplication::arguments();
    if (args.contains(QStringLiteral("--one")))
        return RunOne(args);

    const int counts[] = {1, 200, 2000};
    const int delays[] = {0, 20, 50};
    bool allOk = true;
    for (bool tuned : {false, true}) {
        std::printf("%s\n", tuned ? "\nWith QT_NO_GLIB=1 and TZ set (both processes):"
                                  : "Status update of a fleet through the command engine (simulator in its own process):");
        std::printf("%6s %6s %10s %8s %14s %10s %10s %7s %12s\n", "fleet", "delay", "wall ms", "ratio",
                    "CPU ms/proj.", "peak MiB", "completed", "failed", "sim. CPU ms");
        for (int delay : delays) {
            qint64 single = 0;
            for (int count : counts) {
                const Row r = RunChild(args, count, delay, tuned);
                if (!r.ok) {
                    std::printf("%6d %6d   (no result)\n", count, delay);
                    allOk = false;
                    continue;
                }
                if (count == 1)
                    single = r.wallMs;
                const double ratio = single > 0 ? double(r.wallMs) / double(single) : 0.0;
                std::printf("%6d %6d %10lld %8.2f %14.3f %10.1f %10d %7d %12.0f%s\n", count, delay,
                            static_cast<long long>(r.wallMs), ratio, r.cpuMs / count, r.peakKiB / 1024.0,
                            r.completed, r.failed, r.simulatorCpuMs, r.timedOut ? "  (timed out)" : "");
                std::fflush(stdout);
                allOk = allOk && r.failed == 0 && !r.timedOut && r.completed == count;
            }
        }
    }
    return allOk ? 0 : 1;
}
