#ifndef PROCESSFIGURES_H
#define PROCESSFIGURES_H

#include <QElapsedTimer>
#include <QMap>
#include <QString>

#include <algorithm>
#include <cstddef>
#include <functional>
#include <vector>
#include <malloc.h>
#include <sys/resource.h>
#include <time.h>

// What the benchmarks report about this process and the processes it starts.

// CPU time (user and system) in milliseconds: RUSAGE_SELF for this process,
// RUSAGE_CHILDREN for its ended and reaped child processes.
inline double CpuMs(int who = RUSAGE_SELF)
{
    rusage usage{};
    getrusage(who, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0
           + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
}

// CPU time of the calling thread in milliseconds: a stall in which it grew
// was the thread's own work, not the machine running something else.
inline double ThreadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

// CPU time of another running process of ours in milliseconds, from /proc
// (in steps of the kernel's clock tick); 0 when unknown.
double ProcessCpuMs(qint64 pid);

// The CPU time of each thread of another running process of ours, by thread
// id, from /proc.
QMap<QString, double> ProcessThreadCpuMs(qint64 pid);

// Peak resident memory in KiB.
inline long PeakKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Heap bytes in use now.
inline size_t HeapInUse()
{
    return mallinfo2().uordblks;
}

// Wall time of `work` in milliseconds.
inline double WallMs(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

// Wall times of `runs` runs of `work`, each after an untimed `prepare`
// where one is given.
inline std::vector<double> WallMsRuns(int runs, const std::function<void()>& work,
                                      const std::function<void()>& prepare = {})
{
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        if (prepare)
            prepare();
        times.push_back(WallMs(work));
    }
    return times;
}

// The middle value of some timings (the upper middle of an even count); 0 for none.
inline double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

#endif // PROCESSFIGURES_H
