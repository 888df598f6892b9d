#ifndef CSCHEDULEGUARD_H
#define CSCHEDULEGUARD_H

#include "ExceptionTrace.h"

#include <utility>

// The schedule file's operations still call the scheduler's former guard;
// it is `RunTraced` under another name, and goes once they call that.
class CScheduleGuard
{
public:
    template <typename R, typename F>
    static R Run(R fallback, F&& body)
    {
        return RunTraced(fallback, std::forward<F>(body));
    }

    template <typename F>
    static void Run(F&& body)
    {
        RunTraced(std::forward<F>(body));
    }
};

#endif // CSCHEDULEGUARD_H
