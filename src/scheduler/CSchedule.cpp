#include "CSchedule.h"

#include "CLumivox5Data.h"
#include "CNoOperatingDate.h"
#include "CProfileList.h"
#include "CProjectorData.h"
#include "ExceptionTrace.h"
#include "CScheduleManager.h"
#include "CScheduleTarget.h"
#include "CSectionItem.h"
#include "CSectionItemList.h"
#include "TextFileAppend.h"

#include <QTimer>

const QString CSchedule::CODEPAGE_DEFAULT = QStringLiteral("UTF-16");
const QString CSchedule::CODEPAGE_SHIFTJIS = QStringLiteral("Shift_JIS");
const QString CSchedule::CODEPAGE_UTF16 = QStringLiteral("UTF-16");
const QString CSchedule::CODEPAGE_UTF8 = QStringLiteral("UTF-8");

namespace {

enum EventKey {
    KeyStart = 1,
    KeyStop = 2,
    KeyLogEnable = 3,
    KeyChangeLogPath = 4,
    KeySetResult = 5,
    KeyDateTimeUpdate = 6,
    KeyAddLog = 7,
    KeyExcuteRetry = 8,
    KeyExcuteRetryCheck = 9,
};

} // namespace

CSchedule::CSchedule(QObject* parent)
    : CLumivox5Thread(parent)
    , m_pRetryList(new QList<CScheduleRetryInfo*>())
    , m_pRetryTimer(new QTimer(this))
{
    f_CreateEventList();
    connect(this, &CSchedule::PostUpdateDateTime, this, &CSchedule::PostUpdateDateTimeProc,
            Qt::QueuedConnection);
    m_pRetryTimer->setInterval(1000);
    m_pRetryTimer->setSingleShot(false);
    connect(m_pRetryTimer, &QTimer::timeout, this, &CSchedule::f_RequestExcuteRetryCheck, Qt::QueuedConnection);
}

CSchedule::~CSchedule()
{
    RunTraced([&] {
        m_pRetryTimer->stop();
        m_pRetryTimer->disconnect();
        delete m_pRetryTimer;
        m_pRetryTimer = nullptr;
        disconnect();
        m_ExcuteKeys.clear();
        f_ClearRetryList();
    });
    delete m_pRetryList;
}

void CSchedule::f_CreateEventList()
{
    f_AddEvent(KeyStart, static_cast<EventFunction>(&CSchedule::f_ScheduleStartProc));
    f_AddEvent(KeyStop, static_cast<EventFunction>(&CSchedule::f_ScheduleStopProc));
    f_AddEvent(KeyLogEnable, static_cast<EventFunction>(&CSchedule::f_ScheduleLogEnableProc));
    f_AddEvent(KeyChangeLogPath, static_cast<EventFunction>(&CSchedule::f_ScheduleChangeLogPathProc));
    f_AddEvent(KeySetResult, static_cast<EventFunction>(&CSchedule::f_ScheduleSetResultProc));
    f_AddEvent(KeyDateTimeUpdate, static_cast<EventFunction>(&CSchedule::f_ScheduleDateTimeUpdateProc));
    f_AddEvent(KeyAddLog, static_cast<EventFunction>(&CSchedule::f_ScheduleAddLogProc));
    f_AddEvent(KeyExcuteRetry, static_cast<EventFunction>(&CSchedule::f_ScheduleExcuteRetryProc));
    f_AddEvent(KeyExcuteRetryCheck, static_cast<EventFunction>(&CSchedule::f_ScheduleExcuteRetryCheckProc));
}

// Runs the key's handler at once, in the caller's thread.
void CSchedule::f_RunEvent(CScheduleEvent& event, int key)
{
    RunTraced([&] {
        event.f_SetEventKey(key);
        const EventFunction handler = f_GetEventFunction(key);
        if (handler)
            (this->*handler)(&event);
    });
}

bool CSchedule::IsRetryTimerActive() const
{
    return m_pRetryTimer && m_pRetryTimer->isActive();
}

// ---------------------------------------------------------------------------
// Data hub access

CScheduleManager* CSchedule::f_ExpandedSchedules() const
{
    return m_pData ? m_pData->m_pScheduleExcuteManager : nullptr;
}

CScheduleData* CSchedule::f_FindInstance(int key) const
{
    CScheduleManager* expanded = f_ExpandedSchedules();
    return expanded ? expanded->f_GetScheduleMap().value(key, nullptr) : nullptr;
}

// ---------------------------------------------------------------------------
// Requests

