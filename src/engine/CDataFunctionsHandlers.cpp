// Projector handlers of the dispatcher and the routes by which command
// results come back.
#include "CDataFunctions.h"

#include "CCommandFunctions.h"
#include "CDataFunctionsEvent.h"
#include "CLumivox5Data.h"


namespace {

// Adjustment kinds, as the command engine keys its adjustment values.
enum Kind { KIND_BRIGHTNESS = 0, KIND_CONTRAST = 1, KIND_COLOR = 2, KIND_HUE = 3, KIND_SHARPNESS = 4, KIND_VOLUME = 5 };

int gainKey(int kind)
{
    return kind * 256;
}

} // namespace

template <typename Operation>
void CDataFunctions::f_ForEachTarget(CEventBase* event, Operation operation)
{
    auto* record = static_cast<CDataFunctionsEvent*>(event);
    if (!record || !m_pLumivox5Data)
        return;
    CCommandFunctions* engine = m_pLumivox5Data->m_pCommandFunctions;
    if (!engine)
        return;
    const QList<int> targets = record->m_Targets;
    for (int id : targets) {
        // Ids the data hub does not know are skipped without a report.
        if (!m_pLumivox5Data->GetTransportThread(id))
            continue;
        operation(engine, record, id);
    }
}

// ---- projector handlers -----------------------------------------------------------

// The handlers whose request carries one value: the engine operation with
// that value for each target.
void CDataFunctions::f_SendValue(CEventBase* event, ValueOperation operation)
{
    const int value = static_cast<CDataFunctionsEventValue*>(event)->m_nValue;
    f_ForEachTarget(event, [value, operation](CCommandFunctions* engine, CDataFunctionsEvent* r, int id) {
        (engine->*operation)(value, r->GetEventID(), id, r->m_nFrom, r->m_nAct, r->m_nCommandID, r->m_bCache);
    });
}

void CDataFunctions::SetPowerProc(CEventBase* event)
{
    f_SendValue(event, &CCommandFunctions::SetPower);
}

void CDataFunctions::SetInputTerminalProc(CEventBase* event)
{
    f_SendValue(event, &CCommandFunctions::SetInputTerminal);
}

void CDataFunctions::SetPictureMuteProc(CEventBase* event)
{
    f_SendValue(event, &CCommandFunctions::SetPictureMute);
}

void CDataFunctions::SetSoundMuteProc(CEventBase* event)
{
    f_SendValue(event, &CCommandFunctions::SetSoundMute);
}

void CDataFunctions::SetOSDMuteProc(CEventBase* event)
{
    f_SendValue(event, &CCommandFunctions::SetOSDMute);
}

void CDataFunctions::SetFreezeProc(CEventBase* event)
{
    f_SendValue(event, &CCommandFunctions::SetFreeze);
}

void CDataFunctions::AutoAllUpdateProc(CEventBase* event)
{
    f_ForEachTarget(event, [](CCommandFunctions* engine, CDataFunctionsEvent* r, int id) {
        engine->GetGeneralData(r->GetEventID(), id, r->m_nFrom, r->m_nAct, r->m_nCommandID, r->m_bCache);
    });
}

void CDataFunctions::f_GetGainProc(CEventBase* event, const QList<int>& keys)
{
    f_ForEachTarget(event, [&keys](CCommandFunctions* engine, CDataFunctionsEvent* r, int id) {
        QList<int> list = keys;
        engine->GetGain(list, r->GetEventID(), id, r->m_nFrom, r->m_nAct, r->m_nCommandID, r->m_bCache);
    });
}

void CDataFunctions::GetAllGainProc(CEventBase* event)
{
    f_GetGainProc(event, {gainKey(KIND_BRIGHTNESS), gainKey(KIND_CONTRAST), gainKey(KIND_COLOR), gainKey(KIND_HUE),
                          gainKey(KIND_SHARPNESS), gainKey(KIND_VOLUME)});
}

void CDataFunctions::GetBrightnessProc(CEventBase* event)
{
    f_GetGainProc(event, {gainKey(KIND_BRIGHTNESS)});
}

void CDataFunctions::GetContrastProc(CEventBase* event)
{
    f_GetGainProc(event, {gainKey(KIND_CONTRAST)});
}

void CDataFunctions::GetSharpnessProc(CEventBase* event)
{
    f_GetGainProc(event, {gainKey(KIND_SHARPNESS)});
}

void CDataFunctions::GetHueProc(CEventBase* event)
{
    f_GetGainProc(event, {gainKey(KIND_HUE)});
}

void CDataFunctions::GetColorProc(CEventBase* event)
{
    f_GetGainProc(event, {gainKey(KIND_COLOR)});
}

