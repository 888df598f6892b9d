#ifndef COPTIONSETTINGS_H
#define COPTIONSETTINGS_H

#include <QString>

// The program options: resident mode, the three logs and their folders,
// automatic update and the automatic import at start. Copied by value.
class COptionSettings
{
public:
    static const QString DEF_PATH;
    static const QString DEF_TRANSPORTLOGPATH;
    static const QString DEF_SCHEDULELOGPATH;
    static const QString DEF_BOOTIMPORTPATH;
    static const QString DEF_EVENTLOGPATH;

    // The log folders lie below the home folder as it is at construction.
    COptionSettings();
    // A copy of `other`; a null pointer gives the initial values.
    explicit COptionSettings(COptionSettings* other);
    COptionSettings(const COptionSettings& other) = default;
    COptionSettings& operator=(const COptionSettings& other) = default;
    ~COptionSettings();

    bool m_Resident;
    bool m_SaveLog;
    bool m_AutoUpdate;
    QString m_SaveLogPath;
    qint32 m_AutoUpdateInterval;
    bool m_SaveScheduleLog;
    QString m_SaveScheduleLogPath;
    bool m_ImportAvailable;
    bool m_Import;
    QString m_ImportPath;
    bool m_SaveEventLog;
    QString m_SaveEventLogPath;
};

#endif // COPTIONSETTINGS_H