void CSchedule::RequestScheduleStart(QDateTime now)
{
    CScheduleEventScheduleStart event;
    event.m_StartTime = now;
    f_RunEvent(event, KeyStart);
}

void CSchedule::RequestScheduleStop()
{
    CScheduleEventScheduleStop event;
    f_RunEvent(event, KeyStop);
}

void CSchedule::RequestScheduleLogEnable(bool on)
{
    CScheduleEventScheduleLogEnable event;
    event.m_Enable = on;
    f_RunEvent(event, KeyLogEnable);
}

void CSchedule::RequestScheduleChangeLogPath(QString folder)
{
    CScheduleEventScheduleChangeLogPath event;
    event.m_Path = folder;
    f_RunEvent(event, KeyChangeLogPath);
}

void CSchedule::RequestScheduleSetResult(int key, CScheduleData::STATUS_TYPE::Enum result)
{
    CScheduleEventSetResult event;
    event.m_Key = key;
    event.m_Result = result;
    f_RunEvent(event, KeySetResult);
}

void CSchedule::RequestScheduleAddLog(int projectorId, CScheduleData* instance, QDateTime time,
                                      CScheduleData::STATUS_TYPE::Enum status, QString text)
{
    CScheduleEventAddLog event;
    event.m_ProjectorID = projectorId;
    event.m_pData = instance;
    event.m_Time = time;
    event.m_Status = status;
    event.m_Text = text;
    f_RunEvent(event, KeyAddLog);
}

void CSchedule::RequestScheduleExcuteRetry(int key, int projectorId)
{
    CScheduleEventExcuteRetry event;
    event.m_Key = key;
    event.m_ProjectorID = projectorId;
    f_RunEvent(event, KeyExcuteRetry);
}

void CSchedule::PostUpdateDate(QDateTime dt)
{
    emit PostUpdateDateTime(true, dt);
}

void CSchedule::PostUpdateTime(QDateTime dt)
{
    emit PostUpdateDateTime(false, dt);
}

void CSchedule::PostUpdateDateTimeProc(bool newDay, QDateTime dt)
{
    CScheduleEventDateTimeUpdate event;
    event.m_NewDay = newDay;
    event.m_Time = dt;
    f_RunEvent(event, KeyDateTimeUpdate);
}

void CSchedule::f_RequestExcuteRetryCheck()
{
    m_pRetryTimer->stop();
    CScheduleEventExcuteRetryCheck event;
    f_RunEvent(event, KeyExcuteRetryCheck);
}

// ---------------------------------------------------------------------------
// Handlers

void CSchedule::f_ClearRetryList()
{
    qDeleteAll(*m_pRetryList);
    m_pRetryList->clear();
}

void CSchedule::f_ScheduleStartProc(CEventBase* event)
{
    const QDateTime start = static_cast<CScheduleEventScheduleStart*>(event)->m_StartTime;
    f_ClearRetryList();
    m_ExcuteKeys.clear();
    if (CScheduleManager* expanded = f_ExpandedSchedules()) {
        CScheduleManager::ScheduleMap* due = expanded->GetSpecifiedDateTimeSchedule(start);
        if (due) {
            // Instances that already have a result are not run again.
            for (auto it = due->constBegin(); it != due->constEnd(); ++it) {
                if (it.value() && it.value()->Status == CScheduleData::STATUS_TYPE::None)
                    m_ExcuteKeys.append(it.key());
            }
            delete due;
        }
    }
    m_Running = true;
    PostUpdateTime(start);
}

void CSchedule::f_ScheduleStopProc(CEventBase* /*event*/)
{
    m_Running = false;
    m_ExcuteKeys.clear();
    f_ClearRetryList();
}

void CSchedule::f_ScheduleLogEnableProc(CEventBase* event)
{
    m_LogEnabled = static_cast<CScheduleEventScheduleLogEnable*>(event)->m_Enable;
}

void CSchedule::f_ScheduleChangeLogPathProc(CEventBase* event)
{
    m_LogPath = static_cast<CScheduleEventScheduleChangeLogPath*>(event)->m_Path;
}

void CSchedule::f_ScheduleSetResultProc(CEventBase* event)
{
    const auto* e = static_cast<CScheduleEventSetResult*>(event);
    CScheduleData* instance = f_FindInstance(e->m_Key);
    if (!instance)
        return;
    instance->Status = e->m_Result;
    emit UpdateScheduleList();
}