void CDataFunctions::GetVolumeProc(CEventBase* event)
{
    f_GetGainProc(event, {gainKey(KIND_VOLUME)});
}

void CDataFunctions::f_SetGainProc(CEventBase* event, int kind)
{
    // Picture adjustments address sub index 255, the volume sub index 0.
    const int sub = kind == KIND_VOLUME ? 0 : 255;
    auto* request = static_cast<CDataFunctionsEventSetAdjustment*>(event);
    const int first = request->m_nFirstValue;
    const int second = request->m_nSecondValue;
    f_ForEachTarget(event, [=](CCommandFunctions* engine, CDataFunctionsEvent* r, int id) {
        engine->SetGain(kind, sub, second, first, r->GetEventID(), id, r->m_nFrom, r->m_nAct, r->m_nCommandID,
                        r->m_bCache);
    });
}

void CDataFunctions::SetBrightnessProc(CEventBase* event)
{
    f_SetGainProc(event, KIND_BRIGHTNESS);
}

void CDataFunctions::SetContrastProc(CEventBase* event)
{
    f_SetGainProc(event, KIND_CONTRAST);
}

void CDataFunctions::SetSharpnessProc(CEventBase* event)
{
    f_SetGainProc(event, KIND_SHARPNESS);
}

void CDataFunctions::SetHueProc(CEventBase* event)
{
    f_SetGainProc(event, KIND_HUE);
}

void CDataFunctions::SetColorProc(CEventBase* event)
{
    f_SetGainProc(event, KIND_COLOR);
}

void CDataFunctions::SetVolumeProc(CEventBase* event)
{
    f_SetGainProc(event, KIND_VOLUME);
}

void CDataFunctions::SetProjectorNameProc(CEventBase* event)
{
    const QString name = static_cast<CDataFunctionsEventSetProjectorName*>(event)->m_Name;
    f_ForEachTarget(event, [&name](CCommandFunctions* engine, CDataFunctionsEvent* r, int id) {
        engine->SetProjectorName(name, r->GetEventID(), id, r->m_nFrom, r->m_nAct, r->m_nCommandID, r->m_bCache);
    });
}

void CDataFunctions::StopProc(CEventBase* event)
{
    f_ForEachTarget(event, [](CCommandFunctions* engine, CDataFunctionsEvent* r, int id) {
        engine->Stop(r->GetEventID(), id, r->m_nFrom, r->m_nAct, r->m_nCommandID, r->m_bCache);
    });
}

void CDataFunctions::UpdateAllConnectionsProc(CEventBase* event)
{
    auto* request = static_cast<CDataFunctionsEventUpdateAllConnections*>(event);
    // A request without its lists (too few parameters, null pointers) changes nothing.
    if (m_pLumivox5Data && request->m_lstDelete && request->m_lstModifyOnly && request->m_lstAdd
        && request->m_Result) {
        m_pLumivox5Data->DeleteModifyProjectors(request->m_lstDelete, request->m_lstModifyOnly, request->m_lstAdd,
                                                request->m_Result);
    }
    emit CompletedUpdateTargetList();
    request->DeleteLists();
}

// ---- completion routing -------------------------------------------------------------

namespace {

void setIdentity(CDataFunctionsEvent& record, int eventID, int from, int act, int cmd)
{
    record.SetEventID(eventID);
    record.m_nFrom = from;
    record.m_nAct = act;
    record.m_nCommandID = cmd;
}

} // namespace

void CDataFunctions::f_OnCompleted(int eventID, int targetID, int from, int act, int cmd)
{
    CDataFunctionsEventCommandCompleted record;
    setIdentity(record, eventID, from, act, cmd);
    record.m_nTarget = targetID;
    CommandCompletedProc(&record);
}

void CDataFunctions::f_OnError(int errorCode, int eventID, int targetID, int from, int act, int cmd)
{
    CDataFunctionsEventCommandErrorEnd record;
    setIdentity(record, eventID, from, act, cmd);
    record.m_nTarget = targetID;
    record.m_nErrorCode = errorCode;
    CommandErrorEndProc(&record);
}

void CDataFunctions::f_OnNackReceived(int nackCode, int eventID, int targetID, int from, int act, int cmd)
{
    CDataFunctionsEventCommandNackReceived record;
    setIdentity(record, eventID, from, act, cmd);
    record.m_nTarget = targetID;
    record.m_nNackCode = nackCode;
    CommandNackReceivedProc(&record);
}

