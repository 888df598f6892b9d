#ifndef EXCEPTIONTRACE_H
#define EXCEPTIONTRACE_H

#include "LogCategories.h"
#include <QDebug>
#include <exception>

// The one debug line an operation writes when it stops at an exception it
// caught (QException derives from std::exception). Never shown to the user.
inline void TraceException(const char* what)
{
    qCDebug(lcCore, "exception occured [%s]", what ? what : "");
}

inline void TraceException(const std::exception& e)
{
    TraceException(e.what());
}

// Runs `body` and gives its result; an exception is traced and gives
// `fallback`, so none leaves an operation or a slot.
template <typename R, typename F>
R RunTraced(R fallback, F&& body)
{
    try {
        return body();
    } catch (const std::exception& e) {
        TraceException(e);
    } catch (...) {
        TraceException("unknown");
    }
    return fallback;
}

// The same for an operation with no result.
template <typename F>
void RunTraced(F&& body)
{
    try {
        body();
    } catch (const std::exception& e) {
        TraceException(e);
    } catch (...) {
        TraceException("unknown");
    }
}

#endif // EXCEPTIONTRACE_H
