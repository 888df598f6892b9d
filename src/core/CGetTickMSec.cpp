#include "CGetTickMSec.h"

#include <time.h>

qint64 CGetTickMSec::GetTickMSec()
{
    // The clock QElapsedTimer reads, without its wrapper: every value setter
    // reads it.
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    const qint64 tick = qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
    // The monotonic reference may be system start; a reading of exactly 0
    // would be taken for "never set".
    return tick > 0 ? tick : 1;
}
