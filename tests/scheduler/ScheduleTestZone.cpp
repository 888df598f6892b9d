#include "ScheduleTestZone.h"

#include <QFile>

#include <ctime>

ScheduleTestZone::ScheduleTestZone(const QByteArray& zone)
    : m_HadZone(qEnvironmentVariableIsSet("TZ"))
    , m_Previous(qgetenv("TZ"))
{
    qputenv("TZ", zone);
    tzset();
}

ScheduleTestZone::~ScheduleTestZone()
{
    if (m_HadZone)
        qputenv("TZ", m_Previous);
    else
        qunsetenv("TZ");
    tzset();
}

bool ScheduleTestZone::Available(const QByteArray& zone)
{
    return zone == "UTC" || QFile::exists(QStringLiteral("/usr/share/zoneinfo/") + QString::fromLatin1(zone));
}
