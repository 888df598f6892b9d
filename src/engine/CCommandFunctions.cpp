#include "CCommandFunctions.h"

#include "ExceptionTrace.h"

#include <QDebug>

#include <memory>
#include <utility>

#include "CCommandFunctionsEvent.h"
#include "CDeviceAccess.h"
#include "CEventContainer.h"
#include "CProfile.h"
#include "CProfileList.h"
#include "CVariantParameter.h"
#include "CommandEngineCodes.h"
#include "LogCategories.h"

using namespace CommandEngineCode;

CCommandFunctions::CCommandFunctions(QObject* parent)
    : CLumivox5Thread(parent),
      m_pProjectorDatas(nullptr),
      m_pDeviceAccess(nullptr)
{
    connect(this, &CCommandFunctions::CheckCommand, this, &CCommandFunctions::f_OnCheckCommand,
            Qt::QueuedConnection);
    f_CreateEventList();
}

CCommandFunctions::~CCommandFunctions()
{
    SafeAbort();
}

void CCommandFunctions::f_CreateEventList()
{
    typedef CEventThread::EventFunction F;
    f_AddEvent(CCommandFunctionsEvent::KEY_CREATE, static_cast<F>(&CCommandFunctions::CreateProc));
    f_AddEvent(CCommandFunctionsEvent::KEY_SEQUENCE_COMPLETED,
               static_cast<F>(&CCommandFunctions::SequenceCompletedProc));
    f_AddEvent(CCommandFunctionsEvent::KEY_ON_ERROR, static_cast<F>(&CCommandFunctions::OnErrorProc));
    f_AddEvent(CCommandFunctionsEvent::KEY_NACK_RECEIVED, static_cast<F>(&CCommandFunctions::NackReceivedProc));
    f_AddEvent(CCommandFunctionsEvent::KEY_CANCELED, static_cast<F>(&CCommandFunctions::CanceledProc));
    f_AddEvent(CCommandFunctionsEvent::KEY_SET_POWER, static_cast<F>(&CCommandFunctions::SetPowerProc));
    f_AddEvent(CCommandFunctionsEvent::KEY_SET_INPUT_TERMINAL,
               static_cast<F>(&CCommandFunctions::SetInputTerminalProc));
    f_AddEvent(CCommandFunctionsEvent::KEY_SET_PICTURE_MUTE, static_cast<F>(&CCommandFunctions::SetPictureMuteProc));
    f_AddEvent(CCommandFunctionsEvent::KEY_SET_SOUND_MUTE, static_cast<F>(&CCommandFunctions::SetSoundMuteProc));
    f_AddEvent(CCommandFunctionsEvent::KEY_SET_OSD_MUTE, static_cast<F>(&CCommandFunctions::SetOSDMuteProc));
    f_AddEvent(CCommandFunctionsEvent::KEY_SET_FREEZE, static_cast<F>(&CCommandFunctions::SetFreezeProc));
    f_AddEvent(CCommandFunctionsEvent::KEY_SET_GAIN, static_cast<F>(&CCommandFunctions::SetGainProc));
    f_AddEvent(CCommandFunctionsEvent::KEY_CANCEL, static_cast<F>(&CCommandFunctions::CancelProc));
    f_AddEvent(CCommandFunctionsEvent::KEY_ALL_UPDATE, static_cast<F>(&CCommandFunctions::AllUpdateProc));
    f_AddEvent(CCommandFunctionsEvent::KEY_GET_GAIN, static_cast<F>(&CCommandFunctions::GetGainProc));
    f_AddEvent(CCommandFunctionsEvent::KEY_SET_PROJECTOR_NAME,
               static_cast<F>(&CCommandFunctions::SetProjectorNameProc));
    f_AddEvent(CCommandFunctionsEvent::KEY_SET_MUTE_ALL_SCHEDULE,
               static_cast<F>(&CCommandFunctions::SetMuteAllScheduleProc));
}

// ---------------------------------------------------------------------------
// Set-up

int CCommandFunctions::SetProjectorDatas(QMap<int, CProjectorData*>* projectors)
{
    if (m_pProjectorDatas != nullptr)
        return -1;
    m_pProjectorDatas = projectors;
    return 0;
}

int CCommandFunctions::SetDeviceAccess(CDeviceAccess* deviceAccess)
{
    if (m_pDeviceAccess != nullptr)
        return -1;
    m_pDeviceAccess = deviceAccess;
    if (deviceAccess == nullptr)
        return 0;
    connect(deviceAccess, &CDeviceAccess::ConnectCompleted, this, &CCommandFunctions::f_OnConnectCompleted);
    connect(deviceAccess, &CDeviceAccess::DisconnectCompleted, this, &CCommandFunctions::f_OnDisconnected);
    connect(deviceAccess, &CDeviceAccess::Error, this,
            static_cast<void (CCommandFunctions::*)(QDateTime, QString, int, int)>(&CCommandFunctions::f_OnError));
    connect(deviceAccess, &CDeviceAccess::SendCompleted, this, &CCommandFunctions::f_OnSendCompleted);
    connect(deviceAccess, &CDeviceAccess::Received, this, &CCommandFunctions::f_OnReceived);
    connect(deviceAccess, &CDeviceAccess::Canceled, this, &CCommandFunctions::f_OnCanceled);
    connect(deviceAccess, &CDeviceAccess::StateChanged, this, &CCommandFunctions::f_OnStateChanged,
            Qt::DirectConnection);
    return 0;
}

