#include "CDayOffset.h"

#include <limits>

int CDayOffset::ToDayOffset(const QDateTime& date)
{
    return ToDayOffset(date.date());
}

int CDayOffset::ToDayOffset(const QDate& date)
{
    const qint64 days = Origin().daysTo(date);
    // Dates millions of years away do not fit an int; no caller has a flag there.
    if (days > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (days < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(days);
}

QDateTime CDayOffset::ToDateTime(int offset)
{
    return QDateTime(Origin().addDays(offset), QTime(0, 0));
}
