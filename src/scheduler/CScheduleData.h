#ifndef CSCHEDULEDATA_H
#define CSCHEDULEDATA_H

#include "CScheduleExcuteAdminInfo.h"

#include <QDateTime>
#include <QString>
#include <QTime>

// One schedule: its target, command, timing and, as an expanded instance,
// the result and execution state of its execution. A value type: copies
// carry every field and the result, never the execution progress.
class CScheduleData
{
public:
    struct STATUS_TYPE
    {
        enum Enum { None = 0, OK = 1, NG = 2, NA = 3 };
    };
    struct TARGET_TYPE
    {
        enum Enum { Group = 0, Projector = 1 };
    };
    struct DURATION_TYPE
    {
        enum Enum { Weekly = 0, Dated = 1 };
    };

    // Defaults for the computer's current time.
    CScheduleData();
    explicit CScheduleData(const QDateTime& time);
    CScheduleData(const CScheduleData& other);
    CScheduleData& operator=(const CScheduleData& other);
    ~CScheduleData();

    // A power-on for all projectors, weekly, one hour after `time`; a fresh
    // execution state.
    void f_InitData(const QDateTime& time);
    // Copies every field but the execution state, which is reset.
    void f_SetData(const CScheduleData& other);

    // Bit of `date`'s weekday in `DayOfWeek` (bit 0 Sunday ... bit 6 Saturday).
    static quint8 WeekdayBit(const QDate& date) { return quint8(1u << (date.dayOfWeek() % 7)); }

    qint32 TargetType = 0;
    QString TargetName;
    qint32 Function = 0;
    qint32 InputTerminal = 0;
    qint32 DurationType = 0;
    QDateTime StartDay;
    QDateTime FinishDay;
    QTime ExecuteTime;
    quint8 DayOfWeek = 0;
    bool Enable = false;
    bool UseFinishDay = false;
    QString Comment;
    qint32 Status = STATUS_TYPE::None;
    CScheduleExcuteAdminInfo* AdminInfo = nullptr;

    // Tells this object from every other record made in this run, also from
    // a later one under the same key (a copy or an assignment included).
    quint64 InstanceSerial() const { return m_InstanceSerial; }

private:
    static quint64 NextInstanceSerial();

    quint64 m_InstanceSerial = NextInstanceSerial();

    void InitFields(const QDateTime& time);
    void SetFields(const CScheduleData& other);
    void DeleteAdminInfo();
};

#endif // CSCHEDULEDATA_H
