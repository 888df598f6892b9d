#ifndef CSCHEDULEGUARD_H
#define CSCHEDULEGUARD_H

#include "ExceptionTrace.h"

#include <exception>
#include <utility>

// The scheduler's operations report no failure to their callers: an
// exception (in practice only an allocation failure) is written to the
// debug log and the operation returns its default.
class CScheduleGuard
{
public:
    static void Report(const char* what);

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

    // Constructors log and pass the exception on: a half-built object must not live.
    template <typename F>
    static void RunOrRethrow(F&& body)
    {
        try {
            body();
        } catch (const std::exception& e) {
            Report(e.what());
            throw;
        } catch (...) {
            Report("unknown");
            throw;
        }
    }
};

#endif // CSCHEDULEGUARD_H
