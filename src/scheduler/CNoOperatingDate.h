#ifndef CNOOPERATINGDATE_H
#define CNOOPERATINGDATE_H

#include <QBitArray>
#include <QDateTime>

// The days on which schedules do not run: one flag per day from 2000-01-01
// to 2050-12-31, addressed by day offset. A value type; copies share the
// flags until one of them changes.
class CNoOperatingDate
{
public:
    CNoOperatingDate();
    CNoOperatingDate(const CNoOperatingDate& other);
    CNoOperatingDate& operator=(const CNoOperatingDate& other) = default;
    ~CNoOperatingDate();

    // This set takes `source`'s flags.
    void Copy(const CNoOperatingDate& source);
    // `target` takes this set's flags.
    void Clone(CNoOperatingDate& target) const;

    static int ToDayOffset(const QDateTime& date);
    static QDateTime ToDateTime(int offset);
    // Number of flags: the days from 2000-01-01 to 2050-12-31 inclusive.
    static int DayCount();

    bool IsNoOperatingDate(int offset) const;
    bool IsNoOperatingDate(const QDateTime& date) const;
    // Days outside the table (before 2000, after 2050, invalid dates) have
    // no flag: Add and Remove ignore them.
    void Add(int offset);
    void Add(const QDateTime& date);
    void Remove(int offset);
    void Remove(const QDateTime& date);

private:
    bool InRange(int offset) const { return offset >= 0 && offset < m_Flags.size(); }

    QBitArray m_Flags;
};

#endif // CNOOPERATINGDATE_H
