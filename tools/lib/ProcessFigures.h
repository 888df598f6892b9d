#ifndef PROCESSFIGURES_H
#define PROCESSFIGURES_H

#include <QElapsedTimer>

#include <cstddef>
#include <functional>
#include <malloc.h>
#include <sys/resource.h>

// What the benchmarks report about this process.

// CPU time (user and system) in milliseconds: RUSAGE_SELF for this process,
// RUSAGE_CHILDREN for its ended and reaped child processes.
inline double CpuMs(int who = RUSAGE_SELF)
{
    rusage usage{};
    getrusage(who, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0
           + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
}

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

#endif // PROCESSFIGURES_H