int CCommandFunctions::ConnectionReset(int, CProjectorData*)
{
    return 0;
}

int CCommandFunctions::Create()
{
    return 0;
}

int CCommandFunctions::StopAndWait()
{
    return 0;
}

CProjectorData* CCommandFunctions::f_GetTarget(int id) const
{
    if (m_pProjectorDatas == nullptr)
        return nullptr;
    return m_pProjectorDatas->value(id, nullptr);
}

// ---------------------------------------------------------------------------
// Requests

int CCommandFunctions::f_Queue(CEventBase* event, int target)
{
    CProjectorData* record = f_GetTarget(target);
    if (record == nullptr) {
        delete event;
        return ERROR_NO_PROJECTOR;
    }
    record->m_PendingEvents.append(new CEventContainer(event));
    emit CheckCommand(target);
    return 0;
}

// Builds the command and appends it to the target's waiting commands; an
// exception gives the operation's failure code.
template <class Command, typename... Args>
int CCommandFunctions::f_QueueNew(int target, Args&&... args)
{
    return RunTraced(ERROR_EXCEPTION, [&]() { return f_Queue(new Command(std::forward<Args>(args)...), target); });
}

int CCommandFunctions::SetPower(int value, int eventID, int target, int from, int act, int cmd, bool flag)
{
    return f_QueueNew<CCommandFunctionsEventSetPower>(target, value, eventID, target, from, act, cmd, flag);
}

int CCommandFunctions::SetInputTerminal(int terminal, int eventID, int target, int from, int act, int cmd,
                                        bool flag)
{
    return f_QueueNew<CCommandFunctionsEventSetInputTerminal>(target, terminal, eventID, target, from, act, cmd,
                                                              flag);
}

int CCommandFunctions::SetPictureMute(int value, int eventID, int target, int from, int act, int cmd, bool flag)
{
    return f_QueueNew<CCommandFunctionsEventSetPictureMute>(target, value, eventID, target, from, act, cmd, flag);
}

int CCommandFunctions::SetSoundMute(int value, int eventID, int target, int from, int act, int cmd, bool flag)
{
    return f_QueueNew<CCommandFunctionsEventSetSoundMute>(target, value, eventID, target, from, act, cmd, flag);
}

int CCommandFunctions::SetOSDMute(int value, int eventID, int target, int from, int act, int cmd, bool flag)
{
    return f_QueueNew<CCommandFunctionsEventSetOSDMute>(target, value, eventID, target, from, act, cmd, flag);
}

int CCommandFunctions::SetFreeze(int value, int eventID, int target, int from, int act, int cmd, bool flag)
{
    return f_QueueNew<CCommandFunctionsEventSetFreeze>(target, value, eventID, target, from, act, cmd, flag);
}

int CCommandFunctions::SetAVMuteSchedule(int value, int eventID, int target, int from, int act, int cmd,
                                         bool flag)
{
    return f_QueueNew<CCommandFunctionsEventSetMuteAllSchedule>(target, value, eventID, target, from, act, cmd, flag);
}

int CCommandFunctions::SetGain(int first, int second, int third, int fourth, int eventID, int target, int from,
                               int act, int cmd, bool flag)
{
    return f_QueueNew<CCommandFunctionsEventSetGain>(target, first, second, third, fourth, eventID, target, from,
                                                     act, cmd, flag);
}

int CCommandFunctions::SetProjectorName(QString name, int eventID, int target, int from, int act, int cmd,
                                        bool flag)
{
    return f_QueueNew<CCommandFunctionsEventSetProjectorName>(target, name, eventID, target, from, act, cmd, flag);
}

int CCommandFunctions::GetGeneralData(int eventID, int target, int from, int act, int cmd, bool flag)
{
    return f_QueueNew<CCommandFunctionsEventAllUpdate>(target, eventID, target, from, act, cmd, flag);
}

int CCommandFunctions::GetGain(QList<int>& keys, int eventID, int target, int from, int act, int cmd, bool flag)
{
    return f_QueueNew<CCommandFunctionsEventGetGain>(target, keys, eventID, target, from, act, cmd, flag);
}

int CCommandFunctions::Stop(int eventID, int target, int from, int act, int cmd, bool flag)
{
    return RunTraced(ERROR_EXCEPTION, [&]() {
        f_ClearEventQueue();
        if (f_GetTarget(target) == nullptr)
            return ERROR_NO_PROJECTOR;
        CCommandFunctionsEventCancel cancel(eventID, target, from, act, cmd, flag);
        CancelProc(&cancel);
        return 0;
    });
}

