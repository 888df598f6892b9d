// The dispatcher's side of schedule execution: the runner's execution
// requests become one set command per target projector (or, offline, a
// request to the main window's demo path), and each projector's result is
// folded into the expanded instance's execution record, the schedule log and
// the instance's result.
#include "CDataFunctions.h"

#include "CCommandFunctions.h"
#include "CDataFunctionsEvent.h"
#include "CLumivox5Data.h"
#include "CProjectorData.h"
#include "CSchedule.h"
#include "CScheduleData.h"
#include "CScheduleManager.h"
#include "CScheduleTarget.h"
#include "CSystemClock.h"
#include "CommandEngineCodes.h"
#include "CVirtualTime.h"
#include "LogCategories.h"

#include <QDebug>

#include <climits>

namespace {

using SubStatus = CScheduleExcuteAdminInfoSub::EXCUTE_STATUS;
using Result = CScheduleData::STATUS_TYPE;

// Command ids of the set commands a schedule sends.
const int CMD_POWER = 2;
const int CMD_INPUT = 3;
const int CMD_SOUND_MUTE = 4;
const int CMD_PICTURE_MUTE = 5;
const int CMD_OSD_MUTE = 6;
const int CMD_AV_MUTE = 8;
const int SET_ACTION = 2;

} // namespace

// ---- requests ---------------------------------------------------------------------

void CDataFunctions::ScheduleExecute(int key, int CommID)
{
    QList<CVariantParameter> params;
    params << CVariantParameter().FromInt(key) << CVariantParameter().FromInt(CommID);
    SetDataThreadEvent(148, &params, FROM_SCHEDULE, 0, nullptr, false, false);
}

CScheduleData* CDataFunctions::f_FindExpandedSchedule(int key) const
{
    if (!m_pLumivox5Data || !m_pLumivox5Data->m_pScheduleExcuteManager)
        return nullptr;
    return m_pLumivox5Data->m_pScheduleExcuteManager->f_GetScheduleMap().value(key, nullptr);
}

void CDataFunctions::f_ScheduleEndWithoutTargets(int key)
{
    m_pSchedule->RequestScheduleSetResult(key, Result::NG);
    // Looked up again after each call into the runner: its signals reach
    // receivers that may rebuild the expanded instances.
    if (CScheduleData* instance = f_FindExpandedSchedule(key))
        m_pSchedule->RequestScheduleAddLog(-1, instance, m_pVirtualTime->GetNowTime(), Result::NG, QString(""));
    if (CScheduleData* instance = f_FindExpandedSchedule(key)) {
        if (instance->AdminInfo)
            instance->AdminInfo->ExcuteStatus = CScheduleExcuteAdminInfo::EXCUTE_STATE::Finished;
    }
}

void CDataFunctions::ScheduleExecuteProc(CEventBase* event)
{
    const auto* request = static_cast<CDataFunctionsEventScheduleExecute*>(event);
    const int key = request->m_nKey;
    const int commId = request->m_nCommID;
    qCDebug(lcEngine, "Schedule Execute!(key=%d, cmdId=%d)", key, commId);

    CScheduleData* instance = f_FindExpandedSchedule(key);
    if (!instance || !m_pLumivox5Data || !m_pLumivox5Data->m_pProjectorDatas || !m_pSchedule)
        return;
    const QMap<int, CProjectorData*>& projectors = *m_pLumivox5Data->m_pProjectorDatas;

    QList<int> targets;
    if (commId >= 0) {
        // A retry goes to its projector whatever its state now. A projector
        // deleted meanwhile can never answer: that is its final failure, and
        // the log says so for that projector.
        if (!projectors.contains(commId)) {
            SetExcuteScheduleStatus(commId, key, SubStatus::Failed);
            m_pSchedule->RequestScheduleAddLog(commId, instance, m_pVirtualTime->GetNowTime(), Result::NG,
                                               f_ScheduleErrorText(CommandEngineCode::ERROR_NO_PROJECTOR));
            CheckExcuteScheduleCompleted(key);
            return;
        }
        targets << commId;
    } else {
        targets = CScheduleTarget::f_GetTargetProjectors(*instance, projectors);
    }

    // An instance that can send nothing (no target, or a function it does
    // not know) ends at once with NG, instead of staying started for ever.
    const int function = instance->Function;
    if (targets.isEmpty() || function < 1 || function > 11) {
        f_ScheduleEndWithoutTargets(key);
        return;
    }
    if (function <= 2)
        ScheduleExecuteProcPower(targets, key, *instance);
    else if (function <= 10)
        ScheduleExecuteProcMute(targets, key, *instance);
    else
        ScheduleExecuteProcInputChange(targets, key, *instance);
}

