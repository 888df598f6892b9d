#ifndef CSCHEDULEEXCUTEADMININFOSUB_H
#define CSCHEDULEEXCUTEADMININFOSUB_H

#include <QDateTime>

// Execution progress of one target projector of an expanded schedule
// instance: its status, retries made and retry-timer ticks counted.
class CScheduleExcuteAdminInfoSub
{
public:
    struct EXCUTE_STATUS
    {
        enum Enum {
            Initial = 0,      // record created, nothing requested
            Executing = 1,    // command requested, no result yet
            RetryPending = 2, // failed, a retry will follow
            Completed = 3,
            Failed = 4,       // failed, no further retry
            FailedOther = 5,  // failed, counted like Failed
        };
    };

    CScheduleExcuteAdminInfoSub();
    CScheduleExcuteAdminInfoSub(const CScheduleExcuteAdminInfoSub& other) = default;
    CScheduleExcuteAdminInfoSub& operator=(const CScheduleExcuteAdminInfoSub& other) = default;

    // Status and counters 0, request time the computer's current time.
    void InitStatus();
    // Two retries made already.
    bool IsRetryMax() const { return RetryCount > 1; }
    // Enough retry-timer ticks since the last failure or retry.
    bool IsRetryTime() const { return RetryTickCount > 2; }
    // Still waiting for a result or for a retry.
    bool IsOpen() const { return Status == EXCUTE_STATUS::Executing || Status == EXCUTE_STATUS::RetryPending; }

    qint32 Status = EXCUTE_STATUS::Initial;
    qint32 RetryCount = 0;
    qint32 RetryTickCount = 0;
    QDateTime RequestTime;
};

#endif // CSCHEDULEEXCUTEADMININFOSUB_H
