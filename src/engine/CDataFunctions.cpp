#include "CDataFunctions.h"

#include "CDataFunctionsEvent.h"
#include "CLumivox5Arguments.h"
#include "CLumivox5Data.h"
#include "CSMTPSend.h"
#include "CSchedule.h"
#include "CTransportLog.h"
#include "CVirtualTime.h"
#include "ExceptionTrace.h"
#include "LogCategories.h"

#include <QDebug>

#include <exception>
#include <memory>
#include <new>

namespace {

typedef CDataFunctions::CreateFunction C;
typedef CDataFunctions::EventFunction H;

// A parameter list holds the values a record needs only when it has at least
// that many; otherwise the record keeps its initial values.
bool hasParameters(const QList<CVariantParameter>* params, int count)
{
    return params != nullptr && params->size() >= count;
}

using Params = QList<CVariantParameter>;

// The extra fields the creators share.
void NoFields(CEventBase&, const Params&)
{
}

void FillValue(CDataFunctionsEventValue& r, const Params& p)
{
    r.m_nValue = p.at(0).ToInt();
}

void FillAdjustment(CDataFunctionsEventSetAdjustment& r, const Params& p)
{
    r.m_nFirstValue = p.at(0).ToInt();
    r.m_nSecondValue = p.at(1).ToInt();
}

} // namespace

// ---- construction ---------------------------------------------------------------

CDataFunctions::CDataFunctions(CLumivox5Data* data)
    : CLumivox5Thread(nullptr),
      m_pLumivox5Data(data),
      m_pSMTPSend(nullptr),
      m_pTransportLog(nullptr),
      m_StubTable(STUB_TABLE_SIZE),
      m_pSchedule(nullptr),
      m_pVirtualTime(nullptr)
{
    qRegisterMetaType<CMailSettings::SMTP_RESULT::Enum>("CMailSettings::SMTP_RESULT::Enum");

    try {
        m_pTransportLog = new CTransportLog(nullptr);
    } catch (const std::bad_alloc&) {
        qCDebug(lcEngine, "Memory alloc failed : CTransportLog");
        throw;
    }
    try {
        m_pSMTPSend = new CSMTPSend(nullptr);
    } catch (const std::bad_alloc&) {
        qCDebug(lcEngine, "Memory alloc failed : CSMTPSend");
        throw;
    }
    try {
        m_pSchedule = new CSchedule(nullptr);
    } catch (const std::bad_alloc&) {
        qCDebug(lcEngine, "Memory alloc failed : CSchedule");
        throw;
    }
    m_pSchedule->m_pData = data;
    connect(m_pSchedule, &CSchedule::ScheduleExecution, this, &CDataFunctions::ScheduleExecute,
            Qt::QueuedConnection);

    m_pVirtualTime = new CVirtualTime(nullptr);
    connect(m_pVirtualTime, &CVirtualTime::f_OnUpdateDate, m_pSchedule, &CSchedule::PostUpdateDate);
    connect(m_pVirtualTime, &CVirtualTime::f_OnUpdateMinute, m_pSchedule, &CSchedule::PostUpdateTime);
    if (data && data->m_pArguments)
        m_pVirtualTime->m_VirtualTimeAllowed = data->m_pArguments->m_VirtualTime;
    m_pVirtualTime->Start();

    f_InitStubMode();
    f_CreateEventFunctionsList();
    f_CreateEventCreateFunctionList();
    f_CreateEventList();

    connect(m_pTransportLog, &CTransportLog::ErrorOccurred, this, &CDataFunctions::ErrorNotificationProc);
    connect(m_pSchedule, &CSchedule::ErrorOccurred, this, &CDataFunctions::ErrorNotificationProc);
    connect(m_pSMTPSend, &CSMTPSend::CompletedMailSignal, this, &CDataFunctions::f_OnCompletedMail);
}

CDataFunctions::~CDataFunctions()
{
    if (m_pVirtualTime)
        m_pVirtualTime->disconnect();
    if (m_pTransportLog)
        m_pTransportLog->disconnect();
    if (m_pSchedule)
        m_pSchedule->disconnect();
    disconnect();

    delete m_pVirtualTime;
    m_pVirtualTime = nullptr;
    delete m_pSMTPSend;
    m_pSMTPSend = nullptr;
    delete m_pSchedule;
    m_pSchedule = nullptr;
    delete m_pTransportLog;
    m_pTransportLog = nullptr;

    if (isRunning())
        SafeAbort();
}

// ---- tables ---------------------------------------------------------------------