void CDataFunctions::ScheduleExecuteProcPower(QList<int> targets, int key, CScheduleData& schedule)
{
    f_ScheduleSend(targets, key, schedule, CMD_POWER, schedule.Function == 1 ? 1 : 0);
}

void CDataFunctions::ScheduleExecuteProcMute(QList<int> targets, int key, CScheduleData& schedule)
{
    int cmd = 0;
    switch (schedule.Function) {
    case 3:
    case 4:
        cmd = CMD_PICTURE_MUTE;
        break;
    case 5:
    case 6:
        cmd = CMD_SOUND_MUTE;
        break;
    case 7:
    case 8:
        cmd = CMD_OSD_MUTE;
        break;
    case 9:
    case 10:
        cmd = CMD_AV_MUTE;
        break;
    default:
        return;
    }
    // Odd codes switch the mute on.
    f_ScheduleSend(targets, key, schedule, cmd, schedule.Function % 2);
}

void CDataFunctions::ScheduleExecuteProcInputChange(QList<int> targets, int key, CScheduleData& schedule)
{
    f_ScheduleSend(targets, key, schedule, CMD_INPUT, schedule.InputTerminal);
}

void CDataFunctions::f_ScheduleSend(const QList<int>& targets, int key, CScheduleData& schedule, int cmd,
                                    int value)
{
    if (!m_pLumivox5Data || !m_pLumivox5Data->m_pProjectorDatas || !schedule.AdminInfo)
        return;
    const QDateTime now = m_pVirtualTime->GetNowTime();
    QMap<int, CScheduleExcuteAdminInfoSub*>& details = *schedule.AdminInfo->DetailesData;
    const bool offline = f_IsOfflineMode();
    CCommandFunctions* engine = m_pLumivox5Data->m_pCommandFunctions;

    for (int id : targets) {
        if (!m_pLumivox5Data->m_pProjectorDatas->contains(id))
            continue;
        CScheduleExcuteAdminInfoSub* sub = details.value(id, nullptr);
        if (!sub) {
            sub = new CScheduleExcuteAdminInfoSub();
            details.insert(id, sub);
        }
        sub->Status = SubStatus::Executing;
        sub->RequestTime = now;
        // The command carries a ticket of its own through the engine (its
        // event id, below 0 where instance keys are 0 or more), so that its
        // result finds the instance that sent it and no other.
        m_LastScheduleTicket = m_LastScheduleTicket <= INT_MIN + 1 ? -1 : m_LastScheduleTicket - 1;
        const int ticket = m_LastScheduleTicket;
        m_ScheduleSenders.insert(ticket, ScheduleSender{key, schedule.InstanceSerial(), id});

        if (offline) {
            emit ScheduleExecuteWithOffline(cmd, FROM_SCHEDULE, SET_ACTION, id, value, ticket);
            continue;
        }
        if (!engine || !m_pLumivox5Data->GetTransportThread(id)) {
            m_ScheduleSenders.remove(ticket);
            continue;
        }
        switch (cmd) {
        case CMD_POWER:
            engine->SetPower(value, ticket, id, FROM_SCHEDULE, SET_ACTION, cmd, false);
            break;
        case CMD_INPUT:
            engine->SetInputTerminal(value, ticket, id, FROM_SCHEDULE, SET_ACTION, cmd, false);
            break;
        case CMD_SOUND_MUTE:
            engine->SetSoundMute(value, ticket, id, FROM_SCHEDULE, SET_ACTION, cmd, false);
            break;
        case CMD_PICTURE_MUTE:
            engine->SetPictureMute(value, ticket, id, FROM_SCHEDULE, SET_ACTION, cmd, false);
            break;
        case CMD_OSD_MUTE:
            engine->SetOSDMute(value, ticket, id, FROM_SCHEDULE, SET_ACTION, cmd, false);
            break;
        case CMD_AV_MUTE:
            engine->SetAVMuteSchedule(value, ticket, id, FROM_SCHEDULE, SET_ACTION, cmd, false);
            break;
        default:
            break;
        }
    }
}

