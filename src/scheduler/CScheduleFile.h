#ifndef CSCHEDULEFILE_H
#define CSCHEDULEFILE_H

#include <QList>
#include <QString>

class CIniFileAccess;
class IniSectionValues;
class CNoOperatingDate;
class CScheduleData;
class CScheduleManager;

// The schedule file "Schedule.scd": the user's schedules and no-operating
// days, also the format of schedule import and export. Callers fill the
// public collection and day list before saving and take them after loading.
class CScheduleFile
{
public:
    static const QString DEF_SCH_PATH;
    static const QString DEF_SCHEDULE_NAME;
    static const QString HEAD_SECTION;
    static const QString SCHEDULE_DATA_SECTION;
    static const QString HOLIDAY_SECTION;
    static const QString MagicCode_Key;
    static const QString RevCode_Key;
    static const QString ScheduleCount_Key;
    static const QString TargetType_Key;
    static const QString TargetName_Key;
    static const QString Function_Key;
    static const QString InputTerminal_Key;
    static const QString DurationType_Key;
    static const QString StartDayYear_Key;
    static const QString StartDayMonth_Key;
    static const QString StartDayDay_Key;
    static const QString StartDayHour_Key;
    static const QString StartDayMinute_Key;
    static const QString StartDaySecond_Key;
    static const QString FinishDayYear_Key;
    static const QString FinishDayMonth_Key;
    static const QString FinishDayDay_Key;
    static const QString FinishDayHour_Key;
    static const QString FinishDayMinute_Key;
    static const QString FinishDaySecond_Key;
    static const QString ExecuteTimeHour_Key;
    static const QString ExecuteTimeMinute_Key;
    static const QString ExecuteTimeSecond_Key;
    static const QString DayOfWeek_Key;
    static const QString Enable_Key;
    static const QString UseFinishDay_Key;
    static const QString Comment_Key;
    static const QString HolidayCount_Key;
    static const QString HolidayDayData_Key;
    static const QString MAGIC_CODE;
    static const QString REVISION_CODE;

    // The program's own file: <home>/Application Data/<DEF_SCH_PATH>/<DEF_SCHEDULE_NAME>.
    CScheduleFile();
    CScheduleFile(const QString& folder, const QString& fileName);
    ~CScheduleFile();
    CScheduleFile(const CScheduleFile&) = delete;
    CScheduleFile& operator=(const CScheduleFile&) = delete;

    // Reads folder + "/" + file name. False for a missing or foreign file, in
    // which case the collection and day list keep what they held.
    bool LoadScheduleFile(bool withHolidays);
    // 0 written, 1 written with characters the code page cannot represent
    // (replaced), 2 not written (an older file at the path is left intact).
    int SaveScheduleFile(const QString& path, bool withHolidays, const QString& codePage);
    int SaveScheduleFile(const QString& path, bool withHolidays);
    // The day list becomes the offsets of the no-operating days, ascending.
    void SetHolidayParam(const CNoOperatingDate& dates);

    CScheduleManager* m_pScheduleManager;
    qint32 m_HolidayCount;
    QList<qint32> m_HolidayList;

private:
    CScheduleData* f_GetScheduleData(const IniSectionValues& section);
    void f_SetScheduleData(const QString& section, const CScheduleData& data);
    bool f_GetHolidayData(const IniSectionValues& holidays);
    bool f_SetHolidayData();

    static QString f_SectionName(int number);
    static QString f_DayDataKey(int number);

    CIniFileAccess* m_pIniFile;
    QString m_Folder;
    QString m_FileName;
};

#endif // CSCHEDULEFILE_H