int CDataFunctions::f_AddEventCreateFunctionList(int act, int cmd, CreateFunction creator)
{
    if (act < 0 || act > 2)
        return 5;
    if (m_CreateFunctions[act].contains(cmd))
        return 8;
    m_CreateFunctions[act].insert(cmd, creator);
    return 0;
}

void CDataFunctions::f_CreateEventCreateFunctionList()
{
    for (auto& map : m_CreateFunctions)
        map.clear();

    const struct {
        int act;
        int cmd;
        C creator;
    } table[] = {
        {0, 129, &CDataFunctions::f_CreateEventStop},
        {0, 133, &CDataFunctions::f_CreateEventUpdateAllConnections},
        {0, 137, &CDataFunctions::f_CreateEventAddLog},
        {0, 138, &CDataFunctions::f_CreateEventChangeLogPath},
        {0, 139, &CDataFunctions::f_CreateEventLogEnable},
        {0, 141, &CDataFunctions::f_CreateEventSMTPSend},
        {0, 142, &CDataFunctions::f_CreateEventCommandCompleted},
        {0, 143, &CDataFunctions::f_CreateEventCommandErrorEnd},
        {0, 144, &CDataFunctions::f_CreateEventScheduleStart},
        {0, 145, &CDataFunctions::f_CreateEventScheduleStop},
        {0, 146, &CDataFunctions::f_CreateEventScheduleChangeLogPath},
        {0, 147, &CDataFunctions::f_CreateEventScheduleLogEnable},
        {0, 148, &CDataFunctions::f_CreateEventScheduleExecute},
        {0, 149, &CDataFunctions::f_CreateEventCommandCompletedSchedule},
        {0, 150, &CDataFunctions::f_CreateEventCommandErrorEndSchedule},
        {1, 1, &CDataFunctions::f_CreateEventAutoAllUpdate},
        {1, 9, &CDataFunctions::f_CreateEventGetAllGain},
        {1, 10, &CDataFunctions::f_CreateEventGetGain},
        {1, 23, &CDataFunctions::f_CreateEventGetContrast},
        {1, 24, &CDataFunctions::f_CreateEventGetBrightness},
        {1, 25, &CDataFunctions::f_CreateEventGetSharpness},
        {1, 26, &CDataFunctions::f_CreateEventGetColor},
        {1, 27, &CDataFunctions::f_CreateEventGetHue},
        {1, 42, &CDataFunctions::f_CreateEventGetVolume},
        {2, 2, &CDataFunctions::f_CreateEventSetPower},
        {2, 3, &CDataFunctions::f_CreateEventSetInputTerminal},
        {2, 4, &CDataFunctions::f_CreateEventSetSoundMute},
        {2, 5, &CDataFunctions::f_CreateEventSetPictureMute},
        {2, 6, &CDataFunctions::f_CreateEventSetOSDMute},
        {2, 7, &CDataFunctions::f_CreateEventSetFreeze},
        {2, 10, &CDataFunctions::f_CreateEventSetGain},
        {2, 23, &CDataFunctions::f_CreateEventSetContrast},
        {2, 24, &CDataFunctions::f_CreateEventSetBrightness},
        {2, 25, &CDataFunctions::f_CreateEventSetSharpness},
        {2, 26, &CDataFunctions::f_CreateEventSetColor},
        {2, 27, &CDataFunctions::f_CreateEventSetHue},
        {2, 42, &CDataFunctions::f_CreateEventSetVolume},
        {2, 93, &CDataFunctions::f_CreateEventSetProjectorName},
    };
    for (const auto& entry : table)
        f_AddEventCreateFunctionList(entry.act, entry.cmd, entry.creator);
}