// ---------------------------------------------------------------------------
// Running commands

void CCommandFunctions::f_OnCheckCommand(int nTargetID)
{
    RunTraced([&]() {
        CProjectorData* record = f_GetTarget(nTargetID);
        if (record == nullptr) {
            // The record was deleted: what the engine kept for it goes too.
            f_ForgetTarget(nTargetID);
            return;
        }
        if (record->m_PendingEvents.isEmpty()) {
            if ((record->m_StepNo == STEP_IDLE || record->m_StepNo == STEP_UNUSED) && m_pDeviceAccess != nullptr)
                m_pDeviceAccess->DisconnectTimerStart(nTargetID);
            return;
        }
        if (m_pDeviceAccess != nullptr)
            m_pDeviceAccess->DisconnectTimerStop(nTargetID);
        if (record->m_StepNo != STEP_IDLE)
            return;
        record->m_Result = RESULT_NONE;
        record->m_ErrorCode = 0;
        CEventContainer* box = record->m_PendingEvents.takeFirst();
        CEventBase* event = box->GetEvent();
        delete box;
        const EventFunction handler = event != nullptr ? f_GetEventFunction(event->GetEventKey()) : nullptr;
        if (handler != nullptr) {
            (this->*handler)(event);
        } else {
            // A command nobody handles must not hold up the ones behind it.
            qCDebug(lcEngine) << "CCommandFunctions::f_OnCheckCommand no handler for key"
                     << (event != nullptr ? event->GetEventKey() : -1);
            emit CheckCommand(nTargetID);
        }
        delete event;
        return;
    });
}

void CCommandFunctions::f_SendCommand(CProjectorData* record, QByteArray& frame, bool)
{
    record->m_ErrorCode = 0;
    // The sent-completed report stores the frame again; keeping it now lets a
    // reply be matched even when that report comes late.
    record->m_SendFrame = frame;
    if (m_pDeviceAccess == nullptr)
        return;
    QString address = record->m_Address;
    QString port = record->m_Port;
    m_pDeviceAccess->SendCommand(record->m_Id, &frame, record->m_ConnectParameter, record->m_DeviceKind, &address,
                                 &port, false);
}

void CCommandFunctions::f_SendStatic(CProjectorData* record, int index, QList<CVariantParameter>* params)
{
    QByteArray frame;
    if (f_MakeStaticCommand(&frame, index, params) > 0)
        f_SendCommand(record, frame, false);
}

void CCommandFunctions::f_SendStaticBytes(CProjectorData* record, int index, const QList<int>& bytes)
{
    // A fleet's status updates send the same few frames over and over; each is
    // built once. The key is looked up from the stack, copied only when new.
    char raw[32];
    const bool small = bytes.size() < int(sizeof raw);
    QByteArray key;
    if (small) {
        raw[0] = char(index);
        for (int i = 0; i < bytes.size(); ++i)
            raw[i + 1] = char(bytes.at(i));
        key = QByteArray::fromRawData(raw, bytes.size() + 1);
    } else {
        key = QByteArray(1, char(index));
        for (int b : bytes)
            key.append(char(b));
    }
    QByteArray frame = m_BuiltFrames.value(key);
    if (frame.isEmpty()) {
        if (small)
            key = QByteArray(raw, bytes.size() + 1);
        QList<CVariantParameter> params;
        for (int b : bytes) {
            CVariantParameter p;
            p.FromInt(b);
            params.append(p);
        }
        if (f_MakeStaticCommand(&frame, index, &params) <= 0)
            return;
        m_BuiltFrames.insert(key, frame);
    }
    f_SendCommand(record, frame, false);
}

bool CCommandFunctions::f_ProfileFlag(const CProjectorData* record, int id)
{
    const CProfile* profile = record->m_Profile;
    return profile != nullptr && id >= 0 && id < ProfileFlag::Count && profile->m_Flags[id];
}

bool CCommandFunctions::f_IsIn1WStandby(const CProjectorData* record)
{
    return record->m_Status[CProjectorData::StLowPowerStandby].ToBool();
}

CCommandFunctions::ReturnParameter& CCommandFunctions::f_Return(CProjectorData* record)
{
    ReturnParameter& r = m_ReturnParameters[record->m_Id];
    // Ids are reused: a new record under an old id starts afresh.
    if (r.owner != record) {
        r = ReturnParameter();
        r.owner = record;
    }
    return r;
}

void CCommandFunctions::f_ForgetTarget(int id)
{
    m_ReturnParameters.remove(id);
    m_DropWaiting.remove(id);
}

bool CCommandFunctions::f_HasReturnParameter(int id) const
{
    return m_ReturnParameters.contains(id);
}

void CCommandFunctions::f_StoreReturnParameter(CProjectorData* record, const CEventBase* event)
{
    const CCommandFunctionsEvent* e = static_cast<const CCommandFunctionsEvent*>(event);
    ReturnParameter& r = f_Return(record);
    r.eventID = e->GetEventID();
    r.target = e->m_nTargetID;
    r.from = e->m_nFrom;
    r.act = e->m_nAct;
    r.cmd = e->m_nCmd;
}

