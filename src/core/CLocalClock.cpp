#include "CLocalClock.h"

#include <climits>
#include <ctime>

namespace {

// The zone rules are read again at most this often (in seconds), so a time
// zone changed on the running system is followed within a minute.
constexpr qint64 ZoneRecheckSeconds = 60;

qint64 FloorDiv(qint64 value, qint64 divisor)
{
    const qint64 quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

int OffsetAt(qint64 utcSecond)
{
    const time_t t = time_t(utcSecond);
    tm local{};
    if (!localtime_r(&t, &local))
        return 0;
    return int(local.tm_gmtoff);
}

} // namespace

QDateTime CLocalClock::Now()
{
    // A busy thread stamps many events within one millisecond: they share
    // one date-time instead of building one each.
    thread_local qint64 lastMsecs = LLONG_MIN;
    thread_local QDateTime last;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now != lastMsecs) {
        last = At(now);
        lastMsecs = now;
    }
    return last;
}

QDateTime CLocalClock::At(qint64 utcMsecs)
{
    thread_local qint64 cachedSecond = LLONG_MIN;
    thread_local qint64 checkedAt = LLONG_MIN;
    thread_local int cachedOffset = 0;
    const qint64 second = FloorDiv(utcMsecs, 1000);
    if (second != cachedSecond) {
        if (checkedAt == LLONG_MIN || second < checkedAt || second - checkedAt >= ZoneRecheckSeconds) {
            tzset();
            checkedAt = second;
        }
        cachedOffset = OffsetAt(second);
        cachedSecond = second;
    }
    return QDateTime::fromMSecsSinceEpoch(utcMsecs, Qt::OffsetFromUTC, cachedOffset);
}