void CDataFunctions::f_CreateEventFunctionsList()
{
    m_EventFunctions.clear();
    // Keys 10 and 17 have records but no handler.
    const struct {
        int key;
        H handler;
    } table[] = {
        {CDataFunctionsEvent::KEY_UPDATE_ALL_CONNECTIONS, &CDataFunctions::UpdateAllConnectionsProc},
        {CDataFunctionsEvent::KEY_SET_POWER, &CDataFunctions::SetPowerProc},
        {CDataFunctionsEvent::KEY_SET_INPUT_TERMINAL, &CDataFunctions::SetInputTerminalProc},
        {CDataFunctionsEvent::KEY_SET_PICTURE_MUTE, &CDataFunctions::SetPictureMuteProc},
        {CDataFunctionsEvent::KEY_SET_SOUND_MUTE, &CDataFunctions::SetSoundMuteProc},
        {CDataFunctionsEvent::KEY_SET_OSD_MUTE, &CDataFunctions::SetOSDMuteProc},
        {CDataFunctionsEvent::KEY_SET_FREEZE, &CDataFunctions::SetFreezeProc},
        {CDataFunctionsEvent::KEY_AUTO_ALL_UPDATE, &CDataFunctions::AutoAllUpdateProc},
        {CDataFunctionsEvent::KEY_GET_ALL_GAIN, &CDataFunctions::GetAllGainProc},
        {CDataFunctionsEvent::KEY_GET_BRIGHTNESS, &CDataFunctions::GetBrightnessProc},
        {CDataFunctionsEvent::KEY_GET_CONTRAST, &CDataFunctions::GetContrastProc},
        {CDataFunctionsEvent::KEY_GET_SHARPNESS, &CDataFunctions::GetSharpnessProc},
        {CDataFunctionsEvent::KEY_GET_HUE, &CDataFunctions::GetHueProc},
        {CDataFunctionsEvent::KEY_GET_COLOR, &CDataFunctions::GetColorProc},
        {CDataFunctionsEvent::KEY_GET_VOLUME, &CDataFunctions::GetVolumeProc},
        {CDataFunctionsEvent::KEY_SET_BRIGHTNESS, &CDataFunctions::SetBrightnessProc},
        {CDataFunctionsEvent::KEY_SET_CONTRAST, &CDataFunctions::SetContrastProc},
        {CDataFunctionsEvent::KEY_SET_SHARPNESS, &CDataFunctions::SetSharpnessProc},
        {CDataFunctionsEvent::KEY_SET_HUE, &CDataFunctions::SetHueProc},
        {CDataFunctionsEvent::KEY_SET_COLOR, &CDataFunctions::SetColorProc},
        {CDataFunctionsEvent::KEY_SET_VOLUME, &CDataFunctions::SetVolumeProc},
        {CDataFunctionsEvent::KEY_SET_PROJECTOR_NAME, &CDataFunctions::SetProjectorNameProc},
        {CDataFunctionsEvent::KEY_STOP, &CDataFunctions::StopProc},
        {CDataFunctionsEvent::KEY_SMTP_SEND, &CDataFunctions::SMTPSendProc},
        {CDataFunctionsEvent::KEY_ADD_LOG, &CDataFunctions::AddLogProc},
        {CDataFunctionsEvent::KEY_CHANGE_LOG_PATH, &CDataFunctions::ChangeLogPathProc},
        {CDataFunctionsEvent::KEY_LOG_ENABLE, &CDataFunctions::LogEnableProc},
        {CDataFunctionsEvent::KEY_COMMAND_COMPLETED, &CDataFunctions::CommandCompletedProc},
        {CDataFunctionsEvent::KEY_COMMAND_ERROR_END, &CDataFunctions::CommandErrorEndProc},
        {CDataFunctionsEvent::KEY_COMMAND_NACK_RECEIVED, &CDataFunctions::CommandNackReceivedProc},
        {CDataFunctionsEvent::KEY_COMMAND_CANCELED, &CDataFunctions::CommandCanceledProc},
        {CDataFunctionsEvent::KEY_COMMAND_COMPLETED_SCHEDULE, &CDataFunctions::CommandCompletedProcSchedule},
        {CDataFunctionsEvent::KEY_COMMAND_ERROR_END_SCHEDULE, &CDataFunctions::CommandErrorEndProcSchedule},
        {CDataFunctionsEvent::KEY_SCHEDULE_START, &CDataFunctions::ScheduleStartProc},
        {CDataFunctionsEvent::KEY_SCHEDULE_STOP, &CDataFunctions::ScheduleStopProc},
        {CDataFunctionsEvent::KEY_SCHEDULE_LOG_ENABLE, &CDataFunctions::ScheduleLogEnableProc},
        {CDataFunctionsEvent::KEY_SCHEDULE_CHANGE_LOG_PATH, &CDataFunctions::ScheduleChangeLogPathProc},
        {CDataFunctionsEvent::KEY_SCHEDULE_EXECUTE, &CDataFunctions::ScheduleExecuteProc},
    };
    for (const auto& entry : table)
        m_EventFunctions.insert(entry.key, entry.handler);
}

void CDataFunctions::f_CreateEventList()
{
    if (m_EventFunctions.isEmpty())
        f_CreateEventFunctionsList();
    for (auto it = m_EventFunctions.cbegin(); it != m_EventFunctions.cend(); ++it)
        f_AddEvent(it.key(), static_cast<CEventThread::EventFunction>(it.value()));
}

// ---- the request ----------------------------------------------------------------

