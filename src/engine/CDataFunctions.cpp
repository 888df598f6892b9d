#include "CDataFunctions.h"

#include "CDataFunctionsEvent.h"
#include "CLumivox5Arguments.h"
#include "CLumivox5Data.h"
#include "CSMTPSend.h"
#include "CSchedule.h"
#include "CTransportLog.h"
#include "CVirtualTime.h"
#include "ExceptionTrace.h"

#include <QDebug>
#include <QException>

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
        qDebug("Memory alloc failed : CTransportLog");
        throw;
    }
    try {
        m_pSMTPSend = new CSMTPSend(nullptr);
    } catch (const std::bad_alloc&) {
        qDebug("Memory alloc failed : CSMTPSend");
        throw;
    }
    try {
        m_pSchedule = new CSchedule(nullptr);
    } catch (const std::bad_alloc&) {
        qDebug("Memory alloc failed : CSchedule");
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
    try {
        (this->*handler)(record);
    } catch (const std::exception& e) {
        TraceException(e);
    } catch (...) {
    }
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
            try {
                record = (this->*creator)(cmd, act, params, from, targets, cache, log);
            } catch (const QException& e) {
                TraceException(e);
                code = 9;
            } catch (...) {
                code = 9;
            }
        }
    }
    if (result)
        *result = code;
    return record;
}

void CDataFunctions::f_AddEnqueueEventLog(QString name, QList<int>* /*targets*/, int /*from*/, bool /*cache*/)
{
    qDebug("f_AddEnqueueEventLog : Event:%s", name.toLatin1().constData());
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

// The common steps of every creator: a new record of kind R with the tuple's
// fields, the extra fields from `fill` when the list holds `minimum`
// parameters, and the trace line when asked for.
#define LUMIVOX_CREATOR(Name, Record, minimum, traceName, ...)                                            \
    CEventBase* CDataFunctions::f_CreateEvent##Name(int cmd, int act, QList<CVariantParameter>* params,  \
                                                    int from, QList<int>* targets, bool cache, bool log) \
    {                                                                                                     \
        std::unique_ptr<Record> record(new Record());                                                    \
        f_SetCommonFields(record.get(), cmd, act, from, targets, cache);                                \
        if (hasParameters(params, minimum)) {                                                             \
            Record& r = *record;                                                                          \
            const QList<CVariantParameter>& p = *params;                                                  \
            __VA_ARGS__;                                                                                  \
            (void)r;                                                                                      \
            (void)p;                                                                                      \
        }                                                                                                 \
        if (log)                                                                                          \
            f_AddEnqueueEventLog(QStringLiteral(traceName), targets, from, cache);                       \
        return record.release();                                                                          \
    }

LUMIVOX_CREATOR(UpdateAllConnections, CDataFunctionsEventUpdateAllConnections, 4, "UpdateAllConnections", {
    r.m_lstAdd = static_cast<QMap<int, CProjectorData*>*>(p.at(0).ToPointer());
    if (const auto* modify = static_cast<const QList<bool>*>(p.at(1).ToPointer()))
        r.m_lstModifyOnly = new QList<bool>(*modify);
    if (const auto* remove = static_cast<const QList<int>*>(p.at(2).ToPointer()))
        r.m_lstDelete = new QList<int>(*remove);
    r.m_Result = static_cast<QMap<int, CProjectorData*>*>(p.at(3).ToPointer());
})
LUMIVOX_CREATOR(SetPower, CDataFunctionsEventSetPower, 1, "(SET)Power", r.m_nValue = p.at(0).ToInt())
LUMIVOX_CREATOR(SetInputTerminal, CDataFunctionsEventSetInputTerminal, 1, "(SET)InputTerminal",
                r.m_nValue = p.at(0).ToInt())
LUMIVOX_CREATOR(SetPictureMute, CDataFunctionsEventSetPictureMute, 1, "(SET)PictureMute",
                r.m_nValue = p.at(0).ToInt())
LUMIVOX_CREATOR(SetSoundMute, CDataFunctionsEventSetSoundMute, 1, "(SET)SoundMute", r.m_nValue = p.at(0).ToInt())
LUMIVOX_CREATOR(SetOSDMute, CDataFunctionsEventSetOSDMute, 1, "(SET)OSDMute", r.m_nValue = p.at(0).ToInt())
LUMIVOX_CREATOR(SetFreeze, CDataFunctionsEventSetFreeze, 1, "(SET)Freeze", r.m_nValue = p.at(0).ToInt())
LUMIVOX_CREATOR(AutoAllUpdate, CDataFunctionsEventAutoAllUpdate, 0, "(GET)Auto All Update", {})
LUMIVOX_CREATOR(GetAllGain, CDataFunctionsEventGetAllGain, 0, "(GET)AllGain", {})
LUMIVOX_CREATOR(GetGain, CDataFunctionsEventGetGain, 2, "(GET)AllGain", {
    r.m_nKind = p.at(0).ToInt();
    r.m_nSub = p.at(1).ToInt();
})
LUMIVOX_CREATOR(GetBrightness, CDataFunctionsEventGetBrightness, 0, "(GET)Brightness", {})
LUMIVOX_CREATOR(GetContrast, CDataFunctionsEventGetContrast, 0, "(GET)Contrast", {})
LUMIVOX_CREATOR(GetSharpness, CDataFunctionsEventGetSharpness, 0, "()GetSharpness", {})
LUMIVOX_CREATOR(GetHue, CDataFunctionsEventGetHue, 0, "(GET)Hue", {})
LUMIVOX_CREATOR(GetColor, CDataFunctionsEventGetColor, 0, "(GET)Color", {})
LUMIVOX_CREATOR(GetVolume, CDataFunctionsEventGetVolume, 0, "(GET)Volume", {})
LUMIVOX_CREATOR(SetGain, CDataFunctionsEventSetGain, 4, "(SET)Gain", {
    r.m_nValue1 = p.at(0).ToInt();
    r.m_nValue2 = p.at(1).ToInt();
    r.m_nValue3 = p.at(2).ToInt();
    r.m_nValue4 = p.at(3).ToShort();
})