// ---- results ----------------------------------------------------------------------

bool CDataFunctions::f_TakeScheduleResult(int projectorId, int ticket, int* key, CScheduleData** instance,
                                          const CScheduleExcuteAdminInfoSub** sub, bool* today)
{
    // A result under an instance key (0 or more) carries no ticket: it is the
    // instance's that holds the key now.
    ScheduleSender sender{ticket, 0, projectorId};
    if (ticket < 0) {
        const auto found = m_ScheduleSenders.constFind(ticket);
        if (found == m_ScheduleSenders.constEnd() || found->projectorId != projectorId) {
            qCDebug(lcEngine, "Schedule result for no command sent (ticket=%d, projector=%d)", ticket, projectorId);
            return false;
        }
        sender = *found;
        m_ScheduleSenders.erase(found);
    }
    *key = sender.key;
    // Results while the runner is stopped, or for a projector gone from the
    // map, are dropped.
    if (!m_pSchedule || !m_pSchedule->IsRunning() || !m_pLumivox5Data || !m_pLumivox5Data->m_pProjectorDatas
        || !m_pLumivox5Data->m_pProjectorDatas->contains(projectorId))
        return false;
    // A result without a record of when its command went counts as yesterday's.
    QDateTime when = CSystemClock::Now().addDays(-1);
    *instance = f_FindExpandedSchedule(sender.key);
    // The instance that sent the command may be gone, its key taken by a
    // newer one: the result then belongs to no instance.
    if (*instance && ticket < 0 && (*instance)->InstanceSerial() != sender.serial)
        *instance = nullptr;
    *sub = nullptr;
    if (*instance && (*instance)->AdminInfo) {
        *sub = (*instance)->AdminInfo->DetailesData->value(projectorId, nullptr);
        if (*sub)
            when = (*sub)->RequestTime;
    }
    *today = *instance && IsTodayExcuteSchedule(sender.key, when);
    return true;
}

void CDataFunctions::CommandCompletedProcSchedule(CEventBase* event)
{
    const auto* record = static_cast<CDataFunctionsEventCommandCompletedSchedule*>(event);
    const int projectorId = record->m_nTarget;
    int key = 0;
    CScheduleData* instance = nullptr;
    const CScheduleExcuteAdminInfoSub* sub = nullptr;
    bool today = false;
    if (!f_TakeScheduleResult(projectorId, record->m_nScheduleEventID, &key, &instance, &sub, &today))
        return;
    const QDateTime now = m_pVirtualTime->GetNowTime();
    if (today) {
        SetExcuteScheduleStatus(projectorId, key, SubStatus::Completed);
        m_pSchedule->RequestScheduleAddLog(projectorId, instance, now, Result::OK, QString(""));
        CheckExcuteScheduleCompleted(key);
        return;
    }
    // A late result: logged against its instance while that still exists.
    if (instance)
        m_pSchedule->RequestScheduleAddLog(projectorId, instance, now, Result::OK, QString(""));
    else
        qCDebug(lcEngine, "Schedule result without its instance (key=%d, projector=%d): OK", key, projectorId);
}

