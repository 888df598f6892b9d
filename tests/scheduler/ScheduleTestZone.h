#ifndef SCHEDULETESTZONE_H
#define SCHEDULETESTZONE_H

#include <QByteArray>

// Puts the process into a time zone for the lifetime of the object and
// restores the previous one afterwards.
class ScheduleTestZone
{
public:
    explicit ScheduleTestZone(const QByteArray& zone);
    ~ScheduleTestZone();
    ScheduleTestZone(const ScheduleTestZone&) = delete;
    ScheduleTestZone& operator=(const ScheduleTestZone&) = delete;

    // Whether the system has the zone's rules (tzdata).
    static bool Available(const QByteArray& zone);

private:
    bool m_HadZone;
    QByteArray m_Previous;
};

#endif // SCHEDULETESTZONE_H
