#ifndef CSCHEDULEEXCUTEADMININFO_H
#define CSCHEDULEEXCUTEADMININFO_H

#include "CScheduleExcuteAdminInfoSub.h"

#include <QMap>

// Execution state of one expanded schedule instance and of each of its
// target projectors (owned records keyed by projector id).
class CScheduleExcuteAdminInfo
{
public:
    struct EXCUTE_STATE
    {
        enum Enum { Waiting = 0, Executing = 1, Finished = 2 };
    };

    CScheduleExcuteAdminInfo();
    ~CScheduleExcuteAdminInfo();
    CScheduleExcuteAdminInfo(const CScheduleExcuteAdminInfo&) = delete;
    CScheduleExcuteAdminInfo& operator=(const CScheduleExcuteAdminInfo&) = delete;

    // Waiting, without per-projector records.
    void InitAdminInfo();
    // A record exists for the projector and it is no longer open.
    bool IsTergetPjCompleted(int projectorId) const;
    // True when no projector is open; then *result is 1 (OK) or 2 (NG, a
    // projector failed). *result is left alone while the instance is open.
    bool IsExcuteScheduleCompleted(int* result) const;
    // Replaces the per-projector records by copies of `source`'s.
    void f_CopyDetailesData(const QMap<int, CScheduleExcuteAdminInfoSub*>& source);

    qint32 ExcuteStatus = EXCUTE_STATE::Waiting;
    QMap<int, CScheduleExcuteAdminInfoSub*>* DetailesData = nullptr;

private:
    void DeleteDetails();
};

#endif // CSCHEDULEEXCUTEADMININFO_H