bool CCommandFunctions::f_PoolCheck(CProjectorData* record)
{
    if (record->m_StepNo == STEP_IDLE)
        return false;
    // Commands start only on an idle projector, so this does not happen in
    // practice; the command is then kept rather than run over the other one.
    PoolCurrentEvent();
    return true;
}

bool CCommandFunctions::f_CheckResult(CProjectorData* record)
{
    if (record->m_Result == RESULT_ACK)
        return false;
    int code = 0;
    if (record->m_Result == RESULT_ERROR || record->m_Result == RESULT_NACK)
        code = record->m_ErrorCode;
    else if (record->m_Result == RESULT_CANCELED)
        code = ERROR_CANCELED;
    if (record->m_StepNo == STEP_MODEL_INFO)
        record->m_ConnectState = 0;
    f_EndSequence(record, code);
    return true;
}

void CCommandFunctions::f_EndSequence(CProjectorData* record, int code)
{
    f_ClearTempParameter(record);
    record->m_StepNo = STEP_IDLE;
    const ReturnParameter r = f_Return(record);
    const QString address = record->m_Address;
    switch (record->m_Result) {
    case RESULT_ERROR:
        emit Error(code, r.eventID, r.target, r.from, r.act, r.cmd);
        emit UpdateError(tr("Error"), address, code, r.cmd, r.from, r.act, r.target);
        break;
    case RESULT_ACK:
        emit Completed(r.eventID, r.target, r.from, r.act, r.cmd);
        emit UpdateTiming(r.cmd, r.from, r.act, r.target);
        break;
    case RESULT_NACK:
        emit NackReceived(code, r.eventID, r.target, r.from, r.act, r.cmd);
        emit UpdateError(tr("Nack received."), address, code, r.cmd, r.from, r.act, r.target);
        break;
    case RESULT_CANCELED:
        emit Canceled(r.eventID, r.target, r.from, r.act, r.cmd);
        emit UpdateError(tr("User canceled."), address, ERROR_CANCELED, r.cmd, r.from, r.act, r.target);
        break;
    default:
        break;
    }
    emit CheckCommand(r.target);
    f_EndDroppedCommands(r.target);
}

// The commands that waited behind a connection that could not be made are
// not sent; each ends with a communication error of its own, so that every
// caller (a schedule instance among them) hears how its command ended.
void CCommandFunctions::f_EndDroppedCommands(int target)
{
    if (!m_DropWaiting.remove(target))
        return;
    CProjectorData* record = f_GetTarget(target);
    if (record == nullptr || record->m_Result == RESULT_ACK)
        return;
    while (record != nullptr && !record->m_PendingEvents.isEmpty()) {
        CEventContainer* box = record->m_PendingEvents.takeFirst();
        std::unique_ptr<CEventBase> event(box->GetEvent());
        delete box;
        if (event == nullptr)
            continue;
        f_StoreReturnParameter(record, event.get());
        record->m_Result = RESULT_ERROR;
        record->m_ErrorCode = ERROR_COMMUNICATION;
        f_EndSequence(record, ERROR_COMMUNICATION);
        // A receiver of the report may have removed the projector.
        record = f_GetTarget(target);
    }
}

void CCommandFunctions::f_DisconnectSequence(CProjectorData* record, int code)
{
    f_EndSequence(record, code);
}

void CCommandFunctions::f_DeletePendingCommands(CProjectorData* record)
{
    record->DeletePendingEvents();
}

CProjectorData* CCommandFunctions::f_BeginStep(CEventBase* event, int ownKey)
{
    const CCommandFunctionsEvent* e = static_cast<const CCommandFunctionsEvent*>(event);
    CProjectorData* record = f_GetTarget(e->m_nTargetID);
    if (record == nullptr)
        return nullptr;
    if (event->GetEventKey() == ownKey) {
        if (f_PoolCheck(record))
            return nullptr;
        record->m_CommandId = ownKey;
        f_StoreReturnParameter(record, event);
        f_ClearTempParameter(record);
        return record;
    }
    return f_CheckResult(record) ? nullptr : record;
}

bool CCommandFunctions::f_Identify(CProjectorData* record)
{
    bool send = false;
    while (f_CommonCurrentSequenceProc(record, send)) {
    }
    if (record->m_StepNo >= STEP_IDENTIFIED)
        return true;
    if (send) {
        switch (record->m_StepNo) {
        case STEP_MODEL_INFO: f_SendStatic(record, REQ_MODEL_INFO); break;
        case STEP_COMMON_STATUS: f_SendStatic(record, REQ_COMMON_STATUS); break;
        case STEP_MAKER_INFO: f_SendStatic(record, REQ_MAKER_INFO); break;
        default: break;
        }
    }
    return false;
}