int CDataFunctions::SetDataThreadEvent(int cmd, QList<CVariantParameter>* params, int from, int act,
                                       QList<int>* targets, bool cache, bool log)
{
    // Unsigned, so that a negative value counts as too large.
    if (static_cast<unsigned int>(cmd) > COMMAND_ID_MAX)
        return 4;
    if (static_cast<unsigned int>(from) > FROM_MAX)
        return 3;
    if (static_cast<unsigned int>(act) > ACT_MAX)
        return 5;

    // A stub set for offline mode must not outlive it: once offline mode is
    // left, commands reach the projectors again.
    const bool offline = f_IsOfflineMode();
    if (m_bOfflineAtLastRequest && !offline)
        f_InitStubMode();
    m_bOfflineAtLastRequest = offline;

    if (IsStub(cmd)) {
        f_StubSetDataThreadEvent(cmd, params, from, act, targets, cache, log);
        return 0;
    }

    int result = 0;
    CEventBase* record = f_CreateEventData(cmd, params, from, act, targets, cache, log, &result);
    if (!record)
        return result;

    const EventFunction handler = m_EventFunctions.value(record->GetEventKey(), nullptr);
    if (!handler) {
        delete record;
        return 6;
    }
    RunTraced([&] { (this->*handler)(record); });
    delete record;
    return result;
}

CEventBase* CDataFunctions::f_CreateEventData(int cmd, QList<CVariantParameter>* params, int from, int act,
                                              QList<int>* targets, bool cache, bool log, int* result)
{
    int code = 0;
    CEventBase* record = nullptr;
    if (act < 0 || act > 2) {
        code = 5;
    } else {
        const CreateFunction creator = m_CreateFunctions[act].value(cmd, nullptr);
        if (!creator) {
            code = 6;
        } else {
            // A creator always gives a record unless an exception stopped it.
            record = RunTraced(static_cast<CEventBase*>(nullptr),
                               [&] { return (this->*creator)(cmd, act, params, from, targets, cache, log); });
            if (!record)
                code = 9;
        }
    }
    if (result)
        *result = code;
    return record;
}

void CDataFunctions::f_AddEnqueueEventLog(QString name, QList<int>* /*targets*/, int /*from*/, bool /*cache*/)
{
    qCDebug(lcEngine, "f_AddEnqueueEventLog : Event:%s", name.toLatin1().constData());
}

void CDataFunctions::f_AddEventLog(QDateTime& /*time*/, int /*a*/, int /*b*/, QString& /*text*/,
                                   QList<QString>& /*list*/)
{
}

int CDataFunctions::ConnectTargetSignals()
{
    return 0;
}

// ---- stub table -----------------------------------------------------------------

void CDataFunctions::f_InitStubMode()
{
    for (int i = 0; i <= COMMAND_ID_MAX; ++i) {
        m_StubTable[i].on = false;
        m_StubTable[i].value = 0;
    }
}

bool CDataFunctions::IsStub(int cmd) const
{
    if (static_cast<unsigned int>(cmd) > COMMAND_ID_MAX)
        return false;
    return m_StubTable[cmd].on;
}

void CDataFunctions::OnStub(int cmd, QString& text, int value)
{
    if (static_cast<unsigned int>(cmd) > COMMAND_ID_MAX)
        return;
    m_StubTable[cmd].text = text;
    m_StubTable[cmd].value = value;
    m_StubTable[cmd].on = true;
}

// ---- creators -------------------------------------------------------------------

void CDataFunctions::f_SetCommonFields(CEventBase* event, int cmd, int act, int from, QList<int>* targets,
                                       bool cache)
{
    auto* record = static_cast<CDataFunctionsEvent*>(event);
    if (targets)
        record->m_Targets = *targets;
    record->m_nCommandID = cmd;
    record->m_nAct = act;
    record->m_bCache = cache;
    record->m_nFrom = from;
}

// What every creator shares: a new record of its kind with the tuple's
// fields, its own fields from `fill` when the list holds `minimum`
// parameters, and the trace line when asked for.
template <class Record, typename Fill>
CEventBase* CDataFunctions::f_NewRecord(int cmd, int act, QList<CVariantParameter>* params, int from,
                                        QList<int>* targets, bool cache, bool log, int minimum,
                                        const char* traceName, Fill fill)
{
    std::unique_ptr<Record> record(new Record());
    f_SetCommonFields(record.get(), cmd, act, from, targets, cache);
    if (hasParameters(params, minimum))
        fill(*record, *params);
    if (log)
        f_AddEnqueueEventLog(QString::fromLatin1(traceName), targets, from, cache);
    return record.release();
}