void CSchedule::f_ScheduleDateTimeUpdateProc(CEventBase* event)
{
    const auto* e = static_cast<CScheduleEventDateTimeUpdate*>(event);
    const QDateTime time = e->m_Time;
    if (e->m_NewDay) {
        emit UpdateDate();
        // The main window answers a new day by expanding the week again and
        // starting the runner anew.
        if (m_Running) {
            m_ExcuteKeys.clear();
            f_ClearRetryList();
        }
    }
    if (m_Running)
        f_CheckExcuteData(time);
}

void CSchedule::f_ScheduleAddLogProc(CEventBase* event)
{
    const auto* e = static_cast<CScheduleEventAddLog*>(event);
    if (f_LogOn())
        f_AddLogProc(e->m_ProjectorID, e->m_pData, e->m_Time, e->m_Status, e->m_Text);
}

void CSchedule::f_ScheduleExcuteRetryProc(CEventBase* event)
{
    const auto* e = static_cast<CScheduleEventExcuteRetry*>(event);
    if (!m_Running)
        return;
    const CScheduleData* instance = f_FindInstance(e->m_Key);
    if (!instance || !instance->AdminInfo
        || instance->AdminInfo->ExcuteStatus != CScheduleExcuteAdminInfo::EXCUTE_STATE::Executing)
        return;
    m_pRetryList->prepend(new CScheduleRetryInfo(e->m_Key, e->m_ProjectorID));
    m_pRetryTimer->start();
}

void CSchedule::f_ScheduleExcuteRetryCheckProc(CEventBase* /*event*/)
{
    if (!m_Running)
        return;
    using Status = CScheduleExcuteAdminInfoSub::EXCUTE_STATUS;
    // Oldest request first.
    for (int i = m_pRetryList->size() - 1; i >= 0; --i) {
        CScheduleRetryInfo* retry = m_pRetryList->at(i);
        const CScheduleData* instance = f_FindInstance(retry->m_Key);
        if (!instance || !instance->AdminInfo || !instance->AdminInfo->DetailesData)
            continue;
        CScheduleExcuteAdminInfoSub* sub = instance->AdminInfo->DetailesData->value(retry->m_ProjectorID, nullptr);
        if (!sub)
            continue;
        bool done = false;
        switch (sub->Status) {
        case Status::RetryPending:
            ++sub->RetryTickCount;
            if (sub->IsRetryTime() && !sub->IsRetryMax()) {
                ++sub->RetryCount;
                sub->RetryTickCount = 0;
                const int key = retry->m_Key;
                const int projectorId = retry->m_ProjectorID;
                m_pRetryList->removeAt(i);
                delete retry;
                emit ScheduleExecution(key, projectorId);
            }
            break;
        case Status::Completed:
        case Status::Failed:
        case Status::FailedOther:
            done = true;
            break;
        default:
            break;
        }
        if (done) {
            m_pRetryList->removeAt(i);
            delete retry;
        }
        // A direct receiver may have changed the list.
        if (i > m_pRetryList->size())
            i = m_pRetryList->size();
    }
    if (!m_pRetryList->isEmpty())
        m_pRetryTimer->start();
}

// ---------------------------------------------------------------------------
// Minute check

void CSchedule::f_CheckExcuteData(QDateTime now)
{
    RunTraced([&] {
        CNoOperatingDate dates;
        if (m_pData && m_pData->m_pNoOperatingDate)
            m_pData->m_pNoOperatingDate->Clone(dates);

        const QDateTime minute(now.date(), QTime(now.time().hour(), now.time().minute(), 0, 0));
        const QList<int> keys = m_ExcuteKeys;
        for (int key : keys) {
            // Looked up afresh each time: a receiver of the signals below may
            // have rebuilt the expanded collection.
            CScheduleData* instance = f_FindInstance(key);
            if (!instance || !instance->AdminInfo || instance->StartDay.date() != minute.date())
                continue;
            if (instance->AdminInfo->ExcuteStatus != CScheduleExcuteAdminInfo::EXCUTE_STATE::Waiting
                || instance->ExecuteTime != minute.time())
                continue;

            if (dates.IsNoOperatingDate(minute)) {
                instance->AdminInfo->ExcuteStatus = CScheduleExcuteAdminInfo::EXCUTE_STATE::Finished;
                RequestScheduleSetResult(key, CScheduleData::STATUS_TYPE::NA);
                instance = f_FindInstance(key);
                if (!instance || !f_LogOn())
                    continue;
                QList<int> ids;
                if (m_pData && m_pData->m_pProjectorDatas)
                    ids = CScheduleTarget::f_GetTargetProjectors(*instance, *m_pData->m_pProjectorDatas);
                if (ids.isEmpty())
                    ids.append(-1);
                for (int id : qAsConst(ids))
                    f_AddLogProc(id, instance, now, CScheduleData::STATUS_TYPE::NA, QLatin1String(""));
                continue;
            }

            instance->AdminInfo->InitAdminInfo();
            instance->AdminInfo->ExcuteStatus = CScheduleExcuteAdminInfo::EXCUTE_STATE::Executing;
            emit ScheduleExecution(key, -1);
        }
    });
}

