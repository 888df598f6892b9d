#include "ProcessFigures.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>

#include <unistd.h>

namespace {

// User and system time of a /proc stat file (a process's or a thread's).
double StatCpuMs(const QString& path)
{
    QFile stat(path);
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray text = stat.readAll();
    // The fields after the command name, which is in parentheses.
    const QList<QByteArray> f = text.mid(text.lastIndexOf(')') + 2).split(' ');
    if (f.size() < 13)
        return 0;
    const double ticks = double(sysconf(_SC_CLK_TCK));
    return (f.at(11).toDouble() + f.at(12).toDouble()) * 1000.0 / ticks;
}

} // namespace

double ProcessCpuMs(qint64 pid)
{
    return pid > 0 ? StatCpuMs(QStringLiteral("/proc/%1/stat").arg(pid)) : 0;
}

QMap<QString, double> ProcessThreadCpuMs(qint64 pid)
{
    QMap<QString, double> times;
    if (pid <= 0)
        return times;
    const QString tasks = QStringLiteral("/proc/%1/task").arg(pid);
    for (const QString& tid : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        times.insert(tid, StatCpuMs(QStringLiteral("%1/%2/stat").arg(tasks, tid)));
    return times;
}