CEventBase* CDataFunctions::f_CreateEventUpdateAllConnections(int cmd, int act, QList<CVariantParameter>* params,
                                                              int from, QList<int>* targets, bool cache, bool log)
{
    return f_NewRecord<CDataFunctionsEventUpdateAllConnections>(
        cmd, act, params, from, targets, cache, log, 4, "UpdateAllConnections",
        [](CDataFunctionsEventUpdateAllConnections& r, const Params& p) {
            r.m_lstAdd = static_cast<QMap<int, CProjectorData*>*>(p.at(0).ToPointer());
            if (const auto* modify = static_cast<const QList<bool>*>(p.at(1).ToPointer()))
                r.m_lstModifyOnly = new QList<bool>(*modify);
            if (const auto* remove = static_cast<const QList<int>*>(p.at(2).ToPointer()))
                r.m_lstDelete = new QList<int>(*remove);
            r.m_Result = static_cast<QMap<int, CProjectorData*>*>(p.at(3).ToPointer());
        });
}

CEventBase* CDataFunctions::f_CreateEventSetPower(int cmd, int act, QList<CVariantParameter>* params, int from,
                                                  QList<int>* targets, bool cache, bool log)
{
    return f_NewRecord<CDataFunctionsEventSetPower>(cmd, act, params, from, targets, cache, log, 1, "(SET)Power",
                                                    FillValue);
}

CEventBase* CDataFunctions::f_CreateEventSetInputTerminal(int cmd, int act, QList<CVariantParameter>* params, int from,
                                                          QList<int>* targets, bool cache, bool log)
{
    return f_NewRecord<CDataFunctionsEventSetInputTerminal>(cmd, act, params, from, targets, cache, log, 1,
                                                            "(SET)InputTerminal", FillValue);
}

CEventBase* CDataFunctions::f_CreateEventSetPictureMute(int cmd, int act, QList<CVariantParameter>* params, int from,
                                                        QList<int>* targets, bool cache, bool log)
{
    return f_NewRecord<CDataFunctionsEventSetPictureMute>(cmd, act, params, from, targets, cache, log, 1,
                                                          "(SET)PictureMute", FillValue);
}

CEventBase* CDataFunctions::f_CreateEventSetSoundMute(int cmd, int act, QList<CVariantParameter>* params, int from,
                                                      QList<int>* targets, bool cache, bool log)
{
    return f_NewRecord<CDataFunctionsEventSetSoundMute>(cmd, act, params, from, targets, cache, log, 1,
                                                        "(SET)SoundMute", FillValue);
}

CEventBase* CDataFunctions::f_CreateEventSetOSDMute(int cmd, int act, QList<CVariantParameter>* params, int from,
                                                    QList<int>* targets, bool cache, bool log)
{
    return f_NewRecord<CDataFunctionsEventSetOSDMute>(cmd, act, params, from, targets, cache, log, 1, "(SET)OSDMute",
                                                      FillValue);
}

CEventBase* CDataFunctions::f_CreateEventSetFreeze(int cmd, int act, QList<CVariantParameter>* params, int from,
                                                   QList<int>* targets, bool cache, bool log)
{
    return f_NewRecord<CDataFunctionsEventSetFreeze>(cmd, act, params, from, targets, cache, log, 1, "(SET)Freeze",
                                                     FillValue);
}

CEventBase* CDataFunctions::f_CreateEventAutoAllUpdate(int cmd, int act, QList<CVariantParameter>* params, int from,
                                                       QList<int>* targets, bool cache, bool log)
{
    return f_NewRecord<CDataFunctionsEventAutoAllUpdate>(cmd, act, params, from, targets, cache, log, 0,
                                                         "(GET)Auto All Update", NoFields);
}

CEventBase* CDataFunctions::f_CreateEventGetAllGain(int cmd, int act, QList<CVariantParameter>* params, int from,
                                                    QList<int>* targets, bool cache, bool log)
{
    return f_NewRecord<CDataFunctionsEventGetAllGain>(cmd, act, params, from, targets, cache, log, 0, "(GET)AllGain",
                                                      NoFields);
}

CEventBase* CDataFunctions::f_CreateEventGetGain(int cmd, int act, QList<CVariantParameter>* params, int from,
                                                 QList<int>* targets, bool cache, bool log)
{
    return f_NewRecord<CDataFunctionsEventGetGain>(cmd, act, params, from, targets, cache, log, 2, "(GET)AllGain",
                                                   [](CDataFunctionsEventGetGain& r, const Params& p) {
                                                       r.m_nKind = p.at(0).ToInt();
                                                       r.m_nSub = p.at(1).ToInt();
                                                   });
}

