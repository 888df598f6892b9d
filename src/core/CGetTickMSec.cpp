#include "CGetTickMSec.h"

#include <QElapsedTimer>

qint64 CGetTickMSec::GetTickMSec()
{
    QElapsedTimer timer;
    timer.start();
    const qint64 tick = timer.msecsSinceReference();
    // The monotonic reference may be system start; a reading of exactly 0
    // would be taken for "never set".
    return tick > 0 ? tick : 1;
}
