#ifndef EXCEPTIONTRACE_H
#define EXCEPTIONTRACE_H

#include <QDebug>
#include <exception>

// The one debug line an operation writes when it stops at an exception it
// caught (QException derives from std::exception). Never shown to the user.
inline void TraceException(const std::exception& e)
{
    qDebug("exception occured [%s]", e.what());
}

#endif // EXCEPTIONTRACE_H