CEventBase* CDataFunctions::f_CreateEventGetBrightness(int cmd, int act, QList<CVariantParameter>* params, int from,
                                                       QList<int>* targets, bool cache, bool log)
{
    return f_NewRecord<CDataFunctionsEventGetBrightness>(cmd, act, params, from, targets, cache, log, 0,
                                                         "(GET)Brightness", NoFields);
}

CEventBase* CDataFunctions::f_CreateEventGetContrast(int cmd, int act, QList<CVariantParameter>* params, int from,
                                                     QList<int>* targets, bool cache, bool log)
{
    return f_NewRecord<CDataFunctionsEventGetContrast>(cmd, act, params, from, targets, cache, log, 0, "(GET)Contrast",
                                                       NoFields);
}

CEventBase* CDataFunctions::f_CreateEventGetSharpness(int cmd, int act, QList<CVariantParameter>* params, int from,
                                                      QList<int>* targets, bool cache, bool log)
{
    return f_NewRecord<CDataFunctionsEventGetSharpness>(cmd, act, params, from, targets, cache, log, 0,
                                                        "()GetSharpness", NoFields);
}

CEventBase* CDataFunctions::f_CreateEventGetHue(int cmd, int act, QList<CVariantParameter>* params, int from,
                                                QList<int>* targets, bool cache, bool log)
{
    return f_NewRecord<CDataFunctionsEventGetHue>(cmd, act, params, from, targets, cache, log, 0, "(GET)Hue", NoFields);
}

CEventBase* CDataFunctions::f_CreateEventGetColor(int cmd, int act, QList<CVariantParameter>* params, int from,
                                                  QList<int>* targets, bool cache, bool log)
{
    return f_NewRecord<CDataFunctionsEventGetColor>(cmd, act, params, from, targets, cache, log, 0, "(GET)Color",
                                                    NoFields);
}

CEventBase* CDataFunctions::f_CreateEventGetVolume(int cmd, int act, QList<CVariantParameter>* params, int from,
                                                   QList<int>* targets, bool cache, bool log)
{
    return f_NewRecord<CDataFunctionsEventGetVolume>(cmd, act, params, from, targets, cache, log, 0, "(GET)Volume",
                                                     NoFields);
}

CEventBase* CDataFunctions::f_CreateEventSetGain(int cmd, int act, QList<CVariantParameter>* params, int from,
                                                 QList<int>* targets, bool cache, bool log)
{
    return f_NewRecord<CDataFunctionsEventSetGain>(cmd, act, params, from, targets, cache, log, 4, "(SET)Gain",
                                                   [](CDataFunctionsEventSetGain& r, const Params& p) {
                                                       r.m_nValue1 = p.at(0).ToInt();
                                                       r.m_nValue2 = p.at(1).ToInt();
                                                       r.m_nValue3 = p.at(2).ToInt();
                                                       r.m_nValue4 = p.at(3).ToShort();
                                                   });
}

CEventBase* CDataFunctions::f_CreateEventSetBrightness(int cmd, int act, QList<CVariantParameter>* params, int from,
                                                       QList<int>* targets, bool cache, bool log)
{
    return f_NewRecord<CDataFunctionsEventSetBrightness>(cmd, act, params, from, targets, cache, log, 2,
                                                         "(SET)Brightness", FillAdjustment);
}

CEventBase* CDataFunctions::f_CreateEventSetContrast(int cmd, int act, QList<CVariantParameter>* params, int from,
                                                     QList<int>* targets, bool cache, bool log)
{
    return f_NewRecord<CDataFunctionsEventSetContrast>(cmd, act, params, from, targets, cache, log, 2, "(SET)Contrast",
                                                       FillAdjustment);
}

CEventBase* CDataFunctions::f_CreateEventSetSharpness(int cmd, int act, QList<CVariantParameter>* params, int from,
                                                      QList<int>* targets, bool cache, bool log)
{
    return f_NewRecord<CDataFunctionsEventSetSharpness>(cmd, act, params, from, targets, cache, log, 2,
                                                        "(SET)Sharpness", FillAdjustment);
}

CEventBase* CDataFunctions::f_CreateEventSetHue(int cmd, int act, QList<CVariantParameter>* params, int from,
                                                QList<int>* targets, bool cache, bool log)
{
    return f_NewRecord<CDataFunctionsEventSetHue>(cmd, act, params, from, targets, cache, log, 2, "(SET)Hue",
                                                  FillAdjustment);
}

