#ifndef CLOCALCLOCK_H
#define CLOCALCLOCK_H

#include <QDateTime>

// Local wall time without asking the zone database on every call.
// QDateTime::currentDateTime() resolves the local offset each time (with TZ
// unset that means a look at the zone file), which shows when every frame of
// thousands of projector connections is stamped. Here the offset is looked up
// once per second of UTC time and per thread; the result carries that offset,
// so its date(), time() and text are the local ones and it compares, as any
// QDateTime does, by the instant it names.
class CLocalClock
{
public:
    // The current local time.
    static QDateTime Now();
    // The local time at `utcMsecs` since the epoch.
    static QDateTime At(qint64 utcMsecs);
};

#endif // CLOCALCLOCK_H