void CDataFunctions::f_OnCanceled(int eventID, int targetID, int from, int act, int cmd)
{
    CDataFunctionsEventCommandCanceled record;
    setIdentity(record, eventID, from, act, cmd);
    record.m_nTarget = targetID;
    CommandCanceledProc(&record);
}

void CDataFunctions::CommandCompletedProc(CEventBase* event)
{
    auto* request = static_cast<CDataFunctionsEventCommandCompleted*>(event);
    if (request->m_nFrom != FROM_SCHEDULE)
        return;
    CDataFunctionsEventCommandCompletedSchedule record;
    setIdentity(record, request->GetEventID(), request->m_nFrom, request->m_nAct, request->m_nCommandID);
    record.m_nTarget = request->m_nTarget;
    record.m_nCommand = request->m_nCommandID;
    record.m_nScheduleEventID = request->GetEventID();
    CommandCompletedProcSchedule(&record);
}

void CDataFunctions::f_ErrorEndToSchedule(CEventBase* event, int code)
{
    auto* request = static_cast<CDataFunctionsEvent*>(event);
    if (request->m_nFrom != FROM_SCHEDULE)
        return;
    int target = 0;
    switch (request->GetEventKey()) {
    case CDataFunctionsEvent::KEY_COMMAND_ERROR_END:
        target = static_cast<CDataFunctionsEventCommandErrorEnd*>(event)->m_nTarget;
        break;
    case CDataFunctionsEvent::KEY_COMMAND_NACK_RECEIVED:
        target = static_cast<CDataFunctionsEventCommandNackReceived*>(event)->m_nTarget;
        break;
    case CDataFunctionsEvent::KEY_COMMAND_CANCELED:
        target = static_cast<CDataFunctionsEventCommandCanceled*>(event)->m_nTarget;
        break;
    default:
        return;
    }
    CDataFunctionsEventCommandErrorEndSchedule record;
    setIdentity(record, request->GetEventID(), request->m_nFrom, request->m_nAct, request->m_nCommandID);
    record.m_nTarget = target;
    record.m_nCommand = request->m_nCommandID;
    record.m_nScheduleEventID = request->GetEventID();
    record.m_nErrorCode = code;
    CommandErrorEndProcSchedule(&record);
}

void CDataFunctions::CommandErrorEndProc(CEventBase* event)
{
    f_ErrorEndToSchedule(event, static_cast<CDataFunctionsEventCommandErrorEnd*>(event)->m_nErrorCode);
}

void CDataFunctions::CommandNackReceivedProc(CEventBase* event)
{
    f_ErrorEndToSchedule(event, static_cast<CDataFunctionsEventCommandNackReceived*>(event)->m_nNackCode);
}

void CDataFunctions::CommandCanceledProc(CEventBase* event)
{
    // A canceled command counts as the user's cancel.
    f_ErrorEndToSchedule(event, -10);
}

// ---- log slots, background failures, slots that do nothing -------------------------

void CDataFunctions::f_OnSend(QDateTime dtTime, QString strTarget, QByteArray aryData, int intLength,
                              int /*eventID*/, int /*targetID*/, int /*from*/, int /*act*/, int /*cmd*/)
{
    CDataFunctionsEventAddLog record;
    record.m_LogParameter.SetStandardParameters(dtTime, CTransportLogParameter::ATTR_TX, strTarget, aryData,
                                                intLength);
    AddLogProc(&record);
}

void CDataFunctions::f_OnReceived(QDateTime dtTime, QString strTarget, QByteArray aryData, int intLength,
                                  int /*eventID*/, int /*targetID*/, int /*from*/, int /*act*/, int /*cmd*/)
{
    CDataFunctionsEventAddLog record;
    record.m_LogParameter.SetStandardParameters(dtTime, CTransportLogParameter::ATTR_RX, strTarget, aryData,
                                                intLength);
    AddLogProc(&record);
}

void CDataFunctions::ErrorNotificationProc(QString msg, int code)
{
    emit UpdateError(msg, QString(), code, 0, 0, 0, 0);
}

void CDataFunctions::f_OnProgress(int, int, int, int, int, int, int) {}
void CDataFunctions::f_OnConnectStart(int, int, int, int, int) {}
void CDataFunctions::f_OnConnected(int, int, int, int, int) {}
void CDataFunctions::f_OnDisconnectStart(int, int, int, int, int) {}
void CDataFunctions::f_OnDisconnected(int, int, int, int, int) {}
void CDataFunctions::f_OnSendStart(int, int, int, int, int) {}
void CDataFunctions::f_OnReceiveStart(int, int, int, int, int) {}
void CDataFunctions::f_OnDisconnectedFromPeer(int, int, int, int, int) {}