CEventBase* CDataFunctions::f_CreateEventSetColor(int cmd, int act, QList<CVariantParameter>* params, int from,
                                                  QList<int>* targets, bool cache, bool log)
{
    return f_NewRecord<CDataFunctionsEventSetColor>(cmd, act, params, from, targets, cache, log, 2, "(SET)Color",
                                                    FillAdjustment);
}

CEventBase* CDataFunctions::f_CreateEventSetVolume(int cmd, int act, QList<CVariantParameter>* params, int from,
                                                   QList<int>* targets, bool cache, bool log)
{
    return f_NewRecord<CDataFunctionsEventSetVolume>(cmd, act, params, from, targets, cache, log, 2, "(SET)Volume",
                                                     FillAdjustment);
}

CEventBase* CDataFunctions::f_CreateEventSetProjectorName(int cmd, int act, QList<CVariantParameter>* params, int from,
                                                          QList<int>* targets, bool cache, bool log)
{
    return f_NewRecord<CDataFunctionsEventSetProjectorName>(
        cmd, act, params, from, targets, cache, log, 1, "(SET)ProjectorName",
        [](CDataFunctionsEventSetProjectorName& r, const Params& p) {
            r.m_Name = p.at(0).ToString();
        });
}

CEventBase* CDataFunctions::f_CreateEventStop(int cmd, int act, QList<CVariantParameter>* params, int from,
                                              QList<int>* targets, bool cache, bool log)
{
    return f_NewRecord<CDataFunctionsEventStop>(cmd, act, params, from, targets, cache, log, 0, "Stop", NoFields);
}

CEventBase* CDataFunctions::f_CreateEventSMTPSend(int cmd, int act, QList<CVariantParameter>* params, int from,
                                                  QList<int>* targets, bool cache, bool log)
{
    return f_NewRecord<CDataFunctionsEventSMTPSend>(cmd, act, params, from, targets, cache, log, 4, "SMTPSend",
                                                    [](CDataFunctionsEventSMTPSend& r, const Params& p) {
                                                        // A null pointer leaves the default settings rather than
                                                        // reading through it.
                                                        if (const auto* settings =
                                                                static_cast<const CMailSettings*>(p.at(0).ToPointer()))
                                                            r.m_MailSettings = *settings;
                                                        r.m_Subject = p.at(1).ToString();
                                                        r.m_Body = p.at(2).ToString();
                                                        r.m_bTestMail = p.at(3).ToBool();
                                                    });
}

CEventBase* CDataFunctions::f_CreateEventAddLog(int cmd, int act, QList<CVariantParameter>* params, int from,
                                                QList<int>* targets, bool cache, bool log)
{
    return f_NewRecord<CDataFunctionsEventAddLog>(
        cmd, act, params, from, targets, cache, log, 5, "(ADD)Log", [](CDataFunctionsEventAddLog& r, const Params& p) {
            QByteArray data = p.at(3).ToByteArray();
            r.m_LogParameter.SetStandardParameters(p.at(0).ToDateTime(), p.at(1).ToInt(), p.at(2).ToString(), data,
                                                   p.at(4).ToInt());
        });
}

CEventBase* CDataFunctions::f_CreateEventChangeLogPath(int cmd, int act, QList<CVariantParameter>* params, int from,
                                                       QList<int>* targets, bool cache, bool log)
{
    return f_NewRecord<CDataFunctionsEventChangeLogPath>(cmd, act, params, from, targets, cache, log, 1,
                                                         "(Change)LogPath",
                                                         [](CDataFunctionsEventChangeLogPath& r, const Params& p) {
                                                             r.m_Path = p.at(0).ToString();
                                                         });
}

CEventBase* CDataFunctions::f_CreateEventLogEnable(int cmd, int act, QList<CVariantParameter>* params, int from,
                                                   QList<int>* targets, bool cache, bool log)
{
    return f_NewRecord<CDataFunctionsEventLogEnable>(cmd, act, params, from, targets, cache, log, 1, "LogEnable",
                                                     [](CDataFunctionsEventLogEnable& r, const Params& p) {
                                                         r.m_bEnabled = p.at(0).ToBool();
                                                     });
}

CEventBase* CDataFunctions::f_CreateEventCommandCompleted(int cmd, int act, QList<CVariantParameter>* params, int from,
                                                          QList<int>* targets, bool cache, bool log)
{
    return f_NewRecord<CDataFunctionsEventCommandCompleted>(
        cmd, act, params, from, targets, cache, log, 1, "CommandCompleted",
        [](CDataFunctionsEventCommandCompleted& r, const Params& p) {
            r.m_nTarget = p.at(0).ToInt();
        });
}

