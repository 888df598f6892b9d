#include "CScheduleGuard.h"

#include "ExceptionTrace.h"

void CScheduleGuard::Report(const char* what)
{
    TraceException(what);
}