// ---------------------------------------------------------------------------
// Schedule log

QString CSchedule::f_GetScheduleTaskString(CScheduleData& instance)
{
    switch (instance.Function) {
    case 1:
        return tr("ScheduleEditComboItemPowerOn");
    case 2:
        return tr("ScheduleEditComboItemPowerOff");
    case 3:
        return tr("ScheduleEditComboItemPictureMuteON");
    case 4:
        return tr("ScheduleEditComboItemPictureMuteOFF");
    case 5:
        return tr("ScheduleEditComboItemSoundMuteON");
    case 6:
        return tr("ScheduleEditComboItemSoundMuteOFF");
    case 7:
        return tr("ScheduleEditComboItemOSDMuteON");
    case 8:
        return tr("ScheduleEditComboItemOSDMuteOFF");
    case 9:
        return tr("ScheduleEditComboItemAllMuteON");
    case 10:
        return tr("ScheduleEditComboItemAllMuteOFF");
    case 11:
        if (m_pData && m_pData->m_pProfileList && m_pData->m_pProfileList->m_MultiTermList) {
            const CSectionItemList& list = *m_pData->m_pProfileList->m_MultiTermList;
            for (int key : list.keys()) {
                const CSectionItem* item = list.value(key);
                if (item && item->code == instance.InputTerminal)
                    return item->name;
            }
        }
        return QLatin1String("");
    default:
        return QLatin1String("");
    }
}

QString CSchedule::f_GetScheduleStatusString(CScheduleData::STATUS_TYPE::Enum status)
{
    switch (status) {
    case CScheduleData::STATUS_TYPE::OK:
        return tr("ScheduleStatusOK") + QLatin1String(",   ");
    case CScheduleData::STATUS_TYPE::NG:
        return tr("ScheduleStatusNG") + QLatin1String(",   ");
    case CScheduleData::STATUS_TYPE::NA:
        return tr("ScheduleStatusNA") + QLatin1String(",   ");
    default:
        return QStringLiteral(",     ");
    }
}

void CSchedule::f_AddLogProc(int projectorId, CScheduleData* instance, QDateTime time,
                             CScheduleData::STATUS_TYPE::Enum status, QString text)
{
    RunTraced([&] {
        if (!f_LogOn() || !instance)
            return;
        const QString path = m_LogPath + QStringLiteral("/SCHE%1.log").arg(time.toString(QStringLiteral("yyyyMMdd")));

        // Each field on its own: a "%1" in a name or text stays as it is.
        QString name = instance->TargetName;
        QString attempt = QStringLiteral("1");
        if (projectorId >= 0) {
            const CProjectorData* pj =
                m_pData && m_pData->m_pProjectorDatas ? m_pData->m_pProjectorDatas->value(projectorId, nullptr) : nullptr;
            // A projector deleted meanwhile is named by its id: the
            // instance's target would name others that took no part.
            name = pj ? pj->m_Address : QString::number(projectorId);
            const CScheduleExcuteAdminInfoSub* sub =
                instance->AdminInfo && instance->AdminInfo->DetailesData
                    ? instance->AdminInfo->DetailesData->value(projectorId, nullptr)
                    : nullptr;
            attempt = sub ? QString::number(sub->RetryCount + 1) : QStringLiteral("---");
        }

        QString line;
        line += time.toString(QStringLiteral("yyyy/MM/dd")) + QLatin1String(", ");
        line += time.toString(QStringLiteral("HH:mm:ss")) + QLatin1String(", ");
        line += name + QLatin1String(", ");
        line += f_GetScheduleTaskString(*instance) + QLatin1String(", ");
        line += f_GetScheduleStatusString(status);
        line += attempt + QLatin1Char(',');
        line += text + QLatin1String(", ");
        line += QLatin1Char('\n');

        const TextAppendResult result = AppendTextFile(path, line, CODEPAGE_DEFAULT);
        if (result != TextAppendResult::Ok)
            emit ErrorOccurred(tr("FileWriteErrorMsg"), int(result));
    });
}