CEventBase* CDataFunctions::f_CreateEventCommandErrorEnd(int cmd, int act, QList<CVariantParameter>* params, int from,
                                                         QList<int>* targets, bool cache, bool log)
{
    return f_NewRecord<CDataFunctionsEventCommandErrorEnd>(cmd, act, params, from, targets, cache, log, 2,
                                                           "CommandErrorEnd",
                                                           [](CDataFunctionsEventCommandErrorEnd& r, const Params& p) {
                                                               r.m_nTarget = p.at(0).ToInt();
                                                               r.m_nErrorCode = p.at(1).ToInt();
                                                           });
}

CEventBase* CDataFunctions::f_CreateEventCommandCompletedSchedule(int cmd, int act, QList<CVariantParameter>* params,
                                                                  int from, QList<int>* targets, bool cache, bool log)
{
    return f_NewRecord<CDataFunctionsEventCommandCompletedSchedule>(
        cmd, act, params, from, targets, cache, log, 3, "CommandCompletedSchedule",
        [](CDataFunctionsEventCommandCompletedSchedule& r, const Params& p) {
            r.m_nTarget = p.at(0).ToInt();
            r.m_nCommand = p.at(1).ToInt();
            r.m_nScheduleEventID = p.at(2).ToInt();
        });
}

CEventBase* CDataFunctions::f_CreateEventCommandErrorEndSchedule(int cmd, int act, QList<CVariantParameter>* params,
                                                                 int from, QList<int>* targets, bool cache, bool log)
{
    return f_NewRecord<CDataFunctionsEventCommandErrorEndSchedule>(
        cmd, act, params, from, targets, cache, log, 4, "CommandErrorEndSchedule",
        [](CDataFunctionsEventCommandErrorEndSchedule& r, const Params& p) {
            r.m_nTarget = p.at(0).ToInt();
            r.m_nCommand = p.at(1).ToInt();
            r.m_nScheduleEventID = p.at(2).ToInt();
            r.m_nErrorCode = p.at(3).ToInt();
        });
}

CEventBase* CDataFunctions::f_CreateEventScheduleStart(int cmd, int act, QList<CVariantParameter>* params, int from,
                                                       QList<int>* targets, bool cache, bool log)
{
    return f_NewRecord<CDataFunctionsEventScheduleStart>(cmd, act, params, from, targets, cache, log, 1,
                                                         "ScheduleStart",
                                                         [](CDataFunctionsEventScheduleStart& r, const Params& p) {
                                                             r.m_StartTime = p.at(0).ToDateTime();
                                                         });
}

CEventBase* CDataFunctions::f_CreateEventScheduleStop(int cmd, int act, QList<CVariantParameter>* params, int from,
                                                      QList<int>* targets, bool cache, bool log)
{
    return f_NewRecord<CDataFunctionsEventScheduleStop>(cmd, act, params, from, targets, cache, log, 0, "ScheduleStop",
                                                        NoFields);
}

CEventBase* CDataFunctions::f_CreateEventScheduleLogEnable(int cmd, int act, QList<CVariantParameter>* params, int from,
                                                           QList<int>* targets, bool cache, bool log)
{
    return f_NewRecord<CDataFunctionsEventScheduleLogEnable>(
        cmd, act, params, from, targets, cache, log, 1, "ScheduleLogEnable",
        [](CDataFunctionsEventScheduleLogEnable& r, const Params& p) {
            r.m_bEnabled = p.at(0).ToBool();
        });
}

CEventBase* CDataFunctions::f_CreateEventScheduleChangeLogPath(int cmd, int act, QList<CVariantParameter>* params,
                                                               int from, QList<int>* targets, bool cache, bool log)
{
    return f_NewRecord<CDataFunctionsEventScheduleChangeLogPath>(
        cmd, act, params, from, targets, cache, log, 1, "ScheduleChangeLogPath",
        [](CDataFunctionsEventScheduleChangeLogPath& r, const Params& p) {
            r.m_Path = p.at(0).ToString();
        });
}

CEventBase* CDataFunctions::f_CreateEventScheduleExecute(int cmd, int act, QList<CVariantParameter>* params, int from,
                                                         QList<int>* targets, bool cache, bool log)
{
    return f_NewRecord<CDataFunctionsEventScheduleExecute>(cmd, act, params, from, targets, cache, log, 2,
                                                           "ScheduleExecute",
                                                           [](CDataFunctionsEventScheduleExecute& r, const Params& p) {
                                                               r.m_nKey = p.at(0).ToInt();
                                                               r.m_nCommID = p.at(1).ToInt();
                                                           });
}
