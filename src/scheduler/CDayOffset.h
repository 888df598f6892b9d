#ifndef CDAYOFFSET_H
#define CDAYOFFSET_H

#include <QDate>
#include <QDateTime>

// Day offsets: whole days counted from 2000-01-01 (offset 0). The schedule
// collection, the no-operating dates, the clock and the schedule file all
// count days this way, so they share this one conversion.
class CDayOffset
{
public:
    // Days from 2000-01-01 to the date part of `date` (negative before 2000).
    static int ToDayOffset(const QDateTime& date);
    static int ToDayOffset(const QDate& date);
    // 00:00 (local time) of the day `offset` days after 2000-01-01.
    static QDateTime ToDateTime(int offset);

    static QDate Origin() { return QDate(2000, 1, 1); }
};

#endif // CDAYOFFSET_H
