#include "CScheduleExcuteAdminInfo.h"

#include "CScheduleData.h"
#include "ExceptionTrace.h"

CScheduleExcuteAdminInfo::CScheduleExcuteAdminInfo()
    : DetailesData(new QMap<int, CScheduleExcuteAdminInfoSub*>())
{
}

CScheduleExcuteAdminInfo::~CScheduleExcuteAdminInfo()
{
    InitAdminInfo();
    delete DetailesData;
}

void CScheduleExcuteAdminInfo::DeleteDetails()
{
    qDeleteAll(*DetailesData);
    DetailesData->clear();
}

void CScheduleExcuteAdminInfo::InitAdminInfo()
{
    ExcuteStatus = EXCUTE_STATE::Waiting;
    DeleteDetails();
}

bool CScheduleExcuteAdminInfo::IsTergetPjCompleted(int projectorId) const
{
    const CScheduleExcuteAdminInfoSub* sub = DetailesData->value(projectorId, nullptr);
    return sub && !sub->IsOpen();
}

bool CScheduleExcuteAdminInfo::IsExcuteScheduleCompleted(int* result) const
{
    int verdict = CScheduleData::STATUS_TYPE::OK;
    for (const CScheduleExcuteAdminInfoSub* sub : qAsConst(*DetailesData)) {
        if (!sub)
            continue;
        if (sub->IsOpen())
            return false;
        if (sub->Status == CScheduleExcuteAdminInfoSub::EXCUTE_STATUS::Failed
            || sub->Status == CScheduleExcuteAdminInfoSub::EXCUTE_STATUS::FailedOther)
            verdict = CScheduleData::STATUS_TYPE::NG;
    }
    if (result)
        *result = verdict;
    return true;
}

void CScheduleExcuteAdminInfo::f_CopyDetailesData(const QMap<int, CScheduleExcuteAdminInfoSub*>& source)
{
    if (&source == DetailesData)
        return; // already holds exactly these records
    RunTraced([&] {
        DeleteDetails();
        for (auto it = source.cbegin(); it != source.cend(); ++it) {
            if (it.value())
                DetailesData->insert(it.key(), new CScheduleExcuteAdminInfoSub(*it.value()));
        }
    });
}