void CCommandFunctions::f_EndWithMismatch(CProjectorData* record)
{
    record->m_Result = RESULT_ERROR;
    record->m_ErrorCode = ERROR_MISMATCH;
    f_EndSequence(record, ERROR_MISMATCH);
}

bool CCommandFunctions::f_CommonCurrentSequenceProc(CProjectorData* record, bool& send)
{
    switch (record->m_StepNo) {
    case STEP_IDLE:
        record->m_StepNo = STEP_MODEL_INFO;
        send = true;
        return false;
    case STEP_MODEL_INFO: {
        if (f_StoreReceivedData(record, REQ_MODEL_INFO) == 0) {
            record->m_ConnectState = 0;
            f_EndWithMismatch(record);
            return false;
        }
        f_ModelInfoUpdate(record);
        const bool found = f_UpadteCurrentProfile(record);
        record->m_EngineFlags[FLAG_PROFILE_FOUND] = found ? 1 : 0;
        if (found) {
            record->m_ConnectState = CProjectorData::CONNECT_STATE_CONNECTED;
            record->m_EngineFlags[FLAG_IDENTIFIED] = 1;
        }
        record->m_StepNo = STEP_COMMON_STATUS;
        send = true;
        return false;
    }
    case STEP_COMMON_STATUS: {
        // The reply must echo the request's data byte; a missing byte is no echo.
        const QByteArray& sent = record->m_SendFrame;
        const QByteArray& reply = record->m_ReceiveFrame;
        // A reply too short for its layout would leave the last projector's
        // values standing, so it answers nothing either.
        if (sent.size() < 6 || reply.size() < 7 || reply.at(5) != sent.at(5)
            || f_StoreReceivedData(record, REQ_COMMON_STATUS) == 0) {
            f_EndWithMismatch(record);
            return false;
        }
        f_ProjectorCommonStatusUpdate(record);
        const bool standby = IsIn1WStandbyUpdate(record);
        if (record->m_EngineFlags[FLAG_PROFILE_FOUND]) {
            record->m_StepNo = STEP_IDENTIFIED;
            return true;
        }
        if (!standby) {
            record->m_StepNo = STEP_MAKER_INFO;
            send = true;
            return false;
        }
        record->m_Result = RESULT_ERROR;
        record->m_ErrorCode = ERROR_NOT_IDENTIFIED;
        f_EndSequence(record, ERROR_NOT_IDENTIFIED);
        return false;
    }
    case STEP_MAKER_INFO:
        if (f_StoreReceivedData(record, REQ_MAKER_INFO) == 0) {
            record->m_ConnectState = 0;
            f_EndWithMismatch(record);
            return false;
        }
        f_OEMInfoUpdate(record);
        if (f_IsOEMCorvexPJ(record)) {
            record->m_ConnectState = CProjectorData::CONNECT_STATE_CONNECTED;
            record->m_EngineFlags[FLAG_IDENTIFIED] = 1;
            record->m_StepNo = STEP_IDENTIFIED;
            return true;
        }
        record->m_ConnectState = 0;
        record->m_Result = RESULT_ERROR;
        record->m_ErrorCode = ERROR_NOT_IDENTIFIED;
        f_EndSequence(record, ERROR_NOT_IDENTIFIED);
        return false;
    default:
        return false;
    }
}

// ---------------------------------------------------------------------------
// Handlers

void CCommandFunctions::CreateProc(CEventBase*)
{
}

void CCommandFunctions::f_CallCurrentHandler(CProjectorData* record, CEventBase* result)
{
    const EventFunction handler = f_GetEventFunction(record->m_CommandId);
    if (handler != nullptr)
        (this->*handler)(result);
}

// What the four result handlers share: an idle projector takes no result;
// otherwise the result is noted and null is returned so the caller may adjust
// the error code before the command's handler is called.
CProjectorData* CCommandFunctions::f_TakeResult(CEventBase* event, int result)
{
    CProjectorData* record = f_GetTarget(static_cast<CCommandFunctionsEvent*>(event)->m_nTargetID);
    if (record == nullptr)
        return nullptr;
    if (record->m_StepNo == STEP_IDLE) {
        SetNextEventIsPooled(true);
        return nullptr;
    }
    record->m_Result = result;
    return record;
}

void CCommandFunctions::SequenceCompletedProc(CEventBase* event)
{
    if (CProjectorData* record = f_TakeResult(event, RESULT_ACK))
        f_CallCurrentHandler(record, event);
}

void CCommandFunctions::OnErrorProc(CEventBase* event)
{
    CProjectorData* record = f_TakeResult(event, RESULT_ERROR);
    if (record == nullptr)
        return;
    // Socket errors of the device link all read as one communication error.
    if (record->m_ErrorCode >= -1100 && record->m_ErrorCode <= -1000)
        record->m_ErrorCode = ERROR_COMMUNICATION;
    f_CallCurrentHandler(record, event);
}

void CCommandFunctions::NackReceivedProc(CEventBase* event)
{
    if (CProjectorData* record = f_TakeResult(event, RESULT_NACK))
        f_CallCurrentHandler(record, event);
}

