#include "CScheduleData.h"

#include "ExceptionTrace.h"
#include "CScheduleTargetText.h"
#include "CSystemClock.h"

#include <atomic>

CScheduleData::CScheduleData()
{
    InitFields(CSystemClock::Now());
}

CScheduleData::CScheduleData(const QDateTime& time)
{
    InitFields(time);
}

CScheduleData::CScheduleData(const CScheduleData& other)
{
    SetFields(other);
}

CScheduleData& CScheduleData::operator=(const CScheduleData& other)
{
    if (this != &other)
        f_SetData(other);
    return *this;
}

quint64 CScheduleData::NextInstanceSerial()
{
    static std::atomic<quint64> next{1};
    return next++;
}

CScheduleData::~CScheduleData()
{
    DeleteAdminInfo();
}

void CScheduleData::DeleteAdminInfo()
{
    if (AdminInfo) {
        AdminInfo->InitAdminInfo();
        delete AdminInfo;
        AdminInfo = nullptr;
    }
}

void CScheduleData::f_InitData(const QDateTime& time)
{
    RunTraced([&] { InitFields(time); });
}

void CScheduleData::f_SetData(const CScheduleData& other)
{
    RunTraced([&] { SetFields(other); });
}

void CScheduleData::InitFields(const QDateTime& time)
{
    TargetType = TARGET_TYPE::Group;
    TargetName = CScheduleTargetText::AllProjectors();
    Function = 1;
    InputTerminal = 1;
    DurationType = DURATION_TYPE::Weekly;
    StartDay = time.addSecs(3600);
    FinishDay = StartDay;
    ExecuteTime = StartDay.time();
    DayOfWeek = WeekdayBit(StartDay.date());
    Enable = true;
    UseFinishDay = false;
    Comment = QString(QLatin1String(""));
    Status = STATUS_TYPE::None;
    CScheduleExcuteAdminInfo* fresh = new CScheduleExcuteAdminInfo();
    DeleteAdminInfo();
    AdminInfo = fresh;
}

void CScheduleData::SetFields(const CScheduleData& other)
{
    TargetType = other.TargetType;
    TargetName = other.TargetName;
    Function = other.Function;
    InputTerminal = other.InputTerminal;
    DurationType = other.DurationType;
    StartDay = other.StartDay;
    FinishDay = other.FinishDay;
    ExecuteTime = other.ExecuteTime;
    DayOfWeek = other.DayOfWeek;
    Enable = other.Enable;
    UseFinishDay = other.UseFinishDay;
    Comment = other.Comment;
    Status = other.Status;
    if (!AdminInfo)
        AdminInfo = new CScheduleExcuteAdminInfo();
    AdminInfo->InitAdminInfo();
}
