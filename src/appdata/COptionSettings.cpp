#include "COptionSettings.h"

#include "AppPaths.h"

const QString COptionSettings::DEF_PATH = QStringLiteral("Corvex Projector User Fennick/Lumivox 5");
const QString COptionSettings::DEF_TRANSPORTLOGPATH = QStringLiteral("Corvex Projector User Fennick/Lumivox 5");
const QString COptionSettings::DEF_SCHEDULELOGPATH = QStringLiteral("Corvex Projector User Fennick/Lumivox 5");
const QString COptionSettings::DEF_BOOTIMPORTPATH;
const QString COptionSettings::DEF_EVENTLOGPATH;

COptionSettings::COptionSettings()
    : m_Resident(false)
    , m_SaveLog(false)
    , m_AutoUpdate(false)
    , m_AutoUpdateInterval(10)
    , m_SaveScheduleLog(false)
    , m_ImportAvailable(false)
    , m_Import(false)
    , m_ImportPath(DEF_BOOTIMPORTPATH)
    , m_SaveEventLog(false)
{
    const QString base = AppPaths::homeFolder() + QStringLiteral("/Application Data/");
    m_SaveLogPath = base + DEF_TRANSPORTLOGPATH;
    m_SaveScheduleLogPath = base + DEF_SCHEDULELOGPATH;
    m_SaveEventLogPath = base + DEF_EVENTLOGPATH;
}

COptionSettings::COptionSettings(COptionSettings* other)
    : COptionSettings()
{
    if (other)
        *this = *other;
}

COptionSettings::~COptionSettings()
{
}
