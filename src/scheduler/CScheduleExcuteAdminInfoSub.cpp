#include "CScheduleExcuteAdminInfoSub.h"

#include "CSystemClock.h"

CScheduleExcuteAdminInfoSub::CScheduleExcuteAdminInfoSub()
{
    InitStatus();
}

void CScheduleExcuteAdminInfoSub::InitStatus()
{
    Status = EXCUTE_STATUS::Initial;
    RetryCount = 0;
    RetryTickCount = 0;
    RequestTime = CSystemClock::Now();
}