void CCommandFunctions::CanceledProc(CEventBase* event)
{
    CProjectorData* record = f_TakeResult(event, RESULT_CANCELED);
    if (record == nullptr)
        return;
    record->m_ErrorCode = ERROR_CANCELED;
    f_CallCurrentHandler(record, event);
}

void CCommandFunctions::CancelProc(CEventBase* event)
{
    const int target = static_cast<CCommandFunctionsEvent*>(event)->m_nTargetID;
    CProjectorData* record = f_GetTarget(target);
    if (record == nullptr)
        return;
    f_DeletePendingCommands(record);
    const int result = m_pDeviceAccess != nullptr ? m_pDeviceAccess->Cancel(target) : -1;
    // Cancel may have ended the running command already through its report.
    if (result < 0 && record->m_StepNo != STEP_IDLE) {
        record->m_Result = RESULT_CANCELED;
        record->m_ErrorCode = ERROR_CANCELED;
        f_EndSequence(record, 0);
        return;
    }
    // A stop comes before a record is deleted; the queued check then finds it
    // gone and lets go of what the engine kept for it.
    emit CheckCommand(target);
}

// ---------------------------------------------------------------------------
// Device link reports

void CCommandFunctions::f_OnConnectStart() {}
void CCommandFunctions::f_OnConnectCompleted(QDateTime, QString, QString, int) {}
void CCommandFunctions::f_OnDisconnectStart() {}
void CCommandFunctions::f_OnSendStart() {}
void CCommandFunctions::f_OnReceiveStart() {}
void CCommandFunctions::f_OnProgress(int, int) {}
void CCommandFunctions::f_OnDisconnectedFromPeer() {}

void CCommandFunctions::f_OnDisconnected(QDateTime, QString, QString, int nTargetID)
{
    emit CheckCommand(nTargetID);
}

void CCommandFunctions::f_OnSendCompleted(QDateTime time, QString, QByteArray data, int nTargetID)
{
    CProjectorData* record = f_GetTarget(nTargetID);
    if (record == nullptr)
        return;
    record->m_SendFrame = data;
    f_Return(record).lastFrameTime = time;
}

void CCommandFunctions::f_OnReceived(QDateTime time, QString, QByteArray data, int nTargetID)
{
    RunTraced([&]() {
        CProjectorData* record = f_GetTarget(nTargetID);
        if (record == nullptr)
            return;
        ReturnParameter& r = f_Return(record);
        const bool late = (r.lastFrameTime.isValid() && time < r.lastFrameTime) || record->m_ErrorCode != 0;
        record->m_ReceiveFrame = data;
        // Never back: a stale frame must not make the next stale one look fresh.
        if (!r.lastFrameTime.isValid() || time > r.lastFrameTime)
            r.lastFrameTime = time;

        if (!f_IsCommandFrameReceived(data)) {
            // A stray fragment after its request was given up must not touch
            // the command that runs now.
            if (late)
                qCDebug(lcEngine) << "CCommandFunctions::f_OnReceived late incomplete frame dropped. nTargetID:" << nTargetID;
            else
                f_OnError(ERROR_INCOMPLETE, nTargetID);
            return;
        }
        if (!f_IsCommandSumSubmit(data)) {
            if (late)
                qCDebug(lcEngine) << "CCommandFunctions::f_OnReceived late frame with a bad checksum dropped. nTargetID:"
                         << nTargetID;
            else
                f_OnError(ERROR_CHECKSUM, nTargetID);
            return;
        }
        const int nack = f_GetNackCode(data);
        if (late) {
            // A late positive reply still brings news of the projector.
            if (nack == 0)
                f_StoreReceivedData(record, f_GetCommandID(data));
            return;
        }
        if (!f_IsMatchCommandID(record->m_SendFrame, data))
            f_OnError(ERROR_MISMATCH, nTargetID);
        else if (nack == 0)
            f_OnSequenceCompleted(nTargetID);
        else
            f_OnNackReceived(nack, nTargetID);
        return;
    });
}

void CCommandFunctions::f_OnError(QDateTime, QString, int code, int nTargetID)
{
    f_OnError(code, nTargetID);
}

// Feeds a result into the command that runs for the projector: a result
// object filled from the command's return parameters, handed to `proc`.
template <class ResultEvent>
void CCommandFunctions::f_FeedResult(int nTargetID, const int* code, void (CCommandFunctions::*proc)(CEventBase*))
{
    RunTraced([&]() {
        CProjectorData* record = f_GetTarget(nTargetID);
        if (record == nullptr)
            return;
        const auto it = m_ReturnParameters.constFind(record->m_Id);
        if (it == m_ReturnParameters.constEnd() || it->owner != record || it->target != nTargetID)
            return;
        const ReturnParameter r = *it;
        if (code != nullptr)
            record->m_ErrorCode = *code;
        ResultEvent result(r.eventID, r.target, r.from, r.act, r.cmd);
        (this->*proc)(&result);
        return;
    });
}