#define LUMIVOX_ADJUSTMENT_CREATOR(Name, traceName)                                                      \
    LUMIVOX_CREATOR(Name, CDataFunctionsEvent##Name, 2, traceName, {                                     \
        r.m_nFirstValue = p.at(0).ToInt();                                                               \
        r.m_nSecondValue = p.at(1).ToInt();                                                              \
    })
LUMIVOX_ADJUSTMENT_CREATOR(SetBrightness, "(SET)Brightness")
LUMIVOX_ADJUSTMENT_CREATOR(SetContrast, "(SET)Contrast")
LUMIVOX_ADJUSTMENT_CREATOR(SetSharpness, "(SET)Sharpness")
LUMIVOX_ADJUSTMENT_CREATOR(SetHue, "(SET)Hue")
LUMIVOX_ADJUSTMENT_CREATOR(SetColor, "(SET)Color")
LUMIVOX_ADJUSTMENT_CREATOR(SetVolume, "(SET)Volume")

LUMIVOX_CREATOR(SetProjectorName, CDataFunctionsEventSetProjectorName, 1, "(SET)ProjectorName",
                r.m_Name = p.at(0).ToString())
LUMIVOX_CREATOR(Stop, CDataFunctionsEventStop, 0, "Stop", {})
LUMIVOX_CREATOR(SMTPSend, CDataFunctionsEventSMTPSend, 4, "SMTPSend", {
    // A null pointer leaves the default settings rather than reading through it.
    if (const auto* settings = static_cast<const CMailSettings*>(p.at(0).ToPointer()))
        r.m_MailSettings = *settings;
    r.m_Subject = p.at(1).ToString();
    r.m_Body = p.at(2).ToString();
    r.m_bTestMail = p.at(3).ToBool();
})
LUMIVOX_CREATOR(AddLog, CDataFunctionsEventAddLog, 5, "(ADD)Log", {
    QByteArray data = p.at(3).ToByteArray();
    r.m_LogParameter.SetStandardParameters(p.at(0).ToDateTime(), p.at(1).ToInt(), p.at(2).ToString(), data,
                                           p.at(4).ToInt());
})
LUMIVOX_CREATOR(ChangeLogPath, CDataFunctionsEventChangeLogPath, 1, "(Change)LogPath",
                r.m_Path = p.at(0).ToString())
LUMIVOX_CREATOR(LogEnable, CDataFunctionsEventLogEnable, 1, "LogEnable", r.m_bEnabled = p.at(0).ToBool())
LUMIVOX_CREATOR(CommandCompleted, CDataFunctionsEventCommandCompleted, 1, "CommandCompleted",
                r.m_nTarget = p.at(0).ToInt())
LUMIVOX_CREATOR(CommandErrorEnd, CDataFunctionsEventCommandErrorEnd, 2, "CommandErrorEnd", {
    r.m_nTarget = p.at(0).ToInt();
    r.m_nErrorCode = p.at(1).ToInt();
})
LUMIVOX_CREATOR(CommandCompletedSchedule, CDataFunctionsEventCommandCompletedSchedule, 3,
                "CommandCompletedSchedule", {
                    r.m_nTarget = p.at(0).ToInt();
                    r.m_nCommand = p.at(1).ToInt();
                    r.m_nScheduleEventID = p.at(2).ToInt();
                })
LUMIVOX_CREATOR(CommandErrorEndSchedule, CDataFunctionsEventCommandErrorEndSchedule, 4,
                "CommandErrorEndSchedule", {
                    r.m_nTarget = p.at(0).ToInt();
                    r.m_nCommand = p.at(1).ToInt();
                    r.m_nScheduleEventID = p.at(2).ToInt();
                    r.m_nErrorCode = p.at(3).ToInt();
                })
LUMIVOX_CREATOR(ScheduleStart, CDataFunctionsEventScheduleStart, 1, "ScheduleStart",
                r.m_StartTime = p.at(0).ToDateTime())
LUMIVOX_CREATOR(ScheduleStop, CDataFunctionsEventScheduleStop, 0, "ScheduleStop", {})
LUMIVOX_CREATOR(ScheduleLogEnable, CDataFunctionsEventScheduleLogEnable, 1, "ScheduleLogEnable",
                r.m_bEnabled = p.at(0).ToBool())
LUMIVOX_CREATOR(ScheduleChangeLogPath, CDataFunctionsEventScheduleChangeLogPath, 1, "ScheduleChangeLogPath",
                r.m_Path = p.at(0).ToString())
LUMIVOX_CREATOR(ScheduleExecute, CDataFunctionsEventScheduleExecute, 2, "ScheduleExecute", {
    r.m_nKey = p.at(0).ToInt();
    r.m_nCommID = p.at(1).ToInt();
})
