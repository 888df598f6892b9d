#ifndef CSYSTEMCLOCK_H
#define CSYSTEMCLOCK_H

#include <QDateTime>

#include <functional>

// The computer's clock as the scheduler reads it: the clock's real time,
// new schedule records and per-projector request times. Tests put a
// function of their own in its place.
class CSystemClock
{
public:
    using NowFunction = std::function<QDateTime()>;

    // The current local date and time (or the injected function's answer).
    static QDateTime Now();
    // An empty function restores QDateTime::currentDateTime().
    static void SetNowFunction(NowFunction function);

private:
    static NowFunction& Function();
};

#endif // CSYSTEMCLOCK_H
