#include "RaiseOpenFileLimit.h"
#include "LogCategories.h"

#include <QDebug>

#include <sys/resource.h>

long RaiseOpenFileLimit()
{
    struct rlimit limit;
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return -1;
    if (limit.rlim_cur == limit.rlim_max)
        return limit.rlim_cur == RLIM_INFINITY ? 0x7FFFFFFFL : long(limit.rlim_cur);

    struct rlimit wanted = limit;
    wanted.rlim_cur = limit.rlim_max;
    if (setrlimit(RLIMIT_NOFILE, &wanted) != 0 && limit.rlim_max == RLIM_INFINITY) {
        // An unlimited hard limit is not accepted as a soft limit for files;
        // the kernel's own ceiling is usually 1048576.
        wanted.rlim_cur = 1048576;
        if (setrlimit(RLIMIT_NOFILE, &wanted) != 0)
            qCDebug(lcDeviceLink, "RaiseOpenFileLimit: the open-file limit stays at %lu", static_cast<unsigned long>(limit.rlim_cur));
    }
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return -1;
    return limit.rlim_cur == RLIM_INFINITY ? 0x7FFFFFFFL : long(limit.rlim_cur);
}