void CDataFunctions::CommandErrorEndProcSchedule(CEventBase* event)
{
    const auto* record = static_cast<CDataFunctionsEventCommandErrorEndSchedule*>(event);
    const int projectorId = record->m_nTarget;
    const int code = record->m_nErrorCode;
    int key = 0;
    CScheduleData* instance = nullptr;
    const CScheduleExcuteAdminInfoSub* sub = nullptr;
    bool today = false;
    if (!f_TakeScheduleResult(projectorId, record->m_nScheduleEventID, &key, &instance, &sub, &today))
        return;
    const QDateTime now = m_pVirtualTime->GetNowTime();
    const QString text = f_ScheduleErrorText(code);
    if (today) {
        const bool retry = IsPossibleToRetryErrorCode(code) && sub && !sub->IsRetryMax();
        SetExcuteScheduleStatus(projectorId, key, retry ? SubStatus::RetryPending : SubStatus::Failed);
        m_pSchedule->RequestScheduleAddLog(projectorId, instance, now, Result::NG, text);
        // The instance shows NG at once while other results are pending.
        if (!CheckExcuteScheduleCompleted(key))
            m_pSchedule->RequestScheduleSetResult(key, Result::NG);
        if (retry)
            m_pSchedule->RequestScheduleExcuteRetry(key, projectorId);
        return;
    }
    if (instance)
        m_pSchedule->RequestScheduleAddLog(projectorId, instance, now, Result::NG, text);
    else
        qCDebug(lcEngine, "Schedule result without its instance (key=%d, projector=%d): %s", key, projectorId,
               qPrintable(text));
}

// ---- instance state ---------------------------------------------------------------

bool CDataFunctions::IsTodayExcuteSchedule(int key, QDateTime when)
{
    const CScheduleData* instance = f_FindExpandedSchedule(key);
    return instance && instance->Enable && when.date() == m_pVirtualTime->GetNowTime().date();
}

void CDataFunctions::SetExcuteScheduleStatus(int projectorId, int key,
                                             CScheduleExcuteAdminInfoSub::EXCUTE_STATUS::Enum status)
{
    CScheduleData* instance = f_FindExpandedSchedule(key);
    if (!instance || !instance->AdminInfo
        || instance->AdminInfo->ExcuteStatus != CScheduleExcuteAdminInfo::EXCUTE_STATE::Executing)
        return;
    if (CScheduleExcuteAdminInfoSub* sub = instance->AdminInfo->DetailesData->value(projectorId, nullptr))
        sub->Status = status;
}

bool CDataFunctions::CheckExcuteScheduleCompleted(int key)
{
    CScheduleData* instance = f_FindExpandedSchedule(key);
    if (!instance || !instance->AdminInfo)
        return false;
    int result = Result::OK;
    if (!instance->AdminInfo->IsExcuteScheduleCompleted(&result))
        return false;
    instance->AdminInfo->ExcuteStatus = CScheduleExcuteAdminInfo::EXCUTE_STATE::Finished;
    m_pSchedule->RequestScheduleSetResult(key, static_cast<CScheduleData::STATUS_TYPE::Enum>(result));
    return true;
}

// ---- error codes ------------------------------------------------------------------

namespace {

// The negative replies of the control protocol.
bool isNackCode(int code)
{
    return (code <= -100 && code >= -169) || code == -179 || code == -189 || code == -190;
}

} // namespace

bool CDataFunctions::IsPossibleToRetryErrorCode(int code)
{
    return code == -20 || code == -21 || isNackCode(code) || (code <= -301 && code >= -305);
}

int CDataFunctions::ConvScheduleLogErrorCode(int code)
{
    if (isNackCode(code))
        return 45;
    switch (code) {
    case 0:
        return 0;
    case -4:
    case -5:
        return 16;
    case -10:
        return 18;
    case -20:
    case -21:
        return 42;
    case -301:
        return 13;
    case -302:
    case -304:
        return 43;
    case -303:
    case -305:
        return 44;
    case -311:
        return 11;
    case -312:
        return 10;
    case -313:
        return 16;
    default:
        return 3;
    }
}

QString CDataFunctions::f_ScheduleErrorText(int code)
{
    return QStringLiteral("Error No.%1(Code:%2)").arg(ConvScheduleLogErrorCode(code), 2, 10, QLatin1Char('0')).arg(code);
}