void CCommandFunctions::f_OnError(int code, int nTargetID)
{
    f_FeedResult<CCommandFunctionsEventOnError>(nTargetID, &code, &CCommandFunctions::OnErrorProc);
}

void CCommandFunctions::f_OnSequenceCompleted(int nTargetID)
{
    f_FeedResult<CCommandFunctionsEventSequenceCompleted>(nTargetID, nullptr,
                                                          &CCommandFunctions::SequenceCompletedProc);
}

void CCommandFunctions::f_OnNackReceived(int code, int nTargetID)
{
    f_FeedResult<CCommandFunctionsEventNackReceived>(nTargetID, &code, &CCommandFunctions::NackReceivedProc);
}

void CCommandFunctions::f_OnCanceled(int nTargetID)
{
    f_FeedResult<CCommandFunctionsEventCanceled>(nTargetID, nullptr, &CCommandFunctions::CanceledProc);
}

void CCommandFunctions::f_OnStateChanged(int nTargetID)
{
    RunTraced([&]() {
        emit TransportStateUpdate(nTargetID);
        if (m_pDeviceAccess == nullptr || m_pDeviceAccess->IsCommunicating(nTargetID))
            return;
        if (m_pDeviceAccess->IsCanceled(nTargetID)) {
            qCDebug(lcEngine) << "CCommandFunctions::f_OnStateChanged Canceled Communication. nTargetID:" << nTargetID;
            return;
        }
        CProjectorData* record = f_GetTarget(nTargetID);
        if (record == nullptr || record->m_StepNo != STEP_MODEL_INFO)
            return;
        record->m_Profile = nullptr;
        record->m_ConnectState = 0;
        record->m_EngineFlags[FLAG_IDENTIFIED] = 0;
        f_ClearEventQueue();
        // The connection failed: the commands behind this one are not tried.
        // The running command's error follows this report, and they end
        // right after it.
        m_DropWaiting.insert(nTargetID);
        return;
    });
}

// ---------------------------------------------------------------------------
// Temporary parameters

void CCommandFunctions::f_AppendTempParameterString(CProjectorData* record, const QString& value)
{
    CVariantParameter* p = new CVariantParameter();
    p->FromString(value);
    record->m_TempParameters.append(p);
}

void CCommandFunctions::f_AppendTempParameterBool(CProjectorData* record, bool value)
{
    CVariantParameter* p = new CVariantParameter();
    p->FromBool(value);
    record->m_TempParameters.append(p);
}

void CCommandFunctions::f_AppendTempParameterInt(CProjectorData* record, int value)
{
    CVariantParameter* p = new CVariantParameter();
    p->FromInt(value);
    record->m_TempParameters.append(p);
}

void CCommandFunctions::f_AppendTempParameterUChar(CProjectorData* record, unsigned char value)
{
    CVariantParameter* p = new CVariantParameter();
    p->FromUChar(value);
    record->m_TempParameters.append(p);
}

QString CCommandFunctions::f_GetTempParameterString(CProjectorData* record, int index)
{
    const CVariantParameter* p = record->m_TempParameters.value(index, nullptr);
    return p != nullptr ? p->ToString() : QString();
}

bool CCommandFunctions::f_GetTempParameterBool(CProjectorData* record, int index)
{
    const CVariantParameter* p = record->m_TempParameters.value(index, nullptr);
    return p != nullptr && p->ToBool();
}

int CCommandFunctions::f_GetTempParameterInt(const CProjectorData* record, int index)
{
    const CVariantParameter* p = record->m_TempParameters.value(index, nullptr);
    return p != nullptr ? p->ToInt() : 0;
}

unsigned char CCommandFunctions::f_GetTempParameterUChar(CProjectorData* record, int index)
{
    const CVariantParameter* p = record->m_TempParameters.value(index, nullptr);
    return p != nullptr ? p->ToUChar() : 0;
}

void CCommandFunctions::f_SetTempParameterInt(CProjectorData* record, int index, int value)
{
    CVariantParameter* p = record->m_TempParameters.value(index, nullptr);
    if (p != nullptr)
        p->FromInt(value);
}

void CCommandFunctions::f_SetTempParameterBool(CProjectorData* record, int index, bool value)
{
    CVariantParameter* p = record->m_TempParameters.value(index, nullptr);
    if (p != nullptr)
        p->FromBool(value);
}

void CCommandFunctions::f_ClearTempParameter(CProjectorData* record)
{
    qDeleteAll(record->m_TempParameters);
    record->m_TempParameters.clear();
}

// ---------------------------------------------------------------------------
// Identification: model, profile, common status, maker

void CCommandFunctions::f_ModelInfoUpdate(CProjectorData* record)
{
    CVariantParameter* st = record->m_Status;
    st[CProjectorData::StModelCode1].FromUChar(st[RawModelCode1].ToUChar());
    st[CProjectorData::StModelCode2].FromUChar(st[RawModelCode2].ToUChar());
    st[CProjectorData::StModelCode3].FromUChar(st[RawModelCode3].ToUChar());
    st[CProjectorData::StModelCode4].FromUChar(st[RawModelCode4].ToUChar());
    const QString text = f_TextUpToNul(st[RawModelName].ToByteArray());
    st[CProjectorData::StModelName].FromString(text);
}

QString CCommandFunctions::f_TextUpToNul(const QByteArray& bytes)
{
    QByteArray cut = bytes;
    const int nul = cut.indexOf('\0');
    if (nul >= 0)
        cut.truncate(nul);
    QString text = QString::fromUtf8(cut);
    const int zero = text.indexOf(QChar(0));
    if (zero >= 0)
        text.truncate(zero);
    return text;
}

bool CCommandFunctions::f_UpadteCurrentProfile(CProjectorData* record)
{
    CProfile* profile = nullptr;
    bool found = false;
    if (record->m_ProfileList != nullptr) {
        const CVariantParameter* st = record->m_Status;
        found = record->m_ProfileList->f_GetProfile(
            st[CProjectorData::StModelCode1].ToUChar(), st[CProjectorData::StModelCode2].ToUChar(),
            st[CProjectorData::StModelCode3].ToUChar(), st[CProjectorData::StModelCode4].ToUChar(), &profile);
    }
    record->m_Profile = profile;
    return found;
}

void CCommandFunctions::f_OEMInfoUpdate(CProjectorData* record)
{
    CVariantParameter* st = record->m_Status;
    st[CProjectorData::StOemInfo].FromByteArray(st[RawMakerField1].ToByteArray());
    st[CProjectorData::StMakerId].FromByteArray(st[RawMakerField2].ToByteArray());
    st[CProjectorData::StMakerField3].FromByteArray(st[RawMakerField3].ToByteArray());
}

bool CCommandFunctions::f_IsOEMCorvexPJ(CProjectorData* record)
{
    QByteArray own("CorvexPJ");
    own.append(QByteArray(8, '\0'));
    const QByteArray field = record->m_Status[CProjectorData::StMakerId].ToByteArray();
    return field.size() == own.size() && f_CompareByteArray(field, own, own.size());
}

void CCommandFunctions::f_ProjectorCommonStatusUpdate(CProjectorData* record)
{
    const CProfile* profile = record->m_Profile;
    CVariantParameter* st = record->m_Status;
    const auto allows = [profile](int flag) { return profile == nullptr || profile->m_Flags[flag]; };
    if (profile != nullptr && !profile->m_Flags[ProfileFlag::ReqInputTerminal]
        && !profile->m_Flags[ProfileFlag::ReqPowerSts] && !profile->m_Flags[ProfileFlag::ReqPicMuteSts]
        && !profile->m_Flags[ProfileFlag::ReqSndMuteSts] && !profile->m_Flags[ProfileFlag::ReqOsdMuteSts])
        return;

    const int b6 = st[RawCommonB6].ToUChar();
    st[CProjectorData::StPowerStatus].FromInt(allows(ProfileFlag::ReqPowerSts) ? b6 : 0);
    st[CProjectorData::StStatusValid].FromBool(true);
    st[CProjectorData::StPowerStatus16].FromInt(b6 == 16 ? 1 : 0);
    st[CProjectorData::StPowerIndicator].FromUChar(b6 == 1 ? 255 : 0);

    if (allows(ProfileFlag::ReqInputTerminal)) {
        const int a = st[RawCommonB8].ToUChar();
        const int b = st[RawCommonB9].ToUChar();
        st[CProjectorData::StInputTerminalNumber].FromInt(a);
        st[CProjectorData::StInputTerminalType].FromInt(b);
        st[CProjectorData::StInputTerminal].FromInt(a + 5 * b - 5);
        record->m_InputTerminalKnown = true;
    } else {
        st[CProjectorData::StInputTerminalNumber].FromInt(1);
        st[CProjectorData::StInputTerminalType].FromInt(1);
        st[CProjectorData::StInputTerminal].FromInt(1);
    }

    const auto mute = [&](int position, int raw, int flag) {
        const bool on = st[raw].ToUChar() == 1 && allows(flag);
        st[position].FromInt(on ? 1 : 0);
    };
    mute(CProjectorData::StPictureMute, RawCommonB11, ProfileFlag::ReqPicMuteSts);
    mute(CProjectorData::StSoundMute, RawCommonB12, ProfileFlag::ReqSndMuteSts);
    mute(CProjectorData::StOsdMute, RawCommonB13, ProfileFlag::ReqOsdMuteSts);

    if (allows(ProfileFlag::ReqFreezeSts))
        st[CProjectorData::StFreeze].FromBool(st[RawCommonB14].ToUChar() != 0);
}

bool CCommandFunctions::IsIn1WStandbyUpdate(CProjectorData* record)
{
    const int power = record->m_Status[CProjectorData::StPowerStatus].ToInt();
    const bool standby = power == 15 || power == 16;
    record->m_Status[CProjectorData::StLowPowerStandby].FromBool(standby);
    return standby;
}
